// CSingleFileView: the photo details view. It shows one photo: its file name
// and folder, the picture turned as the rotation option says, and the grid of
// its Exif, GPS and IPTC data. Its commands turn the picture, copy it to the
// clipboard, step through the rename list's photos and close the view.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "common/command_table.h"

class QLabel;
class QLineEdit;

namespace lx::gui {

class CPictureBox;
class CMetaDataGrid;

// Command ids of the details view ("Photo Details" ribbon category).
enum DetailsViewCommand : int {
  ID_RIBBON_ROTATE_LEFT = 32860,
  ID_RIBBON_ROTATE_RIGHT = 32861,
  ID_RIBBON_COPY_CLIPBOARD = 32862,
  ID_RIBBON_PREVIOUS_PHOTO = 32863,
  ID_RIBBON_NEXT_PHOTO = 32864,
  ID_RIBBON_CLOSE_DETAILS_VIEW = 32865,
};

class CSingleFileView : public QWidget {
  Q_OBJECT

 public:
  explicit CSingleFileView(QWidget* parent = nullptr);

  // The file the view shows; shown at once when the view is visible, else
  // when it next becomes visible.
  void OpenFile(const std::string& path);
  const std::string& CurrentFile() const { return file_; }
  // Picture, log line and grid of the current file; a file that is gone only repaints.
  void ShowCurrentFile();
  // Shows the picture again from its stored orientation with the option's command.
  void ReshowPicture();

  QAction* Command(int id) const { return commands_.Get(id); }
  void RunCommand(int id);
  void UpdateCommandStates();

  void RotateLeft();
  void RotateRight();
  void CopyImage();
  void PreviousPhoto() { StepPhoto(-1); }
  void NextPhoto() { StepPhoto(+1); }

  CPictureBox* Picture() const { return picture_; }
  CMetaDataGrid* Grid() const { return grid_; }
  QLineEdit* FileNameField() const { return fileName_; }
  QLineEdit* FilePathField() const { return filePath_; }

  // The rotation option of the main window (true: automatically based on Exif).
  std::function<bool()> autoRotate = [] { return true; };
  // Whether the rename list can move its selection by delta (-1, +1).
  std::function<bool(int delta)> canStep;
  // Moves the rename list's selection by delta and opens its file here.
  std::function<void(int delta)> step;
  // The folder shown for a file that is a device object's copy; empty for files.
  std::function<std::string()> deviceLocation;

 signals:
  void CloseRequested();
  void CommandStatesChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildForm();
  void BuildCommands();
  void StepPhoto(int delta);
  // The view's keys (steps and Escape); true when the key was one of them.
  bool HandleKey(int key);

  std::string file_;
  QLineEdit* fileName_ = nullptr;
  QLineEdit* filePath_ = nullptr;
  CPictureBox* picture_ = nullptr;
  CMetaDataGrid* grid_ = nullptr;
  CommandTable commands_{this, [this](int id) { RunCommand(id); }};
};

}  // namespace lx::gui
