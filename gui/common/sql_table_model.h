// A query result of the core (SqlTable) shown by Qt: a read-only table model
// with the query's aliases as headings, and the filling of a table widget.
#pragma once

#include <QAbstractTableModel>

#include "storage/sqlite.h"

class QTableWidget;

namespace lx::gui {

class SqlTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SqlTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  void SetTable(SqlTable table);
  const SqlTable& Table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  SqlTable table_;
};

// Fills a table widget from a query result: the aliases as headings, columns fitted.
// The "Empty Table" stand-in shows its headings and no row.
void FillTableWidget(QTableWidget* table, const SqlTable& data);

}  // namespace lx::gui
