// CLorvexandrinApp: the program's objects and its start-up and closing.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "shell/database_step.h"

namespace lx {
class CSQLite;
class DeviceEventSource;
class LorvexandrinDatabase;
class Prompts;
class SettingsStore;
class CLorvexandrinEngine;
class ScopedLogSink;
}  // namespace lx

namespace lx::gui {

class CMainFrame;
class CSplashScreenDlg;
class GuiPrompts;
class DeviceBrowser;
class OutputPaneLogSink;
class StderrLogSink;

struct StartupOptions {
  bool logStderr = false;
  // A folder to list at start, or a file whose folder is listed with its row
  // selected; empty: the last source, as usual.
  QString openPath;
  int viewStepWaitMs = 250;                       // pause between the views' splash steps
  int splashCountdown = 100;                      // 25 ms steps after the views are made
  DatabaseFolderChooser chooseDatabaseFolder;     // default: the folder dialog
  DeviceBrowser* devices = nullptr;               // default: no devices
  lx::Prompts* prompts = nullptr;                 // default: the program's dialogs
  lx::DeviceEventSource* deviceEvents = nullptr;  // default: udev
};

class CLorvexandrinApp : public QObject {
  Q_OBJECT

 public:
  explicit CLorvexandrinApp(StartupOptions options = {});
  ~CLorvexandrinApp() override;

  // The start-up sequence; false when the program must end.
  bool InitInstance();

  SettingsStore& Settings() { return *settings_; }
  CLorvexandrinEngine& Engine() { return *engine_; }
  CSQLite& Sql() { return *sqlite_; }
  CMainFrame* MainFrame() const { return frame_.get(); }
  CSplashScreenDlg* Splash() const { return splash_; }
  lx::Prompts& ActivePrompts() { return *activePrompts_; }
  bool StartupComplete() const { return startupComplete_; }
  // Splash texts in the order they were shown (for diagnostics and tests).
  const QStringList& SplashSteps() const { return splashSteps_; }

  // The automatic update check of the first splash tick. It is not built yet:
  // reports that no newer version was found.
  bool RunAutomaticUpdateCheck();

 signals:
  // Emitted with the splash once it is on screen.
  void SplashShown(CSplashScreenDlg* splash);

 private:
  bool CreateViews();
  // Makes the folder of options_.openPath the source; false when there is none.
  bool TakeOpenPath();
  // Selects and opens the source folder in the folder tree, and the opened file's row.
  void ShowOpenedPath();
  void SplashStatus(const QString& text);
  void Wait(int ms);

  StartupOptions options_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<CLorvexandrinEngine> engine_;
  std::unique_ptr<CSQLite> sqlite_;
  std::unique_ptr<LorvexandrinDatabase> database_;
  std::unique_ptr<DeviceBrowser> ownDevices_;
  std::unique_ptr<GuiPrompts> prompts_;
  lx::Prompts* activePrompts_ = nullptr;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<OutputPaneLogSink> paneSink_;
  std::unique_ptr<StderrLogSink> stderrSink_;
  std::vector<std::unique_ptr<ScopedLogSink>> attached_;
  CSplashScreenDlg* splash_ = nullptr;
  QStringList splashSteps_;
  QString openFolder_;  // the folder of options_.openPath, when it named one
  QString openFile_;    // the file name of options_.openPath, when it named a file
  bool newerVersionFound_ = false;
  bool startupComplete_ = false;
};

}  // namespace lx::gui
