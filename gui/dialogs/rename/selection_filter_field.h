// CSelectionFilterField: the " Files Selection Filter " group shared by the
// filter dialog and the settings dialog: the filter text with its drop-down of
// ready filters and "Case Sensitive Selection". Refused characters are
// removed as they are typed, with the program's warning.
#pragma once

#include <QGroupBox>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace lx {
class Prompts;
}

namespace lx::gui {

class CSelectionFilterField : public QGroupBox {
  Q_OBJECT

 public:
  CSelectionFilterField(const std::string& text, bool caseSensitive, Prompts* prompts, QWidget* parent = nullptr);

  std::string Text() const;
  bool CaseSensitive() const;

  QLineEdit* Edit() const { return edit_; }
  QComboBox* ReadyFilters() const { return ready_; }
  QCheckBox* CaseBox() const { return case_; }

 private:
  void OnEdited(const QString& text);

  Prompts* prompts_;
  QLineEdit* edit_ = nullptr;
  QComboBox* ready_ = nullptr;
  QCheckBox* case_ = nullptr;
};

}  // namespace lx::gui
