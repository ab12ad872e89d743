// CMainFrame: the desktop program's main window — ribbon, status bar, the
// folder navigation pane, the log and preview panes, and the two views.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "common/command_table.h"
#include "shell/main_frame_commands.h"

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QStackedWidget;
class QToolButton;

namespace lx {
class CLorvexandrinEngine;
class DeviceEventSource;
class DeviceNotifications;
class Prompts;
}  // namespace lx

namespace lx::gui {

class CRibbonBar;
class COutputWnd;
class CLorvexandrinShellTreeCtrl;
class CRenameViewPage;
class CDetailsViewPage;
class DeviceBrowser;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(CLorvexandrinEngine& engine, Prompts& prompts, DeviceBrowser& devices, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CRibbonBar* Ribbon() const { return ribbon_; }
  COutputWnd* OutputPane() const { return output_; }
  QDockWidget* PreviewPane() const { return preview_; }
  QDockWidget* NavigationPane() const { return navigation_; }
  CLorvexandrinShellTreeCtrl* FolderTree() const { return tree_; }
  CRenameViewPage* RenameView() const { return renameView_; }
  CDetailsViewPage* DetailsView() const { return detailsView_; }
  QWidget* ActiveView() const;
  QAction* Command(int id) const { return commands_.Get(id); }
  QToolButton* DatabasePane() const { return databasePane_; }

  // Views creation: called by start-up once the frame exists.
  void AttachViews(CRenameViewPage* renameView, CDetailsViewPage* detailsView);

  // Shows the rename view again (re-listing the source when reRead) and activates "Photo Rename".
  void ShowRenameView(bool reRead);
  void ShowDetailsView();
  // What activating "Photo Details" does first: open the rename list's selected photo.
  void SetDetailsOpener(std::function<void()> opener) { detailsOpener_ = std::move(opener); }

  void SetDatabaseStatus(const QString& text);
  // What a click on the database pane shows once a database is open.
  void SetDatabaseInfoHandler(std::function<void()> handler) { databaseInfo_ = std::move(handler); }
  void SetToolTipsShown(bool shown);
  bool ToolTipsShown() const { return toolTips_; }
  void SetOutputPaneShown(bool shown);
  void SetPreviewShown(bool shown);
  bool PreviewFlag() const { return previewFlag_; }
  bool AutoRotate() const { return autoRotate_; }
  void SetAutoRotate(bool on) {
    autoRotate_ = on;
    UpdateCommandStates();
    emit AutoRotateChanged(on);
  }
  void ApplyVisualStyle(int styleId);
  int VisualStyle() const { return visualStyle_; }

  bool listingBusy = false;

  // Window placement as the "WindowPlacement" setting keeps it; a damaged text is refused.
  std::string SaveWindowPlacement();
  bool RestoreWindowPlacement(const std::string& text);

  // Refreshes the enable and check states of every command.
  void UpdateCommandStates();
  // Runs a command by id, as its button does.
  void RunCommand(int id);

  // Follows cameras and phones plugged in or removed; null listens to udev.
  // A source that cannot start is logged and the program goes on without it.
  bool StartDeviceNotifications(DeviceEventSource* source = nullptr);
  void StopDeviceNotifications();
  bool DeviceNotificationsActive() const { return deviceNotificationsActive_; }

  // Skips the closing window (tests close many frames).
  bool showClosingDialog = true;

 signals:
  // The rotation option was set (by its commands or its dialog): the active view shows its picture again.
  void AutoRotateChanged(bool on);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // main_frame_commands.cpp: the commands, their tips and handlers.
  void BuildCommands();
  void BuildRibbon();
  void BuildStatusBar();
  void BuildPanes();
  void OnCategoryActivated(const QString& name);
  void OpenWebPage(const std::string& pagePath);
  void ShowAbout();
  void ShowDatabaseInfo();
  void ChooseRotation();
  void CloseSequence();
  void OnDevicesChanged();

  CLorvexandrinEngine& engine_;
  Prompts& prompts_;
  DeviceBrowser& devices_;
  CRibbonBar* ribbon_ = nullptr;
  COutputWnd* output_ = nullptr;
  QDockWidget* preview_ = nullptr;
  QDockWidget* navigation_ = nullptr;
  CLorvexandrinShellTreeCtrl* tree_ = nullptr;
  QStackedWidget* views_ = nullptr;
  CRenameViewPage* renameView_ = nullptr;
  CDetailsViewPage* detailsView_ = nullptr;
  CommandTable commands_{this, [this](int id) { RunCommand(id); }};
  QActionGroup* styles_ = nullptr;
  QLabel* linkPane_ = nullptr;
  QToolButton* databasePane_ = nullptr;
  QToolButton* aboutPane_ = nullptr;
  QLabel* messagesPane_ = nullptr;
  bool toolTips_ = true;
  bool outputShown_ = true;
  bool previewFlag_ = true;
  bool autoRotate_ = true;
  bool closing_ = false;
  int visualStyle_ = kCmdStyleAqua;
  QString desktopStyle_;
  std::function<void()> databaseInfo_;
  std::function<void()> detailsOpener_;
  std::unique_ptr<DeviceEventSource> ownDeviceSource_;
  std::unique_ptr<DeviceNotifications> deviceNotifications_;
  bool deviceNotificationsActive_ = false;
};

}  // namespace lx::gui
