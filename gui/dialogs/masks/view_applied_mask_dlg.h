// CViewAppliedMaskDlg: the texts a list row's new name was made of, one per
// mask element; in edit mode the keyword and typed-text ones can be chosen again.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QTableWidget;

namespace lx {
class CMaskData;
class CSQLite;
class Prompts;
struct CRenameFileData;
}  // namespace lx

namespace lx::gui {

class CViewAppliedMaskDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CViewAppliedMaskDlg(CSQLite& sqlite, Prompts& prompts, CRenameFileData& row, const CMaskData& parsed,
                      const std::string& mask, bool readOnly, QWidget* parent = nullptr);

  QTableWidget* Elements() const { return list_; }
  QLabel* HintLine() const { return hint_; }
  // What a click on a list row does.
  void RowClicked(int index);

 private:
  void Fill();

  CSQLite& sqlite_;
  Prompts& prompts_;
  CRenameFileData& row_;
  const CMaskData& parsed_;
  bool readOnly_;
  QTableWidget* list_ = nullptr;
  QLabel* hint_ = nullptr;
};

}  // namespace lx::gui
