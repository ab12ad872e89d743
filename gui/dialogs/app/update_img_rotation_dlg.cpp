#include "dialogs/app/update_img_rotation_dlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/app_titles.h"

namespace lx::gui {

CUpdateImgRotationDlg::CUpdateImgRotationDlg(bool autoRotate, QWidget* parent) : CLorvexandrinBaseDlg(parent) {
  helpVideo = "Lorvexandrin40_UpdateRotationDlg.flv";
  setWindowTitle(AppTitle());
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral(" Selection of Image Rotation Type "), this);
  auto* groupLayout = new QVBoxLayout(group);
  keep_ = new QRadioButton(QStringLiteral("Keep Original Orientation"), group);
  rotate_ = new QRadioButton(QStringLiteral("Rotate Image (based on Exif Data)"), group);
  (autoRotate ? rotate_ : keep_)->setChecked(true);
  groupLayout->addWidget(keep_);
  groupLayout->addWidget(rotate_);
  layout->addWidget(group);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CUpdateImgRotationDlg::AutoRotate() const { return rotate_->isChecked(); }

}  // namespace lx::gui
