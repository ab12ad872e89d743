#include "dialogs/keywords/preview_with_rotate.h"

#include <unistd.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cerrno>

#include "platform/system_error.h"
#include "platform/text.h"
#include "rename_view/picture_box.h"

namespace lx::gui {

QTableWidget* MakeListTable(QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setShowGrid(true);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

PreviewWithRotate::PreviewWithRotate(QWidget* parent) : QGroupBox(" Image Preview ", parent) {
  auto* layout = new QVBoxLayout(this);
  picture = new CPictureBox(this);
  picture->setMinimumSize(220, 165);
  layout->addWidget(picture, 1);
  auto* row = new QHBoxLayout;
  auto* left = new QToolButton(this);
  left->setIcon(QIcon::fromTheme("object-rotate-left", style()->standardIcon(QStyle::SP_ArrowBack)));
  left->setToolTip("Rotate Left");
  auto* right = new QToolButton(this);
  right->setIcon(QIcon::fromTheme("object-rotate-right", style()->standardIcon(QStyle::SP_ArrowForward)));
  right->setToolTip("Rotate Right");
  row->addStretch();
  row->addWidget(left);
  row->addWidget(right);
  row->addStretch();
  layout->addLayout(row);
  connect(left, &QToolButton::clicked, this, [this]() {
    if (picture->Source() == CPictureBox::SourceFile) picture->SetPicture(kPictureBoxCurrentFile, 12, 2, false);
  });
  connect(right, &QToolButton::clicked, this, [this]() {
    if (picture->Source() == CPictureBox::SourceFile) picture->SetPicture(kPictureBoxCurrentFile, 4, 2, false);
  });
}

std::string PreviewWithRotate::Show(const std::string& file) {
  if (file == "LX_Default_Picture") {
    picture->ShowPlaceholder();
    return {};
  }
  if (picture->SetPicture(file, 0, 2, true)) return {};
  const std::string reason =
      access(file.c_str(), R_OK) == 0 ? "Unable to Copy Picture to Temporary File" : SystemErrorText(errno);
  return StrFormat("Unable to Display Selected Picture %s - Reason: %s ", file.c_str(), reason.c_str());
}

}  // namespace lx::gui
