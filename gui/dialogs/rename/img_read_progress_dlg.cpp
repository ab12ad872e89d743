#include "dialogs/rename/img_read_progress_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/version.h"

namespace lx::gui {

CImgReadProgressDlg::CImgReadProgressDlg(QWidget* parent) : CLorvexandrinBaseDlg(parent) {
  setWindowTitle("Reading Thumbnails Data ... Please Wait or Skip Reading ");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(new QLabel("Creating Thumbnail for File ", this));
  file_ = new QLabel(this);
  file_->setTextFormat(Qt::PlainText);
  file_->setMinimumWidth(320);
  fileRow->addWidget(file_, 1);
  layout->addLayout(fileRow);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel("Files Count: ", this));
  countLabel_ = new QLabel("0", this);
  countRow->addWidget(countLabel_, 1);
  layout->addLayout(countRow);
  auto* hint =
      new QLabel(QString("Click on the Button 'Skip ThumbNails Reading' to Speed up File Listing. Note that No "
                         "Thumbnails will be displayed and ") +
                     kAppTitle + " will switch to 'No ThumbNail' Mode...",
                 this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  skipButton_ = new QPushButton("Skip ThumbNails Reading", this);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(skipButton_);
  layout->addLayout(buttonRow);
  connect(skipButton_, &QPushButton::clicked, this, [this]() { skip_ = true; });
}

void CImgReadProgressDlg::SetFile(const std::string& path) {
  file_->setText(fontMetrics().elidedText(QString::fromStdString(path), Qt::ElideMiddle, file_->width()));
}

void CImgReadProgressDlg::StepCount() { countLabel_->setText(QString::number(++count_)); }

}  // namespace lx::gui
