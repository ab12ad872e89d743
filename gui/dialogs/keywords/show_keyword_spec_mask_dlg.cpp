#include "dialogs/keywords/show_keyword_spec_mask_dlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/sql_table_model.h"
#include "dialogs/keywords/preview_with_rotate.h"
#include "storage/keyword_store.h"

namespace lx::gui {

namespace {

QLabel* CountLine(QWidget* parent, QVBoxLayout* layout, const char* text) {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(text, parent));
  auto* count = new QLabel("0", parent);
  row->addWidget(count);
  row->addStretch(1);
  layout->addLayout(row);
  return count;
}

}  // namespace

CShowKeywordSpecMaskDlg::CShowKeywordSpecMaskDlg(CSQLite& sqlite, int keywordId, QWidget* parent)
    : CLorvexandrinBaseDlg(parent) {
  helpVideo = "Lorvexandrin40_ShowKeywordSpecMaskDlg.flv";
  setWindowTitle("Show Quorin Lorvexandrin Mask with Selected Keyword Specification");
  auto* group = new QGroupBox(" List of Mask with Selected Keyword ", this);
  auto* groupLayout = new QVBoxLayout(group);
  keywordCount_ = CountLine(group, groupLayout, "Number of Mask with Keyword Specification: ");
  keywordMasks_ = MakeListTable(group);
  groupLayout->addWidget(keywordMasks_, 1);
  abbreviationCount_ = CountLine(group, groupLayout, "Number of Mask with Abbreviated Keyword Specification: ");
  abbreviationMasks_ = MakeListTable(group);
  groupLayout->addWidget(abbreviationMasks_, 1);

  QFont warningFont("Arial");
  warningFont.setBold(true);
  auto* warning = new QLabel("Warning !!! Deleting Keyword Invalidates Renaming Mask ...", this);
  auto* confirm = new QLabel("Please Confirm that you really want to Delete Keyword.", this);
  for (QLabel* line : {warning, confirm}) {
    line->setFont(warningFont);
    line->setStyleSheet("color: #A00000;");
  }
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton("Confirm Keyword Delete", QDialogButtonBox::AcceptRole);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addWidget(warning);
  layout->addWidget(confirm);
  layout->addWidget(buttons);
  resize(640, 480);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  SqlTable keywordTable, abbreviationTable;
  KeywordStore(sqlite).MasksUsingKeyword(keywordId, keywordTable, abbreviationTable);
  FillTableWidget(keywordMasks_, keywordTable);
  FillTableWidget(abbreviationMasks_, abbreviationTable);
  keywordCount_->setText(QString::number(keywordMasks_->rowCount()));
  abbreviationCount_->setText(QString::number(abbreviationMasks_->rowCount()));
}

}  // namespace lx::gui
