// Runs the dialogs' test classes under the private test environment.
#include <QApplication>
#include <QtTest>
#include <memory>

#include "dialog_tests.h"
#include "gui_tests.h"

int main(int argc, char** argv) {
  lx::gui::test::PrepareGuiTestEnvironment("lx-dialogs-home");
  QApplication app(argc, argv);
  int status = 0;
  for (auto make : {lx::gui::test::MakeCounterDialogTest, lx::gui::test::MakeKeywordDialogTest,
                    lx::gui::test::MakeMaskEditorTest, lx::gui::test::MakeMaskViewersTest}) {
    std::unique_ptr<QObject> test(make());
    status |= QTest::qExec(test.get(), argc, argv);
  }
  return status;
}
