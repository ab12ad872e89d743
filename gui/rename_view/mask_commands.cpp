// The rename view's commands that open the mask, keyword and counter dialogs,
// and what the view does with their answers.
#include <QComboBox>
#include <QMenu>

#include "common/modal_hook.h"
#include "dialogs/keywords/edit_keyword_dlg.h"
#include "dialogs/keywords/set_picture_counter_dlg.h"
#include "dialogs/masks/edit_mask_dlg.h"
#include "dialogs/masks/edit_mask_list_dlg.h"
#include "dialogs/masks/view_applied_mask_dlg.h"
#include "dialogs/masks/view_mask_spec_dlg.h"
#include "engine/engine.h"
#include "rename_view/rename_file_view.h"
#include "storage/mask_store.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"

namespace lx::gui {

void CRenameFileView::EditMask() {
  const std::string mask = maskBox_->currentText().toStdString();
  const StoredMask stored = MaskStore(sqlite_).LookupMask(mask);
  CEditMaskDlg dialog(sqlite_, engine_.Settings(), prompts_, mask, stored.description, stored.id, engine_.suffixMask,
                      model_->suffixIncludesRoot, this);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  FillMaskBox(dialog.Mask());
  SettingsStore& settings = engine_.Settings();
  engine_.suffixMask = dialog.SuffixMask();
  model_->suffixIncludesRoot = dialog.SuffixIncludesRoot();
  settings.SetText(setting::kDuplicateSuffix, engine_.suffixMask);
  settings.SetNumber(setting::kDuplicateFiles, model_->suffixIncludesRoot ? 1 : 0);
  RefreshList(RunList);
}

void CRenameFileView::EditMaskList() {
  CEditMaskListDlg dialog(sqlite_, engine_.Settings(), prompts_, engine_.suffixMask, model_->suffixIncludesRoot, this);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  FillMaskBox(dialog.ChosenMask().empty() ? maskBox_->currentText().toStdString() : dialog.ChosenMask());
  RefreshList(RunList);
}

void CRenameFileView::EditKeywords() {
  CEditKeywordDlg dialog(sqlite_, "Undefined", this);
  ExecModal(dialog);
  RefreshList(RunList);
}

void CRenameFileView::EditCounter() {
  CSetPictureCounterDlg dialog(GetPictureCounter(engine_.Settings()), this);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  // The user may go back to a lower number: the engine's own counter must not keep the old one.
  engine_.pictureCounter = dialog.NewCounter();
  SavePictureCounter(engine_, dialog.NewCounter());
  emit CounterChanged(QString::fromStdString(model_->CounterLabel()));
}

void CRenameFileView::ViewMaskSpec() {
  CViewMaskSpecDlg dialog(maskBox_->currentText().toStdString(), model_->Mask(), this);
  ExecModal(dialog);
}

void CRenameFileView::ViewAppliedMask(bool editable) {
  const auto selected = model_->SelectedRows();
  if (selected.empty()) return;
  RenameListRow* row = model_->Row(selected.front());
  if (!row) return;
  CViewAppliedMaskDlg dialog(sqlite_, prompts_, row->data, model_->Mask(), maskBox_->currentText().toStdString(),
                             !editable, this);
  if (ExecModal(dialog) == QDialog::Accepted && editable) RefreshList(RunList);
}

}  // namespace lx::gui
