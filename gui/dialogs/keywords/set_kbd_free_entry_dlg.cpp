#include "dialogs/keywords/set_kbd_free_entry_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/log.h"
#include "common/sql_table_model.h"
#include "dialogs/keywords/preview_with_rotate.h"
#include "storage/typed_text_store.h"

namespace lx::gui {

CSetKbdFreeEntryDlg::CSetKbdFreeEntryDlg(CSQLite& sqlite, const std::string& file, bool applyToAll, QWidget* parent)
    : CLorvexandrinBaseDlg(parent), sqlite_(sqlite) {
  setWindowTitle("Set Quorin Lorvexandrin Keyboard Entry");
  choice_.applyToAll = applyToAll;
  auto* entry = new QGroupBox(" Set Keyboard Entry ", this);
  auto* entryLayout = new QFormLayout(entry);
  text_ = new QLineEdit(entry);
  entryLayout->addRow("Text: ", text_);
  applyToAll_ = new QCheckBox("Apply the Same Keyboard Entry for All Remaining Pictures", entry);
  applyToAll_->setChecked(applyToAll);
  entryLayout->addRow(applyToAll_);

  auto* history = new QGroupBox(" Select Text Previously Added ", this);
  auto* historyLayout = new QVBoxLayout(history);
  auto* sortRow = new QHBoxLayout;
  sort_ = new QComboBox(history);
  sort_->addItems({"Text Id", "Text Entry", "Date & Time"});
  sortRow->addWidget(new QLabel("Data Sort: ", history));
  sortRow->addWidget(sort_, 1);
  delete_ = new QPushButton("Delete Entry", history);
  sortRow->addWidget(delete_);
  historyLayout->addLayout(sortRow);
  list_ = MakeListTable(history);
  historyLayout->addWidget(list_, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(entry);
  left->addWidget(history, 1);
  preview_ = new PreviewWithRotate(this);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 3);
  top->addWidget(preview_, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(buttons);
  resize(820, 460);

  connect(sort_, &QComboBox::currentIndexChanged, this, &CSetKbdFreeEntryDlg::Fill);
  connect(text_, &QLineEdit::textEdited, this, &CSetKbdFreeEntryDlg::UpdateOk);
  connect(list_, &QTableWidget::itemSelectionChanged, this, [this]() {
    const auto rows = list_->selectionModel()->selectedRows();
    if (rows.isEmpty() || list_->columnCount() < 2 || list_->item(rows.first().row(), 1) == nullptr) return;
    text_->setText(list_->item(rows.first().row(), 1)->text());
    ok_->setEnabled(true);
    delete_->setEnabled(true);
  });
  connect(delete_, &QPushButton::clicked, this, [this]() {
    const auto rows = list_->selectionModel()->selectedRows();
    if (rows.isEmpty() || list_->item(rows.first().row(), 1) == nullptr) return;
    TypedTextStore(sqlite_).DeleteText(list_->item(rows.first().row(), 1)->text().toStdString());
    Fill();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &CSetKbdFreeEntryDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Fill();
  const std::string error = preview_->Show(file);
  if (!error.empty()) LogMessage(error);
  text_->setFocus();
}

void CSetKbdFreeEntryDlg::Fill() {
  SqlTable table;
  const int rows = TypedTextStore(sqlite_).FillHistory(table, std::max(0, sort_->currentIndex()));
  list_->blockSignals(true);
  FillTableWidget(list_, table);
  list_->clearSelection();
  list_->blockSignals(false);
  const bool hasHistory = rows > 0 && !table.emptyTable;
  // The placeholder stands in the field, selected, so that typing replaces it.
  if (!IsConfirmableTypedText(text_->text().toStdString())) {
    text_->setText(hasHistory ? kTypedTextPlaceholderWithHistory : kTypedTextPlaceholder);
    text_->selectAll();
  }
  delete_->setEnabled(false);
  UpdateOk();
}

void CSetKbdFreeEntryDlg::UpdateOk() { ok_->setEnabled(IsConfirmableTypedText(text_->text().toStdString())); }

void CSetKbdFreeEntryDlg::accept() {
  const std::string text = text_->text().toStdString();
  if (!IsConfirmableTypedText(text)) return;
  TypedTextStore(sqlite_).AddText(text);
  choice_.text = text;
  choice_.applyToAll = applyToAll_->isChecked();
  CLorvexandrinBaseDlg::accept();
}

}  // namespace lx::gui
