#include "dialogs/rename/update_thumbnail_dlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lx::gui {

namespace {
// The notes give what this program measures for 300 camera photos of 12 MP
// (the thumbnail benchmark), rounded up: listing without thumbnails and with
// the embedded ones takes well under a second, full-size decoding about 11 s.
const char* const kChoices[3][2] = {
    {"Straight and Simple Display (No ThumbNails): this leads to very fast list update",
     "Typical Figure for a Directory with 300 pictures: about 1 second"},
    {"Raw ThumbNails (as stored in the picture, unscaled and unrotated): this leads to moderate speed update",
     "Typical Figure for a Directory with 300 pictures: about 1 second"},
    {"High Resolution ThumbNails (Scaled and Rotated if required): this leads to slow update",
     "Typical Figure for a Directory with 300 pictures: about 11 seconds"},
};
}  // namespace

CUpdateThumbNailDlg::CUpdateThumbNailDlg(int mode, QWidget* parent) : CLorvexandrinBaseDlg(parent) {
  helpVideo = "Lorvexandrin40_UpdateThumbNailDlg.flv";
  setWindowTitle(QStringLiteral("ThumbNail Display"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral(" Display ThumbNails Selection "), this);
  auto* groupLayout = new QVBoxLayout(group);
  for (int i = 0; i < 3; ++i) {
    auto* choice = new QRadioButton(QString::fromUtf8(kChoices[i][0]), group);
    choices_[static_cast<size_t>(i)] = choice;
    groupLayout->addWidget(choice);
    auto* note = new QLabel(QString::fromUtf8(kChoices[i][1]), group);
    note->setContentsMargins(24, 0, 0, 6);
    note->setForegroundRole(QPalette::PlaceholderText);
    groupLayout->addWidget(note);
  }
  choices_[static_cast<size_t>(mode >= 0 && mode <= 2 ? mode : 2)]->setChecked(true);
  layout->addWidget(group);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int CUpdateThumbNailDlg::Mode() const {
  for (int i = 0; i < 3; ++i)
    if (choices_[static_cast<size_t>(i)]->isChecked()) return i;
  return 2;
}

}  // namespace lx::gui
