#include "main_window.h"

#include <QLabel>

#include "engine/version.h"

namespace lx::gui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromUtf8(kAppTitle));
  setMinimumSize(1100, 800);
  resize(1200, 850);
  auto* label = new QLabel(tr("Quorin Lorvexandrin"), this);
  label->setAlignment(Qt::AlignCenter);
  setCentralWidget(label);
}

}  // namespace lx::gui
