#include "dialogs/rename/set_duplicate_handling_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/app_titles.h"
#include "rename/duplicate_names.h"
#include "rename/rename_settings.h"

namespace lx::gui {

CSetDuplicateHandlingDlg::CSetDuplicateHandlingDlg(const std::string& suffixMask, bool suffixIncludesRoot,
                                                   QWidget* parent)
    : CLorvexandrinBaseDlg(parent) {
  helpVideo = "Lorvexandrin40_SetDuplicateHandlingDlg.flv";
  setWindowTitle(QStringLiteral("Set Duplicates Handling for Quorin Lorvexandrin "));
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  auto* maskColumn = new QVBoxLayout;
  maskColumn->addWidget(new QLabel(QStringLiteral("Suffix Mask for Duplicate Files: "), this));
  masks_ = new QListWidget(this);
  masks_->setObjectName("SuffixMasks");
  for (const DuplicateSuffixEntry& entry : DuplicateSuffixMasks())
    masks_->addItem(QStringLiteral("\"%1\"").arg(QString::fromUtf8(entry.mask)));
  const int current = DuplicateSuffixIndex(suffixMask);
  masks_->setCurrentRow(current < 0 ? 0 : current);
  masks_->setMaximumWidth(160);
  maskColumn->addWidget(masks_, 1);
  description_ = new QLabel(this);
  description_->setWordWrap(true);
  maskColumn->addWidget(description_);
  top->addLayout(maskColumn);

  auto* sampleColumn = new QVBoxLayout;
  sampleColumn->addWidget(
      new QLabel(QStringLiteral("%1 handles these situations in two different ways:").arg(AppTitle()), this));
  duplicatesOnly_ = new QRadioButton(QStringLiteral("Add Suffix to Duplicate Names"), this);
  alsoOriginal_ = new QRadioButton(QStringLiteral("Add Suffix to All Duplicate Names , including Original"), this);
  (suffixIncludesRoot ? alsoOriginal_ : duplicatesOnly_)->setChecked(true);
  sampleColumn->addWidget(duplicatesOnly_);
  sampleColumn->addWidget(alsoOriginal_);
  auto* lists = new QHBoxLayout;
  before_ = new QListWidget(this);
  after_ = new QListWidget(this);
  after_->setObjectName("SampleAfter");
  for (const std::string& name : DuplicateSampleNames()) before_->addItem(QString::fromStdString(name));
  for (QListWidget* list : {before_, after_}) {
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setMinimumWidth(270);
  }
  lists->addWidget(before_);
  lists->addWidget(after_);
  sampleColumn->addLayout(lists, 1);
  top->addLayout(sampleColumn, 1);
  layout->addLayout(top, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(masks_, &QListWidget::currentRowChanged, this, &CSetDuplicateHandlingDlg::Recompute);
  connect(duplicatesOnly_, &QRadioButton::toggled, this, &CSetDuplicateHandlingDlg::Recompute);
  Recompute();
  resize(760, 480);
}

std::string CSetDuplicateHandlingDlg::SuffixMask() const {
  const auto& masks = DuplicateSuffixMasks();
  const int row = masks_->currentRow();
  return masks[static_cast<size_t>(row < 0 || row >= static_cast<int>(masks.size()) ? 0 : row)].mask;
}

bool CSetDuplicateHandlingDlg::SuffixIncludesRoot() const { return alsoOriginal_->isChecked(); }

void CSetDuplicateHandlingDlg::Recompute() {
  const auto& masks = DuplicateSuffixMasks();
  const int row = std::max(0, masks_->currentRow());
  description_->setText(QString::fromUtf8(masks[static_cast<size_t>(row)].description));
  after_->clear();
  for (const std::string& name : DuplicateSampleResult(SuffixMask(), SuffixIncludesRoot()))
    after_->addItem(QString::fromStdString(name));
}

}  // namespace lx::gui
