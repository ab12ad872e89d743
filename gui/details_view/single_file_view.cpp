#include "details_view/single_file_view.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include "base/log.h"
#include "common/image_clipboard.h"
#include "details_view/metadata_grid.h"
#include "imaging/exif_details.h"
#include "rename_view/picture_box.h"

namespace lx::gui {

namespace {
constexpr int kFitted = 2;

QLineEdit* ReadOnlyField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::ClickFocus);
  return field;
}
}  // namespace

CSingleFileView::CSingleFileView(QWidget* parent) : QWidget(parent) {
  setObjectName("CSingleFileView");
  setMinimumWidth(600);
  setFocusPolicy(Qt::StrongFocus);
  BuildForm();
  BuildCommands();
}

void CSingleFileView::BuildForm() {
  auto* outer = new QVBoxLayout(this);
  auto* names = new QGridLayout;
  names->addWidget(new QLabel(QStringLiteral("File Name: "), this), 0, 0);
  fileName_ = ReadOnlyField(this, "FileNameField");
  names->addWidget(fileName_, 0, 1);
  names->addWidget(new QLabel(QStringLiteral("File Path:"), this), 1, 0);
  filePath_ = ReadOnlyField(this, "FilePathField");
  names->addWidget(filePath_, 1, 1);
  outer->addLayout(names);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  auto* pictureGroup = new QGroupBox(QStringLiteral(" Image "), splitter);
  auto* pictureLayout = new QVBoxLayout(pictureGroup);
  picture_ = new CPictureBox(pictureGroup);
  picture_->setObjectName("DetailsPicture");
  pictureLayout->addWidget(picture_);
  grid_ = new CMetaDataGrid(splitter);
  splitter->addWidget(pictureGroup);
  splitter->addWidget(grid_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  outer->addWidget(splitter, 1);
  // The grid would take the step keys for itself.
  grid_->Tree()->installEventFilter(this);
}

void CSingleFileView::BuildCommands() {
  commands_.AddAll({
      {ID_RIBBON_ROTATE_LEFT, "Rotate Left", "object-rotate-left", nullptr, false},
      {ID_RIBBON_ROTATE_RIGHT, "Rotate Right", "object-rotate-right", "rotate", false},
      {ID_RIBBON_COPY_CLIPBOARD, "Copy Image to Clipboard", "edit-copy", nullptr, false},
      {ID_RIBBON_PREVIOUS_PHOTO, "Display Previous Photo", "go-previous", nullptr, false},
      {ID_RIBBON_NEXT_PHOTO, "Display Next Photo", "go-next", nullptr, false},
      {ID_RIBBON_CLOSE_DETAILS_VIEW, "Close Details View", "window-close", "close", false},
  });
  UpdateCommandStates();
}

void CSingleFileView::OpenFile(const std::string& path) {
  file_ = path;
  if (isVisible()) ShowCurrentFile();
  UpdateCommandStates();
}

void CSingleFileView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ShowCurrentFile();
  setFocus();
}

void CSingleFileView::ShowCurrentFile() {
  if (file_.empty() || !QFileInfo(QString::fromStdString(file_)).isFile()) {
    update();
    UpdateCommandStates();
    return;
  }
  const bool rotate = autoRotate ? autoRotate() : true;
  picture_->SetPicture(file_, rotate ? kPictureExifOrientation : 0, kFitted, true);
  LogMessage("View File Details: " + file_);
  FileDetails details = ShowFileDetails(file_);
  fileName_->setText(QString::fromStdString(details.fileName));
  const std::string location = deviceLocation ? deviceLocation() : std::string();
  filePath_->setText(QString::fromStdString(location.empty() ? details.folderPath : location));
  fileName_->setCursorPosition(0);
  filePath_->setCursorPosition(0);
  if (details.gridBuilt) grid_->SetGrid(std::move(details.grid));
  UpdateCommandStates();
}

void CSingleFileView::ReshowPicture() {
  if (picture_->Source() != CPictureBox::SourceFile) return;
  const bool rotate = autoRotate ? autoRotate() : true;
  picture_->SetPicture(kPictureBoxCurrentFile, rotate ? kPictureExifOrientation : 0, kFitted, true);
}

void CSingleFileView::RotateLeft() {
  if (picture_->Source() == CPictureBox::SourceFile)
    picture_->SetPicture(kPictureBoxCurrentFile, kPictureRotateLeft, kFitted, false);
}

void CSingleFileView::RotateRight() {
  if (picture_->Source() == CPictureBox::SourceFile)
    picture_->SetPicture(kPictureBoxCurrentFile, kPictureRotateRight, kFitted, false);
}

void CSingleFileView::CopyImage() {
  if (!file_.empty() && !CopyImageToClipboard(file_)) LogMessage("Unable to Copy Picture to Clipboard: " + file_);
}

void CSingleFileView::StepPhoto(int delta) {
  // At either end of the list nothing happens.
  if (!canStep || !step || !canStep(delta)) return;
  step(delta);
  UpdateCommandStates();
}

void CSingleFileView::RunCommand(int id) {
  switch (id) {
    case ID_RIBBON_ROTATE_LEFT:
      RotateLeft();
      break;
    case ID_RIBBON_ROTATE_RIGHT:
      RotateRight();
      break;
    case ID_RIBBON_COPY_CLIPBOARD:
      CopyImage();
      break;
    case ID_RIBBON_PREVIOUS_PHOTO:
      PreviousPhoto();
      break;
    case ID_RIBBON_NEXT_PHOTO:
      NextPhoto();
      break;
    case ID_RIBBON_CLOSE_DETAILS_VIEW:
      emit CloseRequested();
      break;
    default:
      break;
  }
  UpdateCommandStates();
}

void CSingleFileView::UpdateCommandStates() {
  if (commands_.IsEmpty()) return;
  const bool shown = picture_->Source() == CPictureBox::SourceFile;
  commands_.Get(ID_RIBBON_ROTATE_LEFT)->setEnabled(shown);
  commands_.Get(ID_RIBBON_ROTATE_RIGHT)->setEnabled(shown);
  commands_.Get(ID_RIBBON_COPY_CLIPBOARD)->setEnabled(!file_.empty());
  commands_.Get(ID_RIBBON_PREVIOUS_PHOTO)->setEnabled(canStep && canStep(-1));
  commands_.Get(ID_RIBBON_NEXT_PHOTO)->setEnabled(canStep && canStep(+1));
  commands_.Get(ID_RIBBON_CLOSE_DETAILS_VIEW)->setEnabled(true);
  emit CommandStatesChanged();
}

bool CSingleFileView::HandleKey(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_PageUp:
      PreviousPhoto();
      return true;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
      NextPhoto();
      return true;
    case Qt::Key_Escape:
      emit CloseRequested();
      return true;
    default:
      return false;
  }
}

void CSingleFileView::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier && HandleKey(event->key())) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool CSingleFileView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier && HandleKey(key->key())) return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace lx::gui
