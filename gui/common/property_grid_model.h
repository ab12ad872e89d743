// A read-only property grid of the core (groups of name, value and
// description rows) as a two-column Qt tree model: each group a top-level
// row, its properties below it; the description is the tool tip.
#pragma once

#include <QAbstractItemModel>

#include "imaging/property_grid.h"

namespace lx::gui {

class PropertyGridModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  explicit PropertyGridModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

  void SetGrid(PropertyGrid grid);
  const PropertyGrid& Grid() const { return grid_; }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  PropertyGrid grid_;
};

}  // namespace lx::gui
