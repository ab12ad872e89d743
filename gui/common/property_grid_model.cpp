#include "common/property_grid_model.h"

#include <QFont>

namespace lx::gui {

namespace {
// A group's index carries no pointer; a property's carries its group's number plus one.
constexpr quintptr kGroupRow = 0;
}  // namespace

void PropertyGridModel::SetGrid(PropertyGrid grid) {
  beginResetModel();
  grid_ = std::move(grid);
  endResetModel();
}

QModelIndex PropertyGridModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column < 0 || column >= 2 || row >= rowCount(parent)) return {};
  if (!parent.isValid()) return createIndex(row, column, kGroupRow);
  return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex PropertyGridModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || child.internalId() == kGroupRow) return {};
  return createIndex(static_cast<int>(child.internalId() - 1), 0, kGroupRow);
}

int PropertyGridModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return static_cast<int>(grid_.size());
  if (parent.internalId() != kGroupRow || parent.column() != 0) return 0;
  return static_cast<int>(grid_[static_cast<size_t>(parent.row())].rows.size());
}

int PropertyGridModel::columnCount(const QModelIndex&) const { return 2; }

QVariant PropertyGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (index.internalId() == kGroupRow) {
    if (role == Qt::DisplayRole && index.column() == 0)
      return QString::fromStdString(grid_[static_cast<size_t>(index.row())].title);
    if (role == Qt::FontRole) {
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    return {};
  }
  const GridGroup& group = grid_[static_cast<size_t>(index.internalId() - 1)];
  const GridRow& row = group.rows[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) return QString::fromStdString(index.column() == 0 ? row.name : row.value);
  if (role == Qt::ToolTipRole && !row.description.empty()) return QString::fromStdString(row.description);
  return {};
}

QVariant PropertyGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 0 ? QStringLiteral("Property") : QStringLiteral("Value");
}

}  // namespace lx::gui
