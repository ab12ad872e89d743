// The desktop program's answers to the core's questions: the rich-text boxes,
// plain message boxes and the system beep.
#pragma once

#include <QPointer>
#include <QWidget>

#include "base/prompts.h"

namespace lx {
class SettingsStore;
class CSQLite;
class CLorvexandrinEngine;
}  // namespace lx

namespace lx::gui {

class GuiPrompts : public Prompts {
 public:
  GuiPrompts(SettingsStore& settings, CLorvexandrinEngine* engine, QWidget* parent = nullptr)
      : settings_(settings), engine_(engine), parent_(parent) {}

  void SetParent(QWidget* parent) { parent_ = parent; }
  // The database of the keyword and typed-text dialogs; without one both answer cancel.
  void SetDatabase(CSQLite* sqlite) { sqlite_ = sqlite; }

  // The keyword and typed-text dialogs do not exist yet: both answer cancel.
  bool SelectKeyword(const std::string& filePath, bool applyToAll, KeywordChoice& choice) override;
  bool TypeKeyboardEntry(const std::string& filePath, bool applyToAll, TypedTextChoice& choice) override;
  int RichTextMessage(const RichTextRequest& request) override;
  void ShowRenameOutline(const std::string& rtfBody) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowWarning(const std::string& text, const std::string& caption) override;
  void Beep() override;

 private:
  SettingsStore& settings_;
  CLorvexandrinEngine* engine_;
  QPointer<QWidget> parent_;
  CSQLite* sqlite_ = nullptr;
};

}  // namespace lx::gui
