// CMetaDataGrid: the details view's read-only property grid " Image MetaData ":
// the groups and rows of a core property grid under the columns "Property" and
// "Value", in their own order, with a description area under them showing the
// selected row's description. Long values are elided and shown whole in a tool
// tip; the split between the columns follows the grid's width when resized.
#pragma once

#include <QGroupBox>
#include <QTreeView>

#include "imaging/property_grid.h"

class QLabel;

namespace lx::gui {

class PropertyGridModel;

// The tree of the grid; keeps the share of the width the name column has.
class CMetaDataTree : public QTreeView {
  Q_OBJECT

 public:
  explicit CMetaDataTree(QWidget* parent = nullptr);
  // Share of the viewport width given to the "Property" column.
  double Split() const { return split_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void ApplySplit();
  double split_ = 0.42;
  bool applying_ = false;
};

class CMetaDataGrid : public QGroupBox {
  Q_OBJECT

 public:
  explicit CMetaDataGrid(QWidget* parent = nullptr);

  void SetGrid(PropertyGrid grid);
  PropertyGridModel* Model() const { return model_; }
  CMetaDataTree* Tree() const { return tree_; }
  QLabel* DescriptionArea() const { return description_; }

 private:
  void ShowDescription(const QModelIndex& index);

  PropertyGridModel* model_ = nullptr;
  CMetaDataTree* tree_ = nullptr;
  QLabel* description_ = nullptr;
};

}  // namespace lx::gui
