// CUpdateThumbNailDlg: chooses the thumbnail mode of the rename list, each
// choice with what it costs for a folder of 300 photos.
#pragma once

#include <array>

#include "common/lorvexandrin_base_dlg.h"

class QRadioButton;

namespace lx::gui {

class CUpdateThumbNailDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  explicit CUpdateThumbNailDlg(int mode, QWidget* parent = nullptr);

  int Mode() const;
  QRadioButton* Choice(int mode) const { return choices_[static_cast<size_t>(mode)]; }

 private:
  std::array<QRadioButton*, 3> choices_{};
};

}  // namespace lx::gui
