// CSelectPathDlg: the folder chooser that start-up opens when no database
// path is known ("Select Path to Quorin Lorvexandrin Database").
#pragma once

#include <QString>

#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QTreeView;
class QFileSystemModel;

namespace lx::gui {

// "Select Path to Quorin Lorvexandrin Database": a folder chooser.
class CSelectPathDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  explicit CSelectPathDlg(const QString& startFolder, QWidget* parent = nullptr);
  QString SelectedFolder() const { return selected_; }
  void SelectFolder(const QString& folder);

 private:
  QTreeView* tree_ = nullptr;
  QFileSystemModel* model_ = nullptr;
  QLabel* selectedLabel_ = nullptr;
  QString selected_;
};

}  // namespace lx::gui
