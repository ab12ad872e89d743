// CEditMaskListDlg: the stored masks in id order; a mask is edited, deleted or
// moved up and down here, and the selected one is handed back for use.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace lx {
class CSQLite;
class Prompts;
class SettingsStore;
}  // namespace lx

namespace lx::gui {

class CEditMaskListDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CEditMaskListDlg(CSQLite& sqlite, SettingsStore& settings, Prompts& prompts, const std::string& suffixMask,
                   bool suffixIncludesRoot, QWidget* parent = nullptr);

  // The mask selected when OK was pressed; empty otherwise.
  const std::string& ChosenMask() const { return chosen_; }

  QTableWidget* MaskList() const { return list_; }
  QLabel* CountLabel() const { return count_; }
  QPushButton* EditButton() const { return edit_; }
  QPushButton* DeleteButton() const { return delete_; }
  QPushButton* UpButton() const { return up_; }
  QPushButton* DownButton() const { return down_; }
  // Selects the row of the mask with this id; false when it is not listed.
  bool SelectId(int id);

  void accept() override;

 private:
  void Fill(int selectId);
  int SelectedRow() const;
  int IdAt(int row) const;
  void UpdateButtons();
  void EditMask();
  void DeleteMask();
  void Move(int step);

  CSQLite& sqlite_;
  SettingsStore& settings_;
  Prompts& prompts_;
  std::string suffixMask_;
  bool suffixIncludesRoot_;
  std::string chosen_;
  QTableWidget* list_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
};

}  // namespace lx::gui
