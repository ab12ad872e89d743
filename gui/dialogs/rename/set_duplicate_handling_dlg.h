// CSetDuplicateHandlingDlg: chooses the suffix mask of duplicate names and
// whether the first name of a group gets one too, showing a fixed sample of
// names before and after, recomputed as the choice changes.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QListWidget;
class QRadioButton;

namespace lx::gui {

class CSetDuplicateHandlingDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CSetDuplicateHandlingDlg(const std::string& suffixMask, bool suffixIncludesRoot, QWidget* parent = nullptr);

  std::string SuffixMask() const;
  bool SuffixIncludesRoot() const;

  QListWidget* Masks() const { return masks_; }
  QLabel* Description() const { return description_; }
  QRadioButton* DuplicatesOnly() const { return duplicatesOnly_; }
  QRadioButton* AlsoOriginal() const { return alsoOriginal_; }
  QListWidget* SampleAfter() const { return after_; }

 private:
  void Recompute();

  QListWidget* masks_ = nullptr;
  QLabel* description_ = nullptr;
  QRadioButton* duplicatesOnly_ = nullptr;
  QRadioButton* alsoOriginal_ = nullptr;
  QListWidget* before_ = nullptr;
  QListWidget* after_ = nullptr;
};

}  // namespace lx::gui
