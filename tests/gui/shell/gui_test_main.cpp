// Runs every test class of the desktop program under a private home, a fixed
// time zone and locale, and Qt's offscreen platform.
#include <sys/stat.h>
#include <QApplication>
#include <QtTest>
#include <cstdlib>

#include "gui_tests.h"
#include "temp_dir.h"

int main(int argc, char** argv) {
  static lx::test::TempDir home("lx-gui-home");
  setenv("HOME", home.Path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home.Path() + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home.Path() + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home.Path() + "/runtime").c_str(), 1);
  lx::test::WriteFile(home.Path() + "/runtime/.keep", "");
  chmod((home.Path() + "/runtime").c_str(), 0700);
  setenv("TZ", "Europe/Paris", 1);
  setenv("LANG", "C.UTF-8", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  unsetenv("LC_ALL");
  unsetenv("LX_FAKE_DEVICES");
  tzset();
  QApplication app(argc, argv);
  return lx::gui::test::RunAllGuiTests(argc, argv);
}
