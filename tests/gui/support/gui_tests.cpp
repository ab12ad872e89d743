#include "gui_tests.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>

#include "platform/paths.h"
#include "temp_dir.h"

namespace lx::gui::test {

void PrepareGuiTestEnvironment(const char* homePrefix) {
  static lx::test::TempDir home(homePrefix);
  setenv("HOME", home.Path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home.Path() + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home.Path() + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home.Path() + "/runtime").c_str(), 1);
  lx::test::WriteFile(home.Path() + "/runtime/.keep", "");
  chmod((home.Path() + "/runtime").c_str(), 0700);
  setenv("TMPDIR", home.Path().c_str(), 1);
  setenv("TZ", "Europe/Paris", 1);
  setenv("LANG", "C.UTF-8", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  unsetenv("LC_ALL");
  unsetenv("LX_FAKE_DEVICES");
  tzset();
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

void SaveScreenshot(QWidget* widget, const QString& name) {
  QString file = name;
  if (file.isEmpty()) file = QString::fromLatin1(widget->metaObject()->className()).section("::", -1);
  QDir().mkpath(QStringLiteral(LX_SCREENSHOT_DIR));
  QVERIFY(widget->grab().save(QStringLiteral(LX_SCREENSHOT_DIR "/") + file + QStringLiteral(".png")));
}

}  // namespace lx::gui::test
