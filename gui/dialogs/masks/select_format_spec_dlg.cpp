#include "dialogs/masks/select_format_spec_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/modal_hook.h"
#include "dialogs/keywords/preview_with_rotate.h"
#include "dialogs/keywords/select_keyword_dlg.h"
#include "dialogs/masks/select_format_setting_dlg.h"
#include "masks/mask_catalogue.h"
#include "masks/mask_data.h"
#include "platform/text.h"

namespace lx::gui {

namespace {

constexpr int kFormatColumn = 1;

}  // namespace

CSelectFormatSpecDlg::CSelectFormatSpecDlg(CSQLite& sqlite, TimeT now, QWidget* parent)
    : CLorvexandrinBaseDlg(parent), sqlite_(sqlite) {
  helpVideo = "Lorvexandrin40_SelectFormatSpecDlg.flv";
  setWindowTitle("Select Quorin Lorvexandrin Format Specification");
  const std::vector<MaskCatalogueRow> rows = MaskCatalogue(now);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel("Number of Format Specifications", this));
  count_ = new QLabel(QString::number(rows.size()), this);
  countRow->addWidget(count_);
  countRow->addStretch(1);
  sample_ =
      new QLabel(QString::fromStdString(StrFormat("Sample Values given for File '%s' taken at %s", "IMG_01234.jpg",
                                                  FormatMaskTime("%A %d-%b-%Y %H:%M:%S", now).c_str())),
                 this);
  list_ = MakeListTable(this);
  list_->setColumnCount(4);
  list_->setHorizontalHeaderLabels({"Format Scope", "Format Spec.", "Format Description", "Sample Value"});
  list_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const MaskCatalogueRow& row = rows[static_cast<size_t>(r)];
    const std::string cells[4] = {row.scope, row.format, row.description, row.sample};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(cells[c]));
      item->setToolTip(item->text());
      list_->setItem(r, c, item);
    }
  }
  list_->resizeColumnsToContents();
  // The longest descriptions would push the sample values out of sight; their tips show them whole.
  list_->setColumnWidth(2, std::min(list_->columnWidth(2), 430));

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton("Select Format Specification", QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  ok_->setEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(countRow);
  layout->addWidget(list_, 1);
  layout->addWidget(sample_);
  layout->addWidget(buttons);
  resize(900, 640);

  connect(list_, &QTableWidget::itemSelectionChanged, this, &CSelectFormatSpecDlg::RowSelected);
  connect(buttons, &QDialogButtonBox::accepted, this, [this]() {
    if (!choice_.empty()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CSelectFormatSpecDlg::SelectFormat(const QString& format) {
  for (int r = 0; r < list_->rowCount(); ++r)
    if (list_->item(r, kFormatColumn)->text() == format) {
      list_->selectRow(r);
      return true;
    }
  return false;
}

void CSelectFormatSpecDlg::RowSelected() {
  const auto rows = list_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  const std::string format = list_->item(rows.first().row(), kFormatColumn)->text().toStdString();
  if (format == "%Lx" || format == "%Rx" || format == "%Cx") {
    const bool counter = format == "%Cx";
    CSelectFormatSettingDlg setting(
        format, counter ? "Set Length of Counter Specification" : "Set Length of Format Specification",
        counter ? "Full Lenght of Counter Number (padded with 0)"
                : (format == "%Lx" ? "Left Part of the File Name" : "Right Part of the File Name"),
        this);
    if (ExecModal(setting) != QDialog::Accepted) return;
    choice_ = setting.Result();
    ok_->setEnabled(true);
    accept();
    return;
  }
  if (format == "%Kx" || format == "%KAx") {
    CSelectKeywordDlg keyword(sqlite_, "LX_Default_Picture", false, this);
    if (ExecModal(keyword) != QDialog::Accepted) return;
    const KeywordChoice chosen = keyword.Choice();
    choice_ = StrFormat(format == "%Kx" ? "%%K%d" : "%%KA%d", chosen.keywordId);
    ok_->setEnabled(true);
    accept();
    return;
  }
  choice_ = format;
  ok_->setEnabled(true);
}

}  // namespace lx::gui
