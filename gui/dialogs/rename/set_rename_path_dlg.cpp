#include "dialogs/rename/set_rename_path_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "rename/rename_path.h"

namespace lx::gui {

CSetRenamePathDlg::CSetRenamePathDlg(const std::string& sourcePath, const std::string& renamePath, int type,
                                     Prompts* prompts, QWidget* parent)
    : CLorvexandrinBaseDlg(parent), sourcePath_(sourcePath), prompts_(prompts) {
  setWindowTitle("Set Quorin Lorvexandrin Path");
  auto* form = new QFormLayout;
  typeList_ = new QComboBox(this);
  for (int t = 0; t <= 3; ++t) typeList_->addItem(QString::fromUtf8(RenameTypeCommandText(t)).replace("&&", "&"));
  form->addRow("Requested Renaming Type: ", typeList_);
  description_ = new QLabel(this);
  description_->setWordWrap(true);
  form->addRow(description_);
  source_ = new QLineEdit(QString::fromStdString(sourcePath), this);
  source_->setReadOnly(true);
  form->addRow("Source Path: ", source_);
  renamePath_ = new QLineEdit(QString::fromStdString(renamePath), this);
  browse_ = new QPushButton("Browse Rename Path", this);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(renamePath_, 1);
  pathRow->addWidget(browse_);
  renamePathLabel_ = new QLabel("Rename Path: ", this);
  form->addRow(renamePathLabel_, pathRow);
  subFolder_ = new QLineEdit(this);
  subFolderLabel_ = new QLabel("Relative Sub-Directory: ", this);
  form->addRow(subFolderLabel_, subFolder_);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons_);
  setMinimumWidth(560);

  typeList_->setCurrentIndex(type >= 0 && type <= 3 ? type : 0);
  connect(typeList_, &QComboBox::currentIndexChanged, this, &CSetRenamePathDlg::Recompute);
  connect(subFolder_, &QLineEdit::textEdited, this, &CSetRenamePathDlg::Recompute);
  connect(browse_, &QPushButton::clicked, this, &CSetRenamePathDlg::Browse);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Recompute();
}

int CSetRenamePathDlg::Type() const { return std::max(0, typeList_->currentIndex()); }
std::string CSetRenamePathDlg::RenamePath() const { return renamePath_->text().toStdString(); }
bool CSetRenamePathDlg::OkEnabled() const { return buttons_->button(QDialogButtonBox::Ok)->isEnabled(); }

void CSetRenamePathDlg::SetBrowsedFolder(const std::string& folder) {
  browsed_ = folder;
  if (!browsed_.empty() && browsed_.back() != '/') browsed_ += '/';
  Recompute();
}

void CSetRenamePathDlg::Browse() {
  QString start = renamePath_->text();
  if (start.isEmpty()) start = "/";
  const QString chosen = QFileDialog::getExistingDirectory(this, "Select Target Directory for Files Renaming", start);
  if (!chosen.isEmpty()) SetBrowsedFolder(chosen.toStdString());
}

void CSetRenamePathDlg::Recompute() {
  if (recomputing_) return;
  recomputing_ = true;
  const int type = Type();
  description_->setText(QString::fromUtf8(RenameTypeDialogText(type)));
  const bool withPath = type != 0;
  for (QWidget* w :
       {static_cast<QWidget*>(renamePath_), static_cast<QWidget*>(browse_), static_cast<QWidget*>(subFolder_),
        static_cast<QWidget*>(renamePathLabel_), static_cast<QWidget*>(subFolderLabel_)})
    w->setVisible(withPath);
  RenamePathRequest request;
  request.type = type;
  request.sourcePath = sourcePath_;
  request.browsedPath = browsed_;
  request.subFolder = subFolder_->text().toStdString();
  const RenamePathResult result = ComputeRenamePath(request, prompts_);
  if (request.subFolder != subFolder_->text().toStdString())
    subFolder_->setText(QString::fromStdString(request.subFolder));
  source_->setText(QString::fromStdString(sourcePath_));
  renamePath_->setText(QString::fromStdString(result.renamePath));
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(result.okEnabled);
  recomputing_ = false;
}

}  // namespace lx::gui
