#include "shell/gui_prompts.h"

#include <QApplication>
#include <QMessageBox>

#include "common/message_boxes.h"
#include "common/modal_hook.h"
#include "dialogs/keywords/select_keyword_dlg.h"
#include "dialogs/keywords/set_kbd_free_entry_dlg.h"

namespace lx::gui {

bool GuiPrompts::SelectKeyword(const std::string& filePath, bool applyToAll, KeywordChoice& choice) {
  if (sqlite_ == nullptr) return false;
  CSelectKeywordDlg dialog(*sqlite_, filePath, applyToAll, parent_.data());
  if (ExecModal(dialog) != QDialog::Accepted) return false;
  choice = dialog.Choice();
  return true;
}

bool GuiPrompts::TypeKeyboardEntry(const std::string& filePath, bool applyToAll, TypedTextChoice& choice) {
  if (sqlite_ == nullptr) return false;
  CSetKbdFreeEntryDlg dialog(*sqlite_, filePath, applyToAll, parent_.data());
  if (ExecModal(dialog) != QDialog::Accepted) return false;
  choice = dialog.Choice();
  return true;
}

int GuiPrompts::RichTextMessage(const RichTextRequest& request) {
  CRichTextMsgDlg box(settings_, request, parent_.data());
  return box.Run();
}

void GuiPrompts::ShowRenameOutline(const std::string& rtfBody) {
  CShowRenameMsgDlg box(settings_, engine_, rtfBody, parent_.data());
  box.Run();
}

void GuiPrompts::ShowMessage(const std::string& text, const std::string& caption) {
  QMessageBox::information(parent_.data(), QString::fromStdString(caption), QString::fromStdString(text));
}

void GuiPrompts::ShowWarning(const std::string& text, const std::string& caption) {
  QMessageBox::warning(parent_.data(), QString::fromStdString(caption), QString::fromStdString(text));
}

void GuiPrompts::Beep() { QApplication::beep(); }

}  // namespace lx::gui
