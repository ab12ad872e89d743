// The two rich-text message boxes: CRichTextMsgDlg for every request and
// report the user must read, CShowRenameMsgDlg for the outline of a rename run.
#pragma once

#include <QColor>
#include <string>

#include "base/prompts.h"
#include "common/lorvexandrin_base_dlg.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTextBrowser;

namespace lx {
class SettingsStore;
class CLorvexandrinEngine;
}  // namespace lx

namespace lx::gui {

// The RTF text without its "\cbN" background colours, which the boxes do not paint.
std::string WithoutBackgroundColours(const std::string& rtf);

class CRichTextMsgDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CRichTextMsgDlg(SettingsStore& settings, const RichTextRequest& request, QWidget* parent = nullptr);

  // Runs the box: kIdOk for "Ok" and "Yes", kIdCancel for "Cancel", "No" and closing.
  int Run();

  QPushButton* FirstButton() const { return first_; }
  QPushButton* SecondButton() const { return second_; }
  QLabel* UrlCaption() const { return urlCaption_; }
  QTextBrowser* Body() const { return body_; }
  // Applies a colour as the chosen background and stores it.
  void ChangeBackground(const QColor& colour);

 private:
  SettingsStore& settings_;
  QTextBrowser* body_ = nullptr;
  QLabel* urlCaption_ = nullptr;
  QLabel* urlText_ = nullptr;
  QPushButton* first_ = nullptr;
  QPushButton* second_ = nullptr;
  QPushButton* colourButton_ = nullptr;
};

class CShowRenameMsgDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CShowRenameMsgDlg(SettingsStore& settings, CLorvexandrinEngine* engine, const std::string& rtfBody,
                    QWidget* parent = nullptr);

  int Run();
  QCheckBox* DoNotShowBox() const { return doNotShow_; }
  QPushButton* OkButton() const { return ok_; }
  QTextBrowser* Body() const { return body_; }
  void ChangeBackground(const QColor& colour);

 private:
  void OnOk();

  SettingsStore& settings_;
  CLorvexandrinEngine* engine_;
  QTextBrowser* body_ = nullptr;
  QCheckBox* doNotShow_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* colourButton_ = nullptr;
};

}  // namespace lx::gui
