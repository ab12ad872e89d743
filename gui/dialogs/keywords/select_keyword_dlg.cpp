#include "dialogs/keywords/select_keyword_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cstdlib>

#include "base/log.h"
#include "common/modal_hook.h"
#include "common/sql_table_model.h"
#include "dialogs/keywords/edit_keyword_dlg.h"
#include "dialogs/keywords/preview_with_rotate.h"
#include "storage/keyword_store.h"

namespace lx::gui {

CSelectKeywordDlg::CSelectKeywordDlg(CSQLite& sqlite, const std::string& file, bool applyToAll, QWidget* parent)
    : CLorvexandrinBaseDlg(parent), sqlite_(sqlite) {
  helpVideo = "Lorvexandrin40_SelectKeywordDlg.flv";
  setWindowTitle("Select Quorin Lorvexandrin Keyword");
  choice_.applyToAll = applyToAll;
  auto* group = new QGroupBox(" Lorvexandrin Keyword Selection ", this);
  auto* groupLayout = new QVBoxLayout(group);
  list_ = MakeListTable(group);
  groupLayout->addWidget(list_);
  preview_ = new PreviewWithRotate(this);
  auto* top = new QHBoxLayout;
  top->addWidget(group, 3);
  top->addWidget(preview_, 2);
  applyToAll_ = new QCheckBox("Apply the Same Keyword for All Remaining Pictures", this);
  applyToAll_->setChecked(applyToAll);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  editList_ = buttons->addButton("Edit Keyword List", QDialogButtonBox::ActionRole);
  editList_->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(applyToAll_);
  layout->addWidget(buttons);
  resize(760, 420);

  connect(list_, &QTableWidget::itemSelectionChanged, this, &CSelectKeywordDlg::RowSelected);
  connect(buttons, &QDialogButtonBox::accepted, this, &CSelectKeywordDlg::accept);
  connect(editList_, &QPushButton::clicked, this, &CSelectKeywordDlg::EditKeywordList);
  ok_->setEnabled(false);
  Fill("Undefined");
  pictureError_ = preview_->Show(file);
  if (!pictureError_.empty()) LogMessage(pictureError_);
}

CPictureBox* CSelectKeywordDlg::Picture() const { return preview_->picture; }

void CSelectKeywordDlg::Fill(const std::string& select) {
  SqlTable table;
  KeywordStore(sqlite_).FillKeywordList(table, 0);
  list_->blockSignals(true);
  FillTableWidget(list_, table);
  list_->blockSignals(false);
  int row = list_->rowCount() > 0 ? 0 : -1;
  for (int r = 0; r < list_->rowCount() && select != "Undefined" && list_->columnCount() > 1; ++r)
    if (list_->item(r, 1) && list_->item(r, 1)->text().toStdString() == select) row = r;
  if (row >= 0) {
    list_->selectRow(row);
    list_->scrollToItem(list_->item(row, 0));
  }
}

void CSelectKeywordDlg::EditKeywordList() {
  CEditKeywordDlg editor(sqlite_, choice_.keywordId > 0 ? choice_.keyword : "Undefined", this);
  if (ExecModal(editor) != QDialog::Accepted) return;
  // The list may have lost the keyword chosen before: choose again from the refilled list.
  choice_.keywordId = 0;
  Fill(editor.SelectedKeyword());
  RowSelected();
}

void CSelectKeywordDlg::RowSelected() {
  const auto rows = list_->selectionModel()->selectedRows();
  if (rows.isEmpty() || list_->columnCount() < 3) {
    ok_->setEnabled(choice_.keywordId > 0);
    return;
  }
  const int r = rows.first().row();
  auto text = [&](int c) { return list_->item(r, c) ? list_->item(r, c)->text().toStdString() : std::string(); };
  choice_.keywordId = std::atoi(text(0).c_str());
  choice_.keyword = text(1);
  choice_.abbreviation = text(2);
  ok_->setEnabled(choice_.keywordId > 0);
}

void CSelectKeywordDlg::accept() {
  if (choice_.keywordId <= 0) return;
  choice_.applyToAll = applyToAll_->isChecked();
  CLorvexandrinBaseDlg::accept();
}

}  // namespace lx::gui
