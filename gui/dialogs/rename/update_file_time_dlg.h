// CUpdateFileTimeDlg: chooses which file times a rename run sets from the
// time the photo was taken; the choice lasts while the program runs.
#pragma once

#include <array>

#include "common/lorvexandrin_base_dlg.h"

class QRadioButton;

namespace lx::gui {

// The four modes' texts, shared with their ribbon commands.
extern const char* const kFileTimeModeTexts[4];

class CUpdateFileTimeDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  explicit CUpdateFileTimeDlg(int mode, QWidget* parent = nullptr);

  int Mode() const;
  QRadioButton* Choice(int mode) const { return choices_[static_cast<size_t>(mode)]; }

 private:
  std::array<QRadioButton*, 4> choices_{};
};

}  // namespace lx::gui
