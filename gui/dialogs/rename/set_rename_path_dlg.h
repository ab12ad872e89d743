// CSetRenamePathDlg: the rename-path dialog of the rename view, where the
// user picks the rename type and the folder that backups or renamed copies
// go to; the path itself is computed by the core as the fields change.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lx {
class Prompts;
}

namespace lx::gui {

class CSetRenamePathDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CSetRenamePathDlg(const std::string& sourcePath, const std::string& renamePath, int type, Prompts* prompts,
                    QWidget* parent = nullptr);

  int Type() const;
  std::string RenamePath() const;
  bool OkEnabled() const;

  QComboBox* TypeList() const { return typeList_; }
  QLineEdit* SubFolderEdit() const { return subFolder_; }
  QLineEdit* RenamePathEdit() const { return renamePath_; }
  // What "Browse Rename Path" does once a folder was chosen (tests call it directly).
  void SetBrowsedFolder(const std::string& folder);

 private:
  void Recompute();
  void Browse();

  std::string sourcePath_;
  std::string browsed_;
  Prompts* prompts_;
  QComboBox* typeList_ = nullptr;
  QLabel* description_ = nullptr;
  QLineEdit* source_ = nullptr;
  QLineEdit* renamePath_ = nullptr;
  QLineEdit* subFolder_ = nullptr;
  QPushButton* browse_ = nullptr;
  QLabel* renamePathLabel_ = nullptr;
  QLabel* subFolderLabel_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  bool recomputing_ = false;
};

}  // namespace lx::gui
