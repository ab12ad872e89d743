#include "rename_view/rename_list_ctrl.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPixmap>

#include "common/colours.h"
#include "rename_view/picture_transform.h"
#include "rename_view/thumbnails.h"

namespace lx::gui {

RenameListTableModel::RenameListTableModel(RenameListModel& model, ThumbnailMaker& thumbnails, QObject* parent)
    : QAbstractTableModel(parent), model_(model), thumbnails_(thumbnails) {}

int RenameListTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  if (!model_.PlaceholderLine().empty() && model_.RowCount() == 0) return 1;
  return model_.RowCount();
}

int RenameListTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumnCount;
}

QVariant RenameListTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int column = index.column();
  if (model_.RowCount() == 0) {
    if (role == Qt::DisplayRole && column == 0) return QString::fromStdString(model_.PlaceholderLine());
    return {};
  }
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(model_.ColumnText(row, column));
    case Qt::ToolTipRole: {
      const QString text = QString::fromStdString(model_.ColumnText(row, column));
      return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case Qt::ForegroundRole:
      return ColourFromColorRef(model_.OnGetCellTextColor(row, column));
    case Qt::DecorationRole: {
      if (column != 0 || !showThumbnails) return {};
      const auto* r = model_.Row(row);
      if (r == nullptr) return {};
      const QImage image = thumbnails_.Thumbnail(QString::fromStdString(r->data.FilePath));
      if (image.isNull()) return {};
      return QPixmap::fromImage(image);
    }
    default:
      return {};
  }
}

QVariant RenameListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kListColumnCount) return {};
  return QString::fromUtf8(kListColumnHeadings[section]);
}

void RenameListTableModel::Reload() {
  beginResetModel();
  endResetModel();
}

void RenameListTableModel::ThumbnailArrived(const QString& path) {
  for (int i = 0; i < model_.RowCount(); ++i) {
    if (model_.Row(i)->data.FilePath == path.toStdString()) {
      const QModelIndex cell = index(i, 0);
      emit dataChanged(cell, cell, {Qt::DecorationRole});
      return;
    }
  }
}

CRenameFileListCtrl::CRenameFileListCtrl(RenameListModel& model, ThumbnailMaker& thumbnails, QWidget* parent)
    : QTableView(parent), model_(model) {
  setObjectName("RenameFileList");
  table_ = new RenameListTableModel(model, thumbnails, this);
  setModel(table_);
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  verticalHeader()->hide();
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(true);
  SetThumbnailsShown(false);
  ownBase_ = palette().color(QPalette::Base);

  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    model_.SortByColumnClick(column);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(column, model_.sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
    Reload();
  });
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this]() {
    if (syncing_) return;
    const int rows = model_.RowCount();
    for (int i = 0; i < rows; ++i) model_.SetRowSelected(i, selectionModel()->isRowSelected(i, {}));
  });
  connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) emit RowActivated(index.row());
  });
}

void CRenameFileListCtrl::Reload() {
  syncing_ = true;
  table_->Reload();
  syncing_ = false;
  SyncSelectionFromModel();
}

void CRenameFileListCtrl::SyncSelectionFromModel() {
  syncing_ = true;
  QItemSelection selection;
  for (int i = 0; i < model_.RowCount(); ++i)
    if (model_.Rows()[static_cast<size_t>(i)].selected)
      selection.select(table_->index(i, 0), table_->index(i, kListColumnCount - 1));
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  const int current = model_.SelectedRow();
  if (current >= 0 && current < model_.RowCount()) {
    selectionModel()->setCurrentIndex(table_->index(current, 0), QItemSelectionModel::NoUpdate);
    scrollTo(table_->index(current, 0));
  }
  syncing_ = false;
}

void CRenameFileListCtrl::FitColumns() {
  for (int column : {0, 2, 3, 1, 4}) resizeColumnToContents(column);
}

void CRenameFileListCtrl::SetThumbnailsShown(bool shown) {
  table_->showThumbnails = shown;
  const int side = shown ? kThumbnailSize : 1;
  setIconSize(QSize(side, side));
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(shown ? kThumbnailSize + 4 : fontMetrics().height() + 6);
}

void CRenameFileListCtrl::SetButtonFaceBackground(bool buttonFace) {
  QPalette p = palette();
  p.setColor(QPalette::Base, buttonFace ? p.color(QPalette::Button) : ownBase_);
  setPalette(p);
}

void CRenameFileListCtrl::contextMenuEvent(QContextMenuEvent* event) { emit ContextMenuAt(event->globalPos()); }

}  // namespace lx::gui
