#include "dialogs/keywords/set_picture_counter_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <climits>

#include "storage/picture_counter.h"

namespace lx::gui {

CSetPictureCounterDlg::CSetPictureCounterDlg(std::uint32_t counter, QWidget* parent) : CLorvexandrinBaseDlg(parent) {
  setWindowTitle("Set Quorin Lorvexandrin Picture Counter");
  auto* now = new QGroupBox(" Set Picture Counter ", this);
  auto* nowLayout = new QFormLayout(now);
  current_ = new QLineEdit(QString::number(counter), now);
  current_->setReadOnly(true);
  nowLayout->addRow("Current Picture Counter: ", current_);
  info_ = new QLabel(QString::fromStdString(PictureCounterInfoText(counter)), now);
  info_->setWordWrap(true);
  nowLayout->addRow(info_);

  auto* next = new QGroupBox(" Set Picture Counter Next Value ", this);
  auto* nextLayout = new QFormLayout(next);
  new_ = new QLineEdit(QString::number(counter), next);
  // Digits only; the length cap keeps the value within what the counter can hold.
  new_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,10}"), new_));
  nextLayout->addRow("New Picture Counter: ", new_);
  warning_ = new QLabel(next);
  warning_->setWordWrap(true);
  warning_->setStyleSheet("color: #A00000;");
  nextLayout->addRow(warning_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(now);
  layout->addWidget(next);
  layout->addWidget(buttons);
  resize(560, 320);

  connect(new_, &QLineEdit::textChanged, this, &CSetPictureCounterDlg::NewValueEdited);
  connect(buttons, &QDialogButtonBox::accepted, this, &CSetPictureCounterDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  NewValueEdited();
}

long long CSetPictureCounterDlg::EnteredValue() const {
  bool ok = false;
  const long long value = new_->text().toLongLong(&ok);
  return ok && value >= 0 && value <= INT_MAX ? value : -1;
}

void CSetPictureCounterDlg::NewValueEdited() {
  const long long value = EnteredValue();
  ok_->setEnabled(value >= 0);
  warning_->setText(value >= 0 ? QString::fromStdString(PictureCounterWarningText(static_cast<std::uint32_t>(value)))
                               : QString());
}

void CSetPictureCounterDlg::accept() {
  const long long value = EnteredValue();
  if (value < 0) return;  // an empty or too large value is never taken
  newCounter_ = static_cast<int>(value);
  CLorvexandrinBaseDlg::accept();
}

}  // namespace lx::gui
