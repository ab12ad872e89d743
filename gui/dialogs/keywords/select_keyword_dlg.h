// CSelectKeywordDlg: the keyword picker that a mask's keyword field opens
// during a rename run, beside a preview of the photo being renamed.
#pragma once

#include <string>

#include "base/prompts.h"
#include "common/lorvexandrin_base_dlg.h"

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace lx {
class CSQLite;
}

namespace lx::gui {

class CPictureBox;
class PreviewWithRotate;

class CSelectKeywordDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CSelectKeywordDlg(CSQLite& sqlite, const std::string& file, bool applyToAll, QWidget* parent = nullptr);

  KeywordChoice Choice() const { return choice_; }
  QTableWidget* KeywordList() const { return list_; }
  QPushButton* OkButton() const { return ok_; }
  QCheckBox* ApplyToAllBox() const { return applyToAll_; }
  CPictureBox* Picture() const;
  // The text produced when the picture could not be shown, empty otherwise.
  const std::string& PictureError() const { return pictureError_; }

  void accept() override;

 private:
  void Fill();
  void RowSelected();

  CSQLite& sqlite_;
  KeywordChoice choice_;
  QTableWidget* list_ = nullptr;
  QCheckBox* applyToAll_ = nullptr;
  QPushButton* ok_ = nullptr;
  PreviewWithRotate* preview_ = nullptr;
  std::string pictureError_;
};

}  // namespace lx::gui
