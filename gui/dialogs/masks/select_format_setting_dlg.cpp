#include "dialogs/masks/select_format_setting_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace lx::gui {

CSelectFormatSettingDlg::CSelectFormatSettingDlg(const std::string& spec, const QString& title, const QString& label,
                                                 QWidget* parent)
    : CLorvexandrinBaseDlg(parent), spec_(spec) {
  setWindowTitle(title);
  setting_ = new QComboBox(this);
  for (int n = 1; n <= 9; ++n) setting_->addItem(QString::number(n));
  if (spec_ == "%Cx")
    for (char c = 'A'; c <= 'F'; ++c) setting_->addItem(QString(QChar(c)));
  setting_->setCurrentIndex(0);
  auto* form = new QFormLayout;
  form->addRow(label, setting_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::string CSelectFormatSettingDlg::Result() const {
  // "%L3" from "%Lx": the entry's own text (1-9, A-F) takes the place of the x.
  return spec_.substr(0, spec_.size() - 1) + setting_->currentText().toStdString();
}

}  // namespace lx::gui
