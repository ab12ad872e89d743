// lorvexandrin: the desktop program. lorvexandrin [DIR|FILE] opens with the
// folder (or the photo's folder, the photo selected) as the source.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "base/version.h"
#include "shell/app.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "lorvexandrin " << lx::ProgramVersionText() << '\n';
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << "Usage: lorvexandrin [--log-stderr] [--help] [--version] [DIR|FILE]\n"
                   "The Lorvexandrin desktop program: renames photographs in bulk.\n"
                   "  DIR           the folder to list at start (selected in the folder tree)\n"
                   "  FILE          a photo: its folder is listed and its row selected\n"
                   "  --log-stderr  also write every log line to standard error\n"
                   "  --help        show this text\n"
                   "  --version     show the release\n";
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(lx::kFrameworkTitle));
  // The id of the desktop entry, so that the window is matched with it.
  QApplication::setDesktopFileName(QStringLiteral("org.quorin.Lorvexandrin"));
  // Read after Qt has taken its own options (-platform and the like) out.
  lx::gui::StartupOptions options;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--log-stderr"))
      options.logStderr = true;
    else if (!arguments[i].startsWith('-') && options.openPath.isEmpty())
      options.openPath = arguments[i];
  }
  lx::gui::CLorvexandrinApp program(options);
  if (!program.InitInstance()) return 0;
  return app.exec();
}
