// CShowKeywordSpecMaskDlg: the stored masks that name a keyword about to be
// deleted, as keyword and as abbreviation, and the user's confirmation.
#pragma once

#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QTableWidget;

namespace lx {
class CSQLite;
}

namespace lx::gui {

class CShowKeywordSpecMaskDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CShowKeywordSpecMaskDlg(CSQLite& sqlite, int keywordId, QWidget* parent = nullptr);

  QTableWidget* KeywordMasks() const { return keywordMasks_; }
  QTableWidget* AbbreviationMasks() const { return abbreviationMasks_; }
  QLabel* KeywordCount() const { return keywordCount_; }
  QLabel* AbbreviationCount() const { return abbreviationCount_; }

 private:
  QTableWidget* keywordMasks_ = nullptr;
  QTableWidget* abbreviationMasks_ = nullptr;
  QLabel* keywordCount_ = nullptr;
  QLabel* abbreviationCount_ = nullptr;
};

}  // namespace lx::gui
