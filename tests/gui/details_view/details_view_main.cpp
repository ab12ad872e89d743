// Runs the details view's tests under the private test environment, with a
// folder of fake portable devices of its own.
#include <QApplication>
#include <QtTest>
#include <cstdlib>

#include "gui_tests.h"

namespace lx::gui::test {
QObject* MakeSingleFileViewTest();
}

int main(int argc, char** argv) {
  lx::gui::test::PrepareGuiTestEnvironment("lx-details-home");
  // The process's device backend is made once: its folder is set before.
  setenv("LX_FAKE_DEVICES", (std::string(getenv("HOME")) + "/devices").c_str(), 1);
  QApplication app(argc, argv);
  std::unique_ptr<QObject> test(lx::gui::test::MakeSingleFileViewTest());
  return QTest::qExec(test.get(), argc, argv);
}
