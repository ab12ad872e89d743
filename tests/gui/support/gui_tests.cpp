#include "gui_tests.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "platform/paths.h"

namespace lx::gui::test {

int RunOutputLogTests(int argc, char** argv);
int RunMessageBoxTests(int argc, char** argv);
int RunSourceTreeTests(int argc, char** argv);
int RunMainFrameTests(int argc, char** argv);
int RunStartupTests(int argc, char** argv);
int RunDeviceNotifyTests(int argc, char** argv);

int RunAllGuiTests(int argc, char** argv) {
  int failures = 0;
  failures += RunOutputLogTests(argc, argv);
  failures += RunMessageBoxTests(argc, argv);
  failures += RunSourceTreeTests(argc, argv);
  failures += RunMainFrameTests(argc, argv);
  failures += RunStartupTests(argc, argv);
  failures += RunDeviceNotifyTests(argc, argv);
  return failures == 0 ? 0 : 1;
}

void WhenModalShown(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, action, tries] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal && ++*tries < 500) return;
    timer->stop();
    timer->deleteLater();
    if (modal) action(modal);
  });
  timer->start(10);
}

void ResetSettings() {
  std::error_code ignored;
  std::filesystem::remove_all(ConfigHome() + "/Quorin", ignored);
}

}  // namespace lx::gui::test
