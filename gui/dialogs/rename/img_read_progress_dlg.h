// CImgReadProgressDlg: the modeless dialog of a folder read, naming the file
// being read, with its "Skip ThumbNails Reading" button.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QPushButton;

namespace lx::gui {

class CImgReadProgressDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  explicit CImgReadProgressDlg(QWidget* parent = nullptr);

  void SetFile(const std::string& path);
  void StepCount();
  int FilesCount() const { return count_; }
  bool SkipPressed() const { return skip_; }
  QPushButton* SkipButton() const { return skipButton_; }

 private:
  QLabel* file_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QPushButton* skipButton_ = nullptr;
  int count_ = 0;
  bool skip_ = false;
};

}  // namespace lx::gui
