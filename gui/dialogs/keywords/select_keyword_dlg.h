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
  QPushButton* EditListButton() const { return editList_; }
  CPictureBox* Picture() const;
  // The text produced when the picture could not be shown, empty otherwise.
  const std::string& PictureError() const { return pictureError_; }

  void accept() override;

 private:
  // Refills the list and selects the row of keyword select (else the first).
  void Fill(const std::string& select);
  void RowSelected();
  void EditKeywordList();

  CSQLite& sqlite_;
  KeywordChoice choice_;
  QTableWidget* list_ = nullptr;
  QCheckBox* applyToAll_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* editList_ = nullptr;
  PreviewWithRotate* preview_ = nullptr;
  std::string pictureError_;
};

}  // namespace lx::gui
