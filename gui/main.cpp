// lorvexandrin: the desktop program.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "engine/version.h"
#include "main_window.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "lorvexandrin " << lx::ProgramVersionText() << '\n';
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << "Usage: lorvexandrin [--log-stderr] [--help] [--version]\n"
                   "The Lorvexandrin desktop program: renames photographs in bulk.\n";
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(lx::kFrameworkTitle));
  lx::gui::MainWindow window;
  window.show();
  return app.exec();
}
