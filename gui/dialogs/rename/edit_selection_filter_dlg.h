// CEditSelectionFilterDlg: edits the files selection filter and its case
// flag; "Apply Selection Filter" gives them back for the view to apply.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QPushButton;

namespace lx {
class Prompts;
}

namespace lx::gui {

class CSelectionFilterField;

class CEditSelectionFilterDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CEditSelectionFilterDlg(const std::string& text, bool caseSensitive, Prompts* prompts, QWidget* parent = nullptr);

  std::string Text() const;
  bool CaseSensitive() const;
  CSelectionFilterField* Field() const { return field_; }
  QPushButton* ApplyButton() const { return apply_; }

 private:
  CSelectionFilterField* field_ = nullptr;
  QPushButton* apply_ = nullptr;
};

}  // namespace lx::gui
