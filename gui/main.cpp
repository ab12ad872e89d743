// lorvexandrin: the desktop program.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "base/version.h"
#include "shell/app.h"

int main(int argc, char** argv) {
  lx::gui::StartupOptions options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "lorvexandrin " << lx::ProgramVersionText() << '\n';
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << "Usage: lorvexandrin [--log-stderr] [--help] [--version]\n"
                   "The Lorvexandrin desktop program: renames photographs in bulk.\n"
                   "  --log-stderr  also write every log line to standard error\n"
                   "  --help        show this text\n"
                   "  --version     show the release\n";
      return 0;
    }
    if (std::strcmp(argv[i], "--log-stderr") == 0) options.logStderr = true;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(lx::kFrameworkTitle));
  QApplication::setDesktopFileName(QStringLiteral("lorvexandrin"));
  lx::gui::CLorvexandrinApp program(options);
  if (!program.InitInstance()) return 0;
  return app.exec();
}
