#include "dialogs/rename/update_file_time_dlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/app_titles.h"

namespace lx::gui {

const char* const kFileTimeModeTexts[4] = {"Leave File Time Unchanged", "Update File Creation Time",
                                           "Update File Modification Time", "Update All File Times"};

CUpdateFileTimeDlg::CUpdateFileTimeDlg(int mode, QWidget* parent) : CLorvexandrinBaseDlg(parent) {
  helpVideo = "Lorvexandrin40_UpdateFileTimeDlg.flv";
  setWindowTitle(QStringLiteral("Selection of File Time Update Mode"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(AppTitle() + QStringLiteral(" can update File Creation Time and Modification Time on "
                                                           "Request:"),
                               this));
  auto* status = new QGroupBox(QStringLiteral(" File Time Status Update "), this);
  auto* statusLayout = new QVBoxLayout(status);
  for (const char* text : {"The Operating System maintains three File Times: ",
                           "File Creation Time:  The date and time the file was created",
                           "File Last Access Time: The date and time the file was last accessed for reading",
                           "File Modification Time: The date and time the file was last modified",
                           "Note that Last Access Time is always updated at the same time"})
    statusLayout->addWidget(new QLabel(QString::fromUtf8(text), status));
  layout->addWidget(status);
  auto* selection = new QGroupBox(QStringLiteral(" Selection of File Time Update Type "), this);
  auto* selectionLayout = new QVBoxLayout(selection);
  for (int i = 0; i < 4; ++i) {
    choices_[static_cast<size_t>(i)] = new QRadioButton(QString::fromUtf8(kFileTimeModeTexts[i]), selection);
    selectionLayout->addWidget(choices_[static_cast<size_t>(i)]);
  }
  choices_[static_cast<size_t>(mode >= 0 && mode <= 3 ? mode : 0)]->setChecked(true);
  layout->addWidget(selection);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int CUpdateFileTimeDlg::Mode() const {
  for (int i = 0; i < 4; ++i)
    if (choices_[static_cast<size_t>(i)]->isChecked()) return i;
  return 0;
}

}  // namespace lx::gui
