// Runs the test classes of the desktop program's shell and common widgets
// under the private test environment.
#include <QApplication>

#include "gui_tests.h"

namespace lx::gui::test {

int RunOutputLogTests(int argc, char** argv);
int RunMessageBoxTests(int argc, char** argv);
int RunCommonModelTests(int argc, char** argv);
int RunSourceTreeTests(int argc, char** argv);
int RunMainFrameTests(int argc, char** argv);
int RunStartupTests(int argc, char** argv);
int RunDeviceNotifyTests(int argc, char** argv);
int RunOpenPathTests(int argc, char** argv);

}  // namespace lx::gui::test

int main(int argc, char** argv) {
  using namespace lx::gui::test;
  PrepareGuiTestEnvironment("lx-gui-home");
  QApplication app(argc, argv);
  int failures = 0;
  failures += RunOutputLogTests(argc, argv);
  failures += RunMessageBoxTests(argc, argv);
  failures += RunCommonModelTests(argc, argv);
  failures += RunSourceTreeTests(argc, argv);
  failures += RunMainFrameTests(argc, argv);
  failures += RunStartupTests(argc, argv);
  failures += RunDeviceNotifyTests(argc, argv);
  failures += RunOpenPathTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
