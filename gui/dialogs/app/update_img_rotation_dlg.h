// CUpdateImgRotationDlg: how the program turns photos for display, keeping the
// stored orientation or rotating them by their Exif orientation.
#pragma once

#include "common/lorvexandrin_base_dlg.h"

class QRadioButton;

namespace lx::gui {

class CUpdateImgRotationDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CUpdateImgRotationDlg(bool autoRotate, QWidget* parent = nullptr);

  // The choice shown: true for "Rotate Image (based on Exif Data)".
  bool AutoRotate() const;
  QRadioButton* KeepButton() const { return keep_; }
  QRadioButton* RotateButton() const { return rotate_; }

 private:
  QRadioButton* keep_ = nullptr;
  QRadioButton* rotate_ = nullptr;
};

}  // namespace lx::gui
