#include "shell/app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QThread>

#include "base/log.h"
#include "base/version.h"
#include "details_view/details_view_hookup.h"
#include "devices/portable_device_backend.h"
#include "dialogs/app/select_path_dlg.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "rename/source_tree.h"
#include "rename_view/rename_file_view.h"
#include "rename_view/rename_view_hookup.h"
#include "shell/device_browser.h"
#include "shell/gui_prompts.h"
#include "shell/main_window.h"
#include "shell/output_wnd.h"
#include "shell/shell_tree.h"
#include "shell/splash.h"
#include "shell/views.h"
#include "storage/database.h"
#include "storage/settings_store.h"
#include "storage/sqlite.h"

namespace lx::gui {

CLorvexandrinApp::CLorvexandrinApp(StartupOptions options) : options_(std::move(options)) {
  settings_ = std::make_unique<SettingsStore>(SettingsStore::ForCurrentUser());
  engine_ = std::make_unique<CLorvexandrinEngine>(*settings_);
  sqlite_ = std::make_unique<CSQLite>();
  settings_->CreateSettingsBranch();
  if (options_.logStderr) {
    stderrSink_ = std::make_unique<StderrLogSink>();
    attached_.push_back(std::make_unique<ScopedLogSink>(*stderrSink_));
  }
}

CLorvexandrinApp::~CLorvexandrinApp() {
  // Detach the sinks before the pane they write to goes.
  attached_.clear();
  delete splash_;
  frame_.reset();
  database_.reset();
}

bool CLorvexandrinApp::RunAutomaticUpdateCheck() { return false; }

void CLorvexandrinApp::Wait(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
}

void CLorvexandrinApp::SplashStatus(const QString& text) {
  splashSteps_ << text;
  if (splash_) splash_->SetStatus(text);
  QApplication::processEvents();
}

bool CLorvexandrinApp::InitInstance() {
  // Window and docking layout never survive a restart; only the placement does.
  settings_->DeleteRegTree(kWorkspaceKey);

  DeviceBrowser* devices = options_.devices;
  if (!devices) {
    ownDevices_ = std::make_unique<WpdDeviceBrowser>(DefaultPortableDeviceBackend());
    devices = ownDevices_.get();
  }
  prompts_ = std::make_unique<GuiPrompts>(*settings_, engine_.get());
  activePrompts_ = options_.prompts ? options_.prompts : prompts_.get();
  frame_ = std::make_unique<CMainFrame>(*engine_, *activePrompts_, *devices);
  prompts_->SetParent(frame_.get());
  paneSink_ = std::make_unique<OutputPaneLogSink>(frame_->OutputPane());
  attached_.push_back(std::make_unique<ScopedLogSink>(*paneSink_));
  engine_->LoadEngineSettings(true);
  TakeOpenPath();

  frame_->SetToolTipsShown(settings_->GetNumber(setting::kShowToolTips) != 0);
  frame_->hide();

  DatabaseFolderChooser chooser = options_.chooseDatabaseFolder;
  if (!chooser) {
    chooser = [this](std::string& folder) {
      const std::string start = DefaultDatabaseFolder();
      CreateFolderTree(start);
      CSelectPathDlg dialog(QString::fromStdString(start), frame_.get());
      if (dialog.exec() != QDialog::Accepted || dialog.SelectedFolder().isEmpty()) return false;
      folder = dialog.SelectedFolder().toStdString();
      return true;
    };
  }
  sqlite_->SetPrompts(activePrompts_);
  database_ = std::make_unique<LorvexandrinDatabase>(*sqlite_, *settings_, *activePrompts_);
  DatabaseStepResult database = CheckDatabasePathStep(*engine_, *database_, chooser);
  if (database.databaseUsable) frame_->SetDatabaseInfoHandler([this] { database_->ShowDatabaseInfo(); });
  if (!database.keepRunning) return false;
  if (!database.statusText.empty()) frame_->SetDatabaseStatus(QString::fromStdString(database.statusText));

  splash_ = new CSplashScreenDlg;
  splash_->countdown = options_.splashCountdown;
  splash_->SetFirstTickAction([this] { newerVersionFound_ = RunAutomaticUpdateCheck(); });
  if (QScreen* screen = QApplication::primaryScreen())
    splash_->move(screen->availableGeometry().center() - splash_->rect().center());
  splash_->show();
  splash_->repaint();
  emit SplashShown(splash_);
  SplashStatus(QStringLiteral("Creating %1 Framework ...").arg(QString::fromUtf8(kAppTitle)));

  const bool viewsCreated = CreateViews();
  if (viewsCreated) {
    SplashStatus(QStringLiteral("Terminating Application Startup ..."));
    while (splash_->countdown > 0) {
      --splash_->countdown;
      QApplication::processEvents(QEventLoop::AllEvents, 5);
      QThread::msleep(25);
    }
  }
  splash_->close();
  delete splash_;
  splash_ = nullptr;

  // The update dialog of a newer release belongs to the online services.
  (void)newerVersionFound_;

  startupComplete_ = true;
  const std::string placement = settings_->GetText(setting::kWindowPlacement);
  frame_->RestoreWindowPlacement(placement);
  // Without udev (a container, a sandbox) this only logs: devices are then
  // found when the folder tree is opened.
  frame_->StartDeviceNotifications(options_.deviceEvents);
  if (CRenameViewPage* page = frame_->RenameView(); page && !openFile_.isEmpty())
    if (CRenameFileView* view = page->RenameView()) view->selectAfterRead = openFile_.toStdString();
  frame_->show();
  frame_->ShowRenameView(true);
  ShowOpenedPath();
  return true;
}

bool CLorvexandrinApp::TakeOpenPath() {
  if (options_.openPath.isEmpty()) return false;
  const QFileInfo info(options_.openPath);
  if (info.isDir()) {
    openFolder_ = info.absoluteFilePath();
  } else if (info.isFile()) {
    openFolder_ = info.absolutePath();
    openFile_ = info.fileName();
  } else {
    LogFormat("Unable to Find '%s' !!! The Last Source Folder is Listed ...", options_.openPath.toStdString().c_str());
    return false;
  }
  SelectFolderSource(*engine_, openFolder_.toStdString());
  return true;
}

void CLorvexandrinApp::ShowOpenedPath() {
  if (openFolder_.isEmpty()) return;
  CLorvexandrinShellTreeCtrl* tree = frame_->FolderTree();
  QTreeWidgetItem* item = tree->FindFolderItem(openFolder_);
  if (!item) return;  // a folder the tree does not show (a hidden one): listed all the same
  item->setExpanded(true);
  tree->setCurrentItem(item);
  tree->scrollToItem(item);
}

bool CLorvexandrinApp::CreateViews() {
  SplashStatus(QStringLiteral("Creating Lorvexandrin Views ..."));
  auto* renameView = new CRenameViewPage(*engine_);
  auto* detailsView = new CDetailsViewPage;
  SplashStatus(QStringLiteral("Initializing Lorvexandrin View ..."));
  Wait(options_.viewStepWaitMs);
  SplashStatus(QStringLiteral("Initializing File Renaming View ..."));
  frame_->AttachViews(renameView, detailsView);
  CRenameFileView* renameFileView = AttachRenameView(*frame_, *renameView, *engine_, *sqlite_, *activePrompts_);
  AttachDetailsView(*frame_, *detailsView, renameFileView, *engine_);
  if (prompts_) prompts_->SetDatabase(sqlite_.get());
  renameView->OnInitialUpdate();
  Wait(options_.viewStepWaitMs);
  SplashStatus(QStringLiteral("Initializing File Data View ..."));
  detailsView->OnInitialUpdate();
  Wait(options_.viewStepWaitMs);
  SplashStatus(QStringLiteral("Updating Initial File Renaming View ..."));
  LogFormat("%s StartUp successful ..", kAppTitle);
  const QSize size = frame_->size().expandedTo(QSize(1200, 850));
  frame_->resize(size);
  return true;
}

}  // namespace lx::gui
