// CViewMaskSpecDlg: a mask and its parsed elements, one row each, as the last
// parse of the mask left them.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QTableWidget;

namespace lx {
class CMaskData;
}

namespace lx::gui {

class CViewMaskSpecDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CViewMaskSpecDlg(const std::string& mask, const CMaskData& parsed, QWidget* parent = nullptr);

  QTableWidget* Elements() const { return list_; }
  QLabel* CountLabel() const { return count_; }

 private:
  QTableWidget* list_ = nullptr;
  QLabel* count_ = nullptr;
};

}  // namespace lx::gui
