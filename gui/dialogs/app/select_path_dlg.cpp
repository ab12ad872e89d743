#include "dialogs/app/select_path_dlg.h"

#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "storage/database.h"

namespace lx::gui {

CSelectPathDlg::CSelectPathDlg(const QString& startFolder, QWidget* parent) : CLorvexandrinBaseDlg(parent) {
  setObjectName("CSelectPathDlg");
  setWindowTitle(QStringLiteral("Select Path to Quorin Lorvexandrin Database"));
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral(" Path to Quorin Lorvexandrin Database "), this);
  auto* inner = new QVBoxLayout(group);
  auto* undefined = new QLabel(QStringLiteral("The Path to Quorin Lorvexandrin is Undefined !!!!"), group);
  QFont bold = undefined->font();
  bold.setBold(true);
  undefined->setFont(bold);
  inner->addWidget(undefined);
  inner->addWidget(new QLabel(
      QStringLiteral("Without a Valid Database Path, the Application Lorvexandrin could not work ... "), group));
  inner->addWidget(new QLabel(
      QStringLiteral("Please Select Now the Path for the Creation of Lorvexandrin Database (Lorvexandrin.sq3)"),
      group));

  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::Drives);
  model_->setRootPath(QStringLiteral("/"));
  tree_ = new QTreeView(group);
  tree_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
  tree_->setHeaderHidden(true);
  tree_->setMinimumHeight(260);
  inner->addWidget(tree_, 1);

  selectedLabel_ = new QLabel(group);
  selectedLabel_->setObjectName("SelectedFolder");
  inner->addWidget(selectedLabel_);
  inner->addWidget(new QLabel(
      QStringLiteral("The  Default Path is  %1").arg(QString::fromStdString(DefaultDatabaseFolder())), group));
  layout->addWidget(group, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Select Path"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& index) {
    selected_ = model_->filePath(index);
    selectedLabel_->setText(QStringLiteral("Selected Folder: ") + selected_);
  });
  SelectFolder(startFolder);
  resize(560, 520);
}

void CSelectPathDlg::SelectFolder(const QString& folder) {
  const QModelIndex index = model_->index(folder);
  selected_ = folder;
  selectedLabel_->setText(QStringLiteral("Selected Folder: ") + folder);
  if (!index.isValid()) return;
  tree_->setCurrentIndex(index);
  tree_->scrollTo(index);
  tree_->expand(index);
}

}  // namespace lx::gui
