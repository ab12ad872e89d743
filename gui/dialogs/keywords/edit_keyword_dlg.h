// CEditKeywordDlg: the keyword table editor. Keywords are added, modified and
// deleted here; a keyword that stored masks still use is deleted only after
// the user confirmed it in CShowKeywordSpecMaskDlg.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lx {
class CSQLite;
}

namespace lx::gui {

class CEditKeywordDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  // selectFirst: the keyword to select on opening, or "Undefined" for the first row.
  CEditKeywordDlg(CSQLite& sqlite, const std::string& selectFirst, QWidget* parent = nullptr);

  // The keyword selected when the dialog closed ("Undefined" when none).
  const std::string& SelectedKeyword() const { return selectedKeyword_; }

  QTableWidget* KeywordList() const { return list_; }
  QLabel* CountLabel() const { return count_; }
  QLabel* IdField() const { return idField_; }
  QLineEdit* KeywordEdit() const { return keyword_; }
  QLineEdit* AbbreviationEdit() const { return abbreviation_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* ModifyButton() const { return modify_; }
  QPushButton* DeleteButton() const { return delete_; }
  QComboBox* SortBox() const { return sort_; }
  // The id of the selected keyword, 0 when none.
  int SelectedId() const { return selectedId_; }

 private:
  // Refills the list and selects the row whose keyword is select (else the first).
  void Fill(const std::string& select);
  void RowSelected();
  void TextsEdited();
  void AddKeyword();
  void ModifyKeyword();
  void DeleteKeyword();
  // The row whose column holds text exactly, or -1.
  int FindRow(int column, const QString& text) const;

  CSQLite& sqlite_;
  QTableWidget* list_ = nullptr;
  QLabel* count_ = nullptr;
  QLabel* idField_ = nullptr;
  QLineEdit* keyword_ = nullptr;
  QLineEdit* abbreviation_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* modify_ = nullptr;
  QPushButton* delete_ = nullptr;
  QComboBox* sort_ = nullptr;
  int selectedId_ = 0;
  std::string selectedKeyword_ = "Undefined";
};

}  // namespace lx::gui
