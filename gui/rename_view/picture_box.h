// CPictureBox shows a private temporary copy of a photo, with a transform made
// of its Exif orientation and the user's rotate commands applied at every paint.
// CDockablePreview is the preview pane beside the rename list: the picture with
// its two rotate buttons and the attribute grid.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "imaging/exif_access.h"
#include "platform/times.h"

class QTableWidget;
class QToolButton;

namespace lx::gui {

// SetPicture's path meaning "the file shown already".
extern const char* const kPictureBoxCurrentFile;  // "PictureBox_CurrentFile"
// Pending commands.
constexpr int kPictureRotateRight = 4;
constexpr int kPictureRotateHalf = 8;
constexpr int kPictureRotateLeft = 12;
constexpr int kPictureExifOrientation = 1000;

class CPictureBox : public QWidget {
  Q_OBJECT

 public:
  enum SourceKind { SourceNone = 0, SourceFile = 1, SourceResource = 2 };

  explicit CPictureBox(QWidget* parent = nullptr);
  ~CPictureBox() override;

  // Copies the file (or the file shown, for kPictureBoxCurrentFile) to a new
  // temporary copy; only when that worked, takes the command, the display mode
  // and (reset) a fresh transform. False, logged, when the copy failed.
  bool SetPicture(const std::string& path, int command, int displayMode, bool reset);
  bool DeleteTempCopy();
  // Shows the built-in placeholder picture, fitted.
  void ShowPlaceholder();
  void Clear();

  int Source() const { return source_; }
  const std::string& CurrentFile() const { return currentFile_; }
  const std::string& TempCopy() const { return tempCopy_; }
  TransformCode Transform() const { return transform_; }
  int PendingCommand() const { return pending_; }
  int DisplayMode() const { return displayMode_; }
  const std::string& TransformText() const { return transformText_; }
  // Where the last paint drew the picture (empty when it drew none).
  QRect DrawnRect() const { return drawnRect_; }
  QSize DrawnImageSize() const { return drawnImageSize_; }

  // The picture as the next paint would show it (consumes the pending command).
  QImage RenderedImage();

  QSize sizeHint() const override { return QSize(260, 200); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage LoadAndTransform();

  int source_ = SourceNone;
  std::string currentFile_;
  std::string tempCopy_ = "Undefined";
  TransformCode transform_ = 0;
  int pending_ = 0;
  int displayMode_ = 1;
  std::string transformText_;
  QRect drawnRect_;
  QSize drawnImageSize_;
};

class CDockablePreview : public QWidget {
  Q_OBJECT

 public:
  explicit CDockablePreview(QWidget* parent = nullptr);

  bool ShowFile(const std::string& path, int command, int displayMode, TimeT created, TimeT modified, TimeT accessed);
  void ResetPreview();
  // The error of the last failed ShowFile.
  const std::string& ErrorText() const { return errorText_; }

  CPictureBox* Picture() const { return picture_; }
  QTableWidget* Attributes() const { return grid_; }
  QToolButton* RotateLeftButton() const { return rotateLeft_; }
  QToolButton* RotateRightButton() const { return rotateRight_; }

 public slots:
  void RotateLeft();
  void RotateRight();

 private:
  CPictureBox* picture_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QToolButton* rotateLeft_ = nullptr;
  QToolButton* rotateRight_ = nullptr;
  std::string errorText_;
};

}  // namespace lx::gui
