#include "dialogs/masks/view_applied_mask_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/prompts.h"
#include "base/version.h"
#include "common/modal_hook.h"
#include "dialogs/keywords/preview_with_rotate.h"
#include "dialogs/keywords/select_keyword_dlg.h"
#include "dialogs/keywords/set_kbd_free_entry_dlg.h"
#include "masks/mask_data.h"
#include "masks/mask_labels.h"
#include "photo/rename_file_data.h"

namespace lx::gui {

CViewAppliedMaskDlg::CViewAppliedMaskDlg(CSQLite& sqlite, Prompts& prompts, CRenameFileData& row,
                                         const CMaskData& parsed, const std::string& mask, bool readOnly,
                                         QWidget* parent)
    : CLorvexandrinBaseDlg(parent),
      sqlite_(sqlite),
      prompts_(prompts),
      row_(row),
      parsed_(parsed),
      readOnly_(readOnly) {
  helpVideo = "Lorvexandrin40_ViewAppliedMaskDlg.flv";
  setWindowTitle(readOnly ? "View Quorin Lorvexandrin Applied Mask Data"
                          : "Edit Quorin Lorvexandrin Applied Mask Data");
  auto* maskText = new QLineEdit(QString::fromStdString(mask), this);
  maskText->setReadOnly(true);
  auto* form = new QFormLayout;
  form->addRow("Renaming Mask: ", maskText);
  form->addRow("Number of Specifications", new QLabel(QString::number(parsed.SpecCount), this));
  form->addRow("File Name: ", new QLabel(QString::fromStdString(row.FileName), this));
  list_ = MakeListTable(this);
  hint_ = new QLabel("Click on Current Data of %KI, %K or %KA Specifications to Edit Data. See Help for more info...",
                     this);
  hint_->setVisible(!readOnly);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(list_, 1);
  layout->addWidget(hint_);
  layout->addWidget(buttons);
  resize(720, 420);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  if (!readOnly) connect(list_, &QTableWidget::cellClicked, this, [this](int r, int) { RowClicked(r); });
  Fill();
}

void CViewAppliedMaskDlg::Fill() {
  list_->clear();
  list_->setColumnCount(3);
  list_->setHorizontalHeaderLabels({"Mask Spec.", "Applied Mask Data", "Mask Description"});
  list_->setRowCount(parsed_.SpecCount);
  for (int i = 0; i < parsed_.SpecCount; ++i) {
    const CMaskAttr& spec = parsed_.Specs[static_cast<size_t>(i)];
    const std::string cells[3] = {BlankRuleText(spec.SpecMask),
                                  BlankRuleText(row_.ElementTexts[static_cast<size_t>(i)]),
                                  SpecTypeName(spec.SpecType)};
    for (int c = 0; c < 3; ++c) list_->setItem(i, c, new QTableWidgetItem(QString::fromStdString(cells[c])));
  }
  list_->resizeColumnsToContents();
}

void CViewAppliedMaskDlg::RowClicked(int index) {
  if (readOnly_ || index < 0 || index >= parsed_.SpecCount) return;
  const std::string& spec = parsed_.Specs[static_cast<size_t>(index)].SpecMask;
  std::string& text = row_.ElementTexts[static_cast<size_t>(index)];
  if (spec == "%KI") {
    CSetKbdFreeEntryDlg entry(sqlite_, row_.FilePath, false, this);
    if (ExecModal(entry) != QDialog::Accepted) return;
    text = entry.Choice().text;
  } else if (spec == "%K" || spec == "%KA") {
    CSelectKeywordDlg keyword(sqlite_, row_.FilePath, false, this);
    if (ExecModal(keyword) != QDialog::Accepted) return;
    const KeywordChoice chosen = keyword.Choice();
    text.clear();
    if (spec == "%K" && chosen.keyword != kEmptyKeyword) text = chosen.keyword;
    if (spec == "%KA" && chosen.abbreviation != kEmptyAbbreviation) text = chosen.abbreviation;
  } else {
    prompts_.ShowMessage(std::string("Only Data with the Following Mask Spec. can be modified ... \n") +
                             "\t1. %KI: Keyboard Typed In Data \n" + "\t2. %K: Keyword from Lorvexandrin Database \n" +
                             "\t3. %KA: Keyword Abbreviation from Lorvexandrin Database \n",
                         kAppTitle);
    return;
  }
  Fill();
}

}  // namespace lx::gui
