#include "shell/views.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "details_view/single_file_view.h"
#include "engine/engine.h"
#include "rename_view/rename_file_view.h"

namespace lx::gui {

namespace {
QLabel* PathLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}
}  // namespace

CRenameViewPage::CRenameViewPage(CLorvexandrinEngine& engine, QWidget* parent) : QWidget(parent), engine_(engine) {
  setObjectName("CRenameViewPage");
  setMinimumWidth(600);
  auto* layout = new QVBoxLayout(this);
  auto* placeholder = new QLabel(tr("The files of the source folder are listed here."), this);
  placeholder->setAlignment(Qt::AlignCenter);
  placeholder->setForegroundRole(QPalette::PlaceholderText);
  layout->addWidget(placeholder, 1);
  auto* paths = new QFormLayout;
  sourcePath_ = PathLabel(this);
  renamePath_ = PathLabel(this);
  sourcePath_->setObjectName("SourcePathLabel");
  renamePath_->setObjectName("RenamePathLabel");
  paths->addRow(tr("Source Path:"), sourcePath_);
  paths->addRow(tr("Rename Path:"), renamePath_);
  layout->addLayout(paths);
}

void CRenameViewPage::OnInitialUpdate() {
  UpdatePaths();
  if (view_) view_->OnInitialUpdate();
}

void CRenameViewPage::SetRenameView(CRenameFileView* view) {
  view_ = view;
  auto* box = static_cast<QVBoxLayout*>(layout());
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->hide();
  while (QLayoutItem* item = box->takeAt(0)) delete item;
  box->setContentsMargins(0, 0, 0, 0);
  box->addWidget(view_);
}

void CRenameViewPage::UpdatePaths() {
  sourcePath_->setText(QString::fromStdString(engine_.sourcePath));
  renamePath_->setText(QString::fromStdString(engine_.renamePath));
}

void CRenameViewPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ++shownCount_;
  if (ReReadFolder) {
    ReReadFolder = false;
    ++readCount_;
    if (view_) view_->SetReReadFolder(true);
  }
  UpdatePaths();
  emit Shown();
}

CDetailsViewPage::CDetailsViewPage(QWidget* parent) : QWidget(parent) {
  setObjectName("CDetailsViewPage");
  setMinimumWidth(600);
  auto* layout = new QVBoxLayout(this);
  auto* placeholder = new QLabel(tr("The details of the selected photo are shown here."), this);
  placeholder->setAlignment(Qt::AlignCenter);
  placeholder->setForegroundRole(QPalette::PlaceholderText);
  layout->addWidget(placeholder);
}

void CDetailsViewPage::SetDetailsView(CSingleFileView* view) {
  view_ = view;
  auto* box = static_cast<QVBoxLayout*>(layout());
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->hide();
  while (QLayoutItem* item = box->takeAt(0)) delete item;
  box->setContentsMargins(0, 0, 0, 0);
  box->addWidget(view_);
  view_->show();
}

}  // namespace lx::gui
