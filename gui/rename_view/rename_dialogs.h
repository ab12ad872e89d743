// The rename view's dialogs: the rename-path dialog, the keyword picker and
// the keyboard-entry dialog that a mask opens during a run, and the progress
// dialog of a folder read.
#pragma once

#include <QDialog>
#include <string>

#include "base/prompts.h"
#include "storage/sqlite.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lx {
class CSQLite;
}

namespace lx::gui {

class CPictureBox;

// Fills a table widget from a query result: the aliases as headings, columns fitted.
void FillTableWidget(QTableWidget* table, const SqlTable& data);

class CSetRenamePathDlg : public QDialog {
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

// The picture shown by the keyword and keyboard-entry dialogs, with its two rotate buttons.
class PreviewWithRotate;

class CSelectKeywordDlg : public QDialog {
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

class CSetKbdFreeEntryDlg : public QDialog {
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

// The modeless dialog of a folder read with its "Skip ThumbNails Reading" button.
class CImgReadProgressDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CImgReadProgressDlg(QWidget* parent = nullptr);

  void SetFile(const std::string& path);
  void StepCount();
  int FilesCount() const { return count_; }
  bool SkipPressed() const { return skip_; }
  QPushButton* SkipButton() const { return skipButton_; }

 private:
  QLabel* file_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QPushButton* skipButton_ = nullptr;
  int count_ = 0;
  bool skip_ = false;
};

}  // namespace lx::gui
