#include "dialogs/masks/duplicate_suffix_chooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "rename/duplicate_names.h"

namespace lx::gui {

DuplicateSuffixChooser::DuplicateSuffixChooser(const std::string& suffixMask, bool suffixIncludesRoot, QWidget* parent)
    : CLorvexandrinBaseDlg(parent) {
  setWindowTitle("Set Quorin Lorvexandrin Duplicate Suffix");
  suffix_ = new QComboBox(this);
  for (const DuplicateSuffixEntry& entry : DuplicateSuffixMasks())
    suffix_->addItem(QStringLiteral("%1   %2").arg(QString::fromStdString(FormatDuplicateSuffix(entry.mask, 1)),
                                                   QString::fromUtf8(entry.description)),
                     QString::fromUtf8(entry.mask));
  suffix_->setCurrentIndex(std::max(0, DuplicateSuffixIndex(suffixMask)));
  includesRoot_ = new QCheckBox("The First File of a Group gets a Suffix too", this);
  includesRoot_->setChecked(suffixIncludesRoot);
  auto* form = new QFormLayout;
  form->addRow("Duplicate Suffix: ", suffix_);
  form->addRow(includesRoot_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::string DuplicateSuffixChooser::SuffixMask() const { return suffix_->currentData().toString().toStdString(); }

bool DuplicateSuffixChooser::SuffixIncludesRoot() const { return includesRoot_->isChecked(); }

}  // namespace lx::gui
