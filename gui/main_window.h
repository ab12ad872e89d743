// The desktop program's main window. The shell (ribbon, panes, views) grows here.
#pragma once

#include <QMainWindow>

namespace lx::gui {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace lx::gui
