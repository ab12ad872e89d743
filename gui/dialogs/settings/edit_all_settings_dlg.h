// CEditAllSettingsDlg: the rename settings in one dialog — the selection
// filter, the duplicate handling, the rename type and the display options,
// and the file date the list shows. It shows and gives back a
// RenameSettingsChoice; the view applies it.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"
#include "rename/rename_settings.h"

class QButtonGroup;
class QComboBox;
class QLabel;

namespace lx {
class Prompts;
}

namespace lx::gui {

class CSelectionFilterField;

class CEditAllSettingsDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  // fileDateSource: "FileDateSource", shown in " More Options ".
  CEditAllSettingsDlg(const RenameSettingsChoice& current, int fileDateSource, Prompts* prompts,
                      QWidget* parent = nullptr);

  RenameSettingsChoice Choice() const;
  int FileDateSource() const;

  CSelectionFilterField* Filter() const { return filter_; }
  QComboBox* SuffixMasks() const { return suffix_; }
  QButtonGroup* SuffixMode() const { return suffixMode_; }
  QButtonGroup* RenameTypes() const { return types_; }
  QComboBox* ThumbnailMode() const { return thumbnails_; }
  QComboBox* Rotation() const { return rotation_; }
  QComboBox* Outline() const { return outline_; }
  QComboBox* PathDisplay() const { return pathDisplay_; }
  QComboBox* FileDate() const { return fileDate_; }

 private:
  CSelectionFilterField* filter_ = nullptr;
  QComboBox* suffix_ = nullptr;
  QButtonGroup* suffixMode_ = nullptr;
  QButtonGroup* types_ = nullptr;
  QLabel* typeDescription_ = nullptr;
  QComboBox* thumbnails_ = nullptr;
  QComboBox* rotation_ = nullptr;
  QComboBox* outline_ = nullptr;
  QComboBox* pathDisplay_ = nullptr;
  QComboBox* fileDate_ = nullptr;
};

}  // namespace lx::gui
