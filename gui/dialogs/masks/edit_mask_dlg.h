// CEditMaskDlg: the mask editor. Every edit of the mask is checked at once and
// shows either the parse message or the name a sample photo would get, with
// and without a duplicate suffix; masks are added to the mask table or
// modified there (never the four standard ones).
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"
#include "platform/times.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lx {
class CSQLite;
class Prompts;
class SettingsStore;
}  // namespace lx

namespace lx::gui {

class CEditMaskDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  // id: the mask's row in the mask table, or a negative number for a mask that is not stored.
  CEditMaskDlg(CSQLite& sqlite, SettingsStore& settings, Prompts& prompts, const std::string& mask,
               const std::string& description, int id, const std::string& suffixMask, bool suffixIncludesRoot,
               QWidget* parent = nullptr);

  // What the opener takes over after OK.
  std::string Mask() const;
  const std::string& SuffixMask() const { return suffixMask_; }
  bool SuffixIncludesRoot() const { return suffixIncludesRoot_; }
  int MaskId() const { return id_; }

  QLineEdit* MaskEdit() const { return mask_; }
  QLineEdit* DescriptionEdit() const { return description_; }
  QLabel* AppliedLine() const { return applied_; }
  QLabel* SuffixLine() const { return withSuffix_; }
  QPushButton* AddSpecButton() const { return addSpec_; }
  QPushButton* AddMaskButton() const { return addMask_; }
  QPushButton* ModifyButton() const { return modify_; }
  QPushButton* SuffixButton() const { return suffix_; }
  QPushButton* ViewButton() const { return view_; }

  // The sample photo's time (the time the editor opened).
  TimeT SampleTime() const { return sampleTime_; }
  // Puts a chosen element into the mask as "Add Format Specification" does.
  void InsertSpecification(const std::string& spec);

 private:
  void MaskChanged();
  void ShowSample();
  // Mask and root mask from text, the store buttons off, as on opening.
  void Reload(const std::string& text);
  void AddFormatSpecification();
  void AddToDatabase();
  void ModifyInDatabase();
  void GetDuplicateSuffix();
  void ViewMaskSpecifications();

  CSQLite& sqlite_;
  SettingsStore& settings_;
  Prompts& prompts_;
  int id_;
  std::string suffixMask_;
  bool suffixIncludesRoot_;
  TimeT sampleTime_;
  // The selection of the mask box when an element was asked for.
  int selectionStart_ = -1;
  int selectionLength_ = 0;

  QLineEdit* mask_ = nullptr;
  QLineEdit* rootMask_ = nullptr;
  QLineEdit* description_ = nullptr;
  QLabel* idLabel_ = nullptr;
  QLabel* applied_ = nullptr;
  QLabel* withSuffix_ = nullptr;
  QPushButton* addSpec_ = nullptr;
  QPushButton* addMask_ = nullptr;
  QPushButton* modify_ = nullptr;
  QPushButton* suffix_ = nullptr;
  QPushButton* view_ = nullptr;
};

}  // namespace lx::gui
