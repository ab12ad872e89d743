#include "details_view/metadata_grid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QVBoxLayout>

#include "common/property_grid_model.h"

namespace lx::gui {

CMetaDataTree::CMetaDataTree(QWidget* parent) : QTreeView(parent) {
  setObjectName("MetaDataTree");
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setUniformRowHeights(true);
  setAlternatingRowColors(true);
  setTextElideMode(Qt::ElideRight);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header()->setStretchLastSection(true);
  header()->setSectionResizeMode(QHeaderView::Interactive);
  header()->setSectionsMovable(false);
  // A column moved by hand sets the new split.
  connect(header(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
    if (applying_ || section != 0 || viewport()->width() <= 0) return;
    split_ = std::clamp(static_cast<double>(size) / viewport()->width(), 0.1, 0.9);
  });
}

void CMetaDataTree::ApplySplit() {
  applying_ = true;
  setColumnWidth(0, static_cast<int>(viewport()->width() * split_));
  applying_ = false;
}

void CMetaDataTree::resizeEvent(QResizeEvent* event) {
  QTreeView::resizeEvent(event);
  ApplySplit();
}

bool CMetaDataTree::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    if (index.isValid() && index.parent().isValid()) {
      // An elided value is shown whole; otherwise the row's description.
      const QString text = index.data(Qt::DisplayRole).toString();
      const int room = visualRect(index).width() - 8;
      QString tip = index.data(Qt::ToolTipRole).toString();
      if (index.column() == 1 && fontMetrics().horizontalAdvance(text) > room) tip = text;
      if (!tip.isEmpty()) {
        QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
      }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  return QTreeView::viewportEvent(event);
}

CMetaDataGrid::CMetaDataGrid(QWidget* parent) : QGroupBox(QStringLiteral(" Image MetaData "), parent) {
  setObjectName("ImageMetaData");
  auto* layout = new QVBoxLayout(this);
  model_ = new PropertyGridModel(this);
  tree_ = new CMetaDataTree(this);
  tree_->setModel(model_);
  layout->addWidget(tree_, 1);
  description_ = new QLabel(this);
  description_->setObjectName("DescriptionArea");
  description_->setWordWrap(true);
  description_->setTextFormat(Qt::RichText);
  description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  description_->setFrameShape(QFrame::StyledPanel);
  description_->setMinimumHeight(description_->fontMetrics().lineSpacing() * 4);
  description_->setMargin(4);
  layout->addWidget(description_);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) { ShowDescription(current); });
}

void CMetaDataGrid::SetGrid(PropertyGrid grid) {
  model_->SetGrid(std::move(grid));
  // Group rows span both columns, as the category rows of a property grid do.
  for (int g = 0; g < model_->rowCount(); ++g) tree_->setFirstColumnSpanned(g, QModelIndex(), true);
  tree_->expandAll();
  description_->clear();
}

void CMetaDataGrid::ShowDescription(const QModelIndex& index) {
  if (!index.isValid()) {
    description_->clear();
    return;
  }
  const QModelIndex name = index.siblingAtColumn(0);
  const QString title = name.data(Qt::DisplayRole).toString().toHtmlEscaped();
  const QString text = name.data(Qt::ToolTipRole).toString().toHtmlEscaped();
  description_->setText(QStringLiteral("<b>%1</b><br>%2").arg(title, text));
}

}  // namespace lx::gui
