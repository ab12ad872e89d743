// The rename list's table: a Qt model over the core's rows and the view that
// shows it with grid lines, full-row selection, the five text colours and
// the 75 x 75 thumbnails.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <cstdint>

#include "rename/rename_list.h"

namespace lx::gui {

class ThumbnailMaker;

class RenameListTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  RenameListTableModel(RenameListModel& model, ThumbnailMaker& thumbnails, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The rows changed: show them again.
  void Reload();
  void ThumbnailArrived(const QString& path);

  bool showThumbnails = false;

 private:
  RenameListModel& model_;
  ThumbnailMaker& thumbnails_;
};

class CRenameFileListCtrl : public QTableView {
  Q_OBJECT

 public:
  CRenameFileListCtrl(RenameListModel& model, ThumbnailMaker& thumbnails, QWidget* parent = nullptr);

  RenameListTableModel* TableModel() const { return table_; }
  // Shows the rows again and the selection of the core model.
  void Reload();
  // Sizes every column to its heading and contents, in the order 0, 2, 3, 1, 4.
  void FitColumns();
  // 75 x 75 icons when thumbnails are shown, one text line otherwise.
  void SetThumbnailsShown(bool shown);
  // Copies the core model's selection into the view.
  void SyncSelectionFromModel();
  void SetButtonFaceBackground(bool buttonFace);

 signals:
  void RowActivated(int row);  // double click
  void ContextMenuAt(const QPoint& globalPos);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  RenameListModel& model_;
  RenameListTableModel* table_ = nullptr;
  bool syncing_ = false;
  QColor ownBase_;
};

}  // namespace lx::gui
