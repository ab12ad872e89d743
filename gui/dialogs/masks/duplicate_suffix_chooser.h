// DuplicateSuffixChooser: a small chooser of the duplicate suffix (one of the
// fifteen suffix masks) and of whether the first file of a group gets one too,
// opened from the mask editor for its sample line.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QCheckBox;
class QComboBox;

namespace lx::gui {

class DuplicateSuffixChooser : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  DuplicateSuffixChooser(const std::string& suffixMask, bool suffixIncludesRoot, QWidget* parent = nullptr);

  std::string SuffixMask() const;
  bool SuffixIncludesRoot() const;
  QComboBox* SuffixBox() const { return suffix_; }

 private:
  QComboBox* suffix_ = nullptr;
  QCheckBox* includesRoot_ = nullptr;
};

}  // namespace lx::gui
