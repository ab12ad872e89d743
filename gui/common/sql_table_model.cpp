#include "common/sql_table_model.h"

#include <QStringList>
#include <QTableWidget>

namespace lx::gui {

void SqlTableModel::SetTable(SqlTable table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

int SqlTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_.emptyTable) return 0;
  return static_cast<int>(table_.rows.size());
}

int SqlTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.headers.size());
}

QVariant SqlTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  const auto& row = table_.rows[static_cast<size_t>(index.row())];
  if (index.column() >= static_cast<int>(row.size())) return {};
  return QString::fromStdString(row[static_cast<size_t>(index.column())]);
}

QVariant SqlTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromStdString(table_.headers[static_cast<size_t>(section)]);
}

void FillTableWidget(QTableWidget* table, const SqlTable& data) {
  table->clear();
  table->setColumnCount(static_cast<int>(data.headers.size()));
  QStringList headers;
  for (const auto& h : data.headers) headers << QString::fromStdString(h);
  table->setHorizontalHeaderLabels(headers);
  table->setRowCount(data.emptyTable ? 0 : static_cast<int>(data.rows.size()));
  if (!data.emptyTable) {
    for (int r = 0; r < static_cast<int>(data.rows.size()); ++r)
      for (int c = 0; c < static_cast<int>(data.rows[r].size()) && c < table->columnCount(); ++c)
        table->setItem(r, c, new QTableWidgetItem(QString::fromStdString(data.rows[r][c])));
  }
  table->resizeColumnsToContents();
}

}  // namespace lx::gui
