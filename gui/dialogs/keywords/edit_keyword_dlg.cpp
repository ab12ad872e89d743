#include "dialogs/keywords/edit_keyword_dlg.h"

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

#include "common/modal_hook.h"
#include "common/sql_table_model.h"
#include "dialogs/keywords/preview_with_rotate.h"
#include "dialogs/keywords/show_keyword_spec_mask_dlg.h"
#include "storage/keyword_store.h"

namespace lx::gui {

namespace {

constexpr int kIdColumn = 0;
constexpr int kKeywordColumn = 1;
constexpr int kAbbreviationColumn = 2;

}  // namespace

CEditKeywordDlg::CEditKeywordDlg(CSQLite& sqlite, const std::string& selectFirst, QWidget* parent)
    : CLorvexandrinBaseDlg(parent), sqlite_(sqlite) {
  helpVideo = "Lorvexandrin40_EditKeywordDlg.flv";
  setWindowTitle("Edit Quorin Lorvexandrin Keywords Table ");
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel("Number of Keywords: ", this));
  count_ = new QLabel("0", this);
  countRow->addWidget(count_);
  countRow->addStretch(1);
  countRow->addWidget(new QLabel("Sort List by: ", this));
  sort_ = new QComboBox(this);
  sort_->addItems({"Keyword Id", "Keyword", "Abbr. Keyword"});
  countRow->addWidget(sort_);
  list_ = MakeListTable(this);

  auto* attributes = new QGroupBox(" Keyword Attributes ", this);
  auto* form = new QFormLayout(attributes);
  idField_ = new QLabel(attributes);
  keyword_ = new QLineEdit(attributes);
  abbreviation_ = new QLineEdit(attributes);
  form->addRow("Keyword Id: ", idField_);
  form->addRow("Keyword: ", keyword_);
  form->addRow("Abbreviated Keyword:  ", abbreviation_);
  auto* actions = new QHBoxLayout;
  add_ = new QPushButton("Add Keyword", attributes);
  modify_ = new QPushButton("Modify Keyword", attributes);
  delete_ = new QPushButton("Delete Keyword", attributes);
  for (QPushButton* b : {add_, modify_, delete_}) {
    b->setAutoDefault(false);
    actions->addWidget(b);
  }
  form->addRow(actions);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* exit = buttons->addButton("Exit ", QDialogButtonBox::AcceptRole);
  exit->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(countRow);
  layout->addWidget(list_, 1);
  layout->addWidget(attributes);
  layout->addWidget(buttons);
  resize(560, 520);

  connect(list_, &QTableWidget::itemSelectionChanged, this, &CEditKeywordDlg::RowSelected);
  connect(keyword_, &QLineEdit::textEdited, this, &CEditKeywordDlg::TextsEdited);
  connect(abbreviation_, &QLineEdit::textEdited, this, &CEditKeywordDlg::TextsEdited);
  connect(add_, &QPushButton::clicked, this, &CEditKeywordDlg::AddKeyword);
  connect(modify_, &QPushButton::clicked, this, &CEditKeywordDlg::ModifyKeyword);
  connect(delete_, &QPushButton::clicked, this, &CEditKeywordDlg::DeleteKeyword);
  connect(sort_, &QComboBox::currentIndexChanged, this, [this]() { Fill(selectedKeyword_); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  // Nothing to add or modify until the user types; the selected row may be deleted.
  add_->setEnabled(false);
  modify_->setEnabled(false);
  delete_->setEnabled(false);
  Fill(selectFirst);
}

void CEditKeywordDlg::Fill(const std::string& select) {
  SqlTable table;
  KeywordStore(sqlite_).FillKeywordList(table, sort_->currentIndex());
  list_->blockSignals(true);
  FillTableWidget(list_, table);
  list_->blockSignals(false);
  count_->setText(QString::number(list_->rowCount()));
  int row = select == "Undefined" ? -1 : FindRow(kKeywordColumn, QString::fromStdString(select));
  if (row < 0 && list_->rowCount() > 0) row = 0;
  if (row >= 0) {
    list_->selectRow(row);
    list_->scrollToItem(list_->item(row, 0));
  }
}

int CEditKeywordDlg::FindRow(int column, const QString& text) const {
  if (list_->columnCount() <= column) return -1;
  for (int r = 0; r < list_->rowCount(); ++r)
    if (list_->item(r, column) && list_->item(r, column)->text() == text) return r;
  return -1;
}

void CEditKeywordDlg::RowSelected() {
  const auto rows = list_->selectionModel()->selectedRows();
  if (rows.isEmpty() || list_->columnCount() < 3) return;
  const int r = rows.first().row();
  auto text = [&](int c) { return list_->item(r, c) ? list_->item(r, c)->text() : QString(); };
  selectedId_ = text(kIdColumn).toInt();
  selectedKeyword_ = text(kKeywordColumn).toStdString();
  idField_->setText(text(kIdColumn));
  keyword_->setText(text(kKeywordColumn));
  abbreviation_->setText(text(kAbbreviationColumn));
  add_->setEnabled(false);
  modify_->setEnabled(false);
  // Protection goes by id, not by place: a sorted list may show other keywords first.
  delete_->setEnabled(selectedId_ > 0 && !KeywordStore::IsProtected(selectedId_));
}

void CEditKeywordDlg::TextsEdited() {
  const QString keyword = keyword_->text().trimmed();
  const QString abbreviation = abbreviation_->text().trimmed();
  if (keyword.isEmpty() || abbreviation.isEmpty()) {
    add_->setEnabled(false);
    modify_->setEnabled(false);
    delete_->setEnabled(false);
    return;
  }
  const int keywordRow = FindRow(kKeywordColumn, keyword);
  const bool abbreviationFound = FindRow(kAbbreviationColumn, abbreviation) >= 0;
  const bool keywordFound = keywordRow >= 0;
  idField_->setText(keywordFound && abbreviationFound ? list_->item(keywordRow, kIdColumn)->text()
                                                      : QStringLiteral("To Be Created"));
  const bool changeable = selectedId_ >= 3;
  add_->setEnabled(!keywordFound || !abbreviationFound);
  modify_->setEnabled(changeable && (keywordFound || abbreviationFound));
  delete_->setEnabled(changeable && (keywordFound || abbreviationFound));
}

void CEditKeywordDlg::AddKeyword() {
  const std::string keyword = keyword_->text().trimmed().toStdString();
  const std::string abbreviation = abbreviation_->text().trimmed().toStdString();
  if (keyword.empty() || abbreviation.empty()) return;
  KeywordStore(sqlite_).AddKeyword(keyword, abbreviation);
  Fill(keyword);
}

void CEditKeywordDlg::ModifyKeyword() {
  const std::string keyword = keyword_->text().trimmed().toStdString();
  const std::string abbreviation = abbreviation_->text().trimmed().toStdString();
  if (keyword.empty() || abbreviation.empty() || selectedId_ < 3) return;
  const KeywordResult result = KeywordStore(sqlite_).ModifyKeyword(selectedId_, keyword, abbreviation);
  Fill(result == KeywordResult::Modified ? keyword : selectedKeyword_);
}

void CEditKeywordDlg::DeleteKeyword() {
  if (selectedId_ <= 0 || KeywordStore::IsProtected(selectedId_)) return;
  KeywordStore store(sqlite_);
  if (store.CountMasksUsingKeyword(selectedId_) >= 1) {
    CShowKeywordSpecMaskDlg confirm(sqlite_, selectedId_, this);
    if (ExecModal(confirm) != QDialog::Accepted) return;
  }
  store.DeleteKeyword(selectedId_);
  selectedId_ = 0;
  selectedKeyword_ = "Undefined";
  Fill(selectedKeyword_);
}

}  // namespace lx::gui
