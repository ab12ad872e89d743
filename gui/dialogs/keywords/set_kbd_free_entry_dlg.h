// CSetKbdFreeEntryDlg: the keyboard-entry dialog that a mask's typed-text
// field opens during a rename run, with the history of texts typed before.
#pragma once

#include <string>

#include "base/prompts.h"
#include "common/lorvexandrin_base_dlg.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lx {
class CSQLite;
}

namespace lx::gui {

class PreviewWithRotate;

class CSetKbdFreeEntryDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CSetKbdFreeEntryDlg(CSQLite& sqlite, const std::string& file, bool applyToAll, QWidget* parent = nullptr);

  TypedTextChoice Choice() const { return choice_; }
  QLineEdit* TextEdit() const { return text_; }
  QTableWidget* History() const { return list_; }
  QComboBox* SortBox() const { return sort_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* DeleteButton() const { return delete_; }
  QCheckBox* ApplyToAllBox() const { return applyToAll_; }

  void accept() override;

 private:
  void Fill();
  void UpdateOk();

  CSQLite& sqlite_;
  TypedTextChoice choice_;
  QLineEdit* text_ = nullptr;
  QCheckBox* applyToAll_ = nullptr;
  QComboBox* sort_ = nullptr;
  QTableWidget* list_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* ok_ = nullptr;
  PreviewWithRotate* preview_ = nullptr;
};

}  // namespace lx::gui
