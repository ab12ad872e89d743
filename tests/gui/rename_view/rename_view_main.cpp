// Runs the rename view's test classes under a private home, a fixed time
// zone and locale, and Qt's offscreen platform.
#include <QApplication>
#include <QtTest>
#include <cstdlib>

#include "rename_view_tests.h"
#include "temp_dir.h"

int main(int argc, char** argv) {
  static lx::test::TempDir home("lx-view-home");
  setenv("HOME", home.Path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home.Path() + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home.Path() + "/data").c_str(), 1);
  setenv("TMPDIR", (home.Path()).c_str(), 1);
  setenv("TZ", "Europe/Paris", 1);
  setenv("LANG", "C.UTF-8", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  unsetenv("LC_ALL");
  tzset();
  QApplication app(argc, argv);
  return lx::gui::test::RunRenameViewTests(argc, argv);
}
