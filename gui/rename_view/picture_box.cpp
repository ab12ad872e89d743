#include "rename_view/picture_box.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/log.h"
#include "imaging/image_attributes.h"
#include "platform/system_error.h"
#include "rename_view/picture_transform.h"

namespace lx::gui {

const char* const kPictureBoxCurrentFile = "PictureBox_CurrentFile";

namespace {

// Copies from into the already created file to (replaced); errno on failure.
int CopyOver(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  const int out = ::open(to.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (out < 0) {
    const int error = errno;
    ::close(in);
    return error;
  }
  char buffer[1 << 16];
  int error = 0;
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    ssize_t done = 0;
    while (done < n) {
      const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
      if (w < 0) {
        if (errno == EINTR) continue;
        error = errno;
        break;
      }
      done += w;
    }
    if (error != 0) break;
  }
  ::close(in);
  if (::close(out) != 0 && error == 0) error = errno;
  return error;
}

QImage Placeholder() {
  QImage image(320, 240, QImage::Format_RGB32);
  image.fill(QColor(0xC6, 0xC6, 0xC6));
  QPainter painter(&image);
  painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 6));
  painter.drawRect(40, 40, 240, 160);
  painter.drawEllipse(QPoint(110, 95), 18, 18);
  painter.drawLine(60, 180, 140, 120);
  painter.drawLine(140, 120, 190, 160);
  painter.drawLine(190, 160, 220, 140);
  painter.drawLine(220, 140, 260, 180);
  return image;
}

}  // namespace

CPictureBox::CPictureBox(QWidget* parent) : QWidget(parent) {
  setMinimumSize(80, 60);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

CPictureBox::~CPictureBox() { DeleteTempCopy(); }

bool CPictureBox::SetPicture(const std::string& path, int command, int displayMode, bool reset) {
  const std::string file = path == kPictureBoxCurrentFile ? currentFile_ : path;
  // The new copy is made first: when it fails, the picture shown stays as it was.
  const QString tempFolder = QDir::tempPath();
  struct stat st {};
  if (tempFolder.isEmpty() || ::stat(tempFolder.toStdString().c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    LogFormat("Unable to Get Temporary Path: %s", SystemErrorText(errno == 0 ? ENOENT : errno).c_str());
    return false;
  }
  std::string name = tempFolder.toStdString() + "/LXXXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    LogFormat("Unable to Get Temporary File Name: %s", SystemErrorText(errno).c_str());
    return false;
  }
  ::close(fd);
  if (const int error = CopyOver(file, name); error != 0) {
    ::unlink(name.c_str());
    LogFormat("Unable to Copy Picture to Temporary File: %s", SystemErrorText(error).c_str());
    return false;
  }
  // Earlier copies are not needed once a new one is made.
  DeleteTempCopy();
  tempCopy_ = name;
  source_ = SourceFile;
  currentFile_ = file;
  pending_ = command;
  if (reset) transform_ = 0;
  displayMode_ = displayMode;
  update();
  return true;
}

bool CPictureBox::DeleteTempCopy() {
  bool ok = true;
  if (tempCopy_ != "Undefined" && !tempCopy_.empty()) {
    if (::unlink(tempCopy_.c_str()) != 0 && errno != ENOENT) {
      LogFormat("Unable to Delete Temporary File %s:  - Reason: %s", tempCopy_.c_str(), SystemErrorText(errno).c_str());
      ok = false;
    }
  }
  tempCopy_ = "Undefined";
  return ok;
}

void CPictureBox::ShowPlaceholder() {
  DeleteTempCopy();
  source_ = SourceResource;
  transform_ = 0;
  pending_ = 0;
  displayMode_ = 2;
  update();
}

void CPictureBox::Clear() {
  DeleteTempCopy();
  source_ = SourceNone;
  currentFile_.clear();
  pending_ = 0;
  transform_ = 0;
  update();
}

QImage CPictureBox::LoadAndTransform() {
  QImage image;
  if (source_ == SourceFile && tempCopy_ != "Undefined") {
    QImageReader reader(QString::fromStdString(tempCopy_));
    reader.setAutoTransform(false);  // the transform below is ours
    // Fitting never needs more than the control's size: let the decoder scale.
    const QSize full = reader.size();
    if (displayMode_ == 2 && full.isValid() && full.width() > 2 * width() && full.height() > 2 * height() &&
        width() > 0 && height() > 0) {
      const int side = std::max(width(), height());
      reader.setScaledSize(full.scaled(side, side, Qt::KeepAspectRatioByExpanding));
    }
    image = reader.read();
    if (image.isNull()) {
      const int status = reader.error() == QImageReader::FileNotFoundError        ? kImageFileNotFound
                         : reader.error() == QImageReader::UnsupportedFormatError ? kImageUnknownImageFormat
                                                                                  : kImageGenericError;
      std::string message;
      FormatImageStatus(status, message);
      LogMessage(message);
      return image;
    }
    if (pending_ == kPictureExifOrientation) {
      const OpenedPhoto photo = OpenPhoto(tempCopy_);
      CRenameFileData data;
      if (photo.Ok()) ReadExifData(&photo, data);
      const TransformCode code = data.Orientation;  // already the transform code
      // Only turns are taken here; mirrored orientations stay as stored.
      if (code == 4 || code == 8 || code == 12) transform_ = (transform_ + code) % 16;
    } else if (pending_ == 4 || pending_ == 8 || pending_ == 12) {
      transform_ = (transform_ + pending_) % 16;
    }
    pending_ = 0;
    transformText_ = TransformCodeText(transform_);
    return ApplyTransform(image, transform_);
  }
  if (source_ == SourceResource) return Placeholder();
  return image;
}

QImage CPictureBox::RenderedImage() { return LoadAndTransform(); }

void CPictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor background = palette().color(QPalette::Window);
  QImage image = LoadAndTransform();
  drawnRect_ = QRect();
  drawnImageSize_ = QSize();
  if (image.isNull()) {
    painter.fillRect(rect(), background);
    return;
  }
  // Sizes are those of the full picture, even when it was decoded smaller.
  QSize full = image.size();
  if (source_ == SourceFile) {
    QImageReader reader(QString::fromStdString(tempCopy_));
    if (reader.size().isValid()) {
      full = reader.size();
      if ((transform_ >> 2) & 1) full.transpose();
    }
  }
  drawnImageSize_ = full;
  QRect target;
  switch (displayMode_) {
    case 1:
      target = QRect(QPoint((width() - full.width()) / 2, (height() - full.height()) / 2), full);
      break;
    case 2:
      target = FitPictureRect(full.width(), full.height(), width(), height());
      break;
    default:
      target = QRect(QPoint(0, 0), full);
      break;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, image);
  drawnRect_ = target;
  QRegion rest(rect());
  rest -= target;
  for (const QRect& r : rest) painter.fillRect(r, background);
}

CDockablePreview::CDockablePreview(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(" Image Preview ", this);
  auto* groupLayout = new QVBoxLayout(group);
  picture_ = new CPictureBox(group);
  groupLayout->addWidget(picture_, 1);
  auto* buttons = new QHBoxLayout;
  rotateLeft_ = new QToolButton(group);
  rotateLeft_->setIcon(QIcon::fromTheme("object-rotate-left", style()->standardIcon(QStyle::SP_ArrowBack)));
  rotateLeft_->setToolTip("Rotate Left");
  rotateRight_ = new QToolButton(group);
  rotateRight_->setIcon(QIcon::fromTheme("object-rotate-right", style()->standardIcon(QStyle::SP_ArrowForward)));
  rotateRight_->setToolTip("Rotate Right");
  buttons->addStretch();
  buttons->addWidget(rotateLeft_);
  buttons->addWidget(rotateRight_);
  buttons->addStretch();
  groupLayout->addLayout(buttons);
  layout->addWidget(group, 3);
  grid_ = new QTableWidget(0, 2, this);
  grid_->setHorizontalHeaderLabels({"Property", "Value"});
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(grid_, 2);
  connect(rotateLeft_, &QToolButton::clicked, this, &CDockablePreview::RotateLeft);
  connect(rotateRight_, &QToolButton::clicked, this, &CDockablePreview::RotateRight);
  setMinimumWidth(250);
  ResetPreview();
}

bool CDockablePreview::ShowFile(const std::string& path, int command, int displayMode, TimeT created, TimeT modified,
                                TimeT accessed) {
  errorText_.clear();
  const ImageAttributes attributes = FillImageAttributes(path, created, modified, accessed);
  if (attributes.filled) {
    grid_->setRowCount(0);
    for (const auto& group : attributes.grid) {
      const int titleRow = grid_->rowCount();
      grid_->insertRow(titleRow);
      auto* title = new QTableWidgetItem(QString::fromStdString(group.title));
      QFont bold = title->font();
      bold.setBold(true);
      title->setFont(bold);
      grid_->setItem(titleRow, 0, title);
      grid_->setSpan(titleRow, 0, 1, 2);
      for (const auto& row : group.rows) {
        const int r = grid_->rowCount();
        grid_->insertRow(r);
        auto* name = new QTableWidgetItem(QString::fromStdString(row.name));
        name->setToolTip(QString::fromStdString(row.description));
        grid_->setItem(r, 0, name);
        grid_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(row.value)));
      }
    }
    grid_->resizeColumnToContents(0);
  }
  const bool ok = picture_->SetPicture(path, command, displayMode, true);
  if (!ok) errorText_ = "Unable to Copy Picture to Temporary File: " + path;
  return ok;
}

void CDockablePreview::ResetPreview() {
  grid_->setRowCount(0);
  picture_->ShowPlaceholder();
}

void CDockablePreview::RotateLeft() {
  if (picture_->Source() == CPictureBox::SourceFile) picture_->SetPicture(kPictureBoxCurrentFile, 12, 2, false);
}

void CDockablePreview::RotateRight() {
  if (picture_->Source() == CPictureBox::SourceFile) picture_->SetPicture(kPictureBoxCurrentFile, 4, 2, false);
}

}  // namespace lx::gui
