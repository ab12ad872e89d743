// Runs the rename view's test classes under the private test environment.
#include <QApplication>

#include "gui_tests.h"
#include "rename_view_tests.h"

int main(int argc, char** argv) {
  lx::gui::test::PrepareGuiTestEnvironment("lx-view-home");
  QApplication app(argc, argv);
  return lx::gui::test::RunRenameViewTests(argc, argv);
}
