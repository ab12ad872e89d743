// CLorvexandrinShellTreeCtrl: the source folder tree of the navigation pane.
// Top level: the home folder, the file system root and the computer node,
// which holds the mounted volumes and the portable devices. A click makes the
// item the source of the rename list.
#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "rename/source_tree.h"

namespace lx {
class CLorvexandrinEngine;
class Prompts;
}  // namespace lx

namespace lx::gui {

// Where the tree finds portable devices and their folders.
class DeviceBrowser {
 public:
  struct Device {
    std::string name;  // friendly name
    std::string id;
  };
  virtual ~DeviceBrowser() = default;
  virtual std::vector<Device> Devices() = 0;
  // Folder names below a device folder given by its names from the device's top level down.
  virtual std::vector<std::string> Folders(const std::string& deviceId, const std::vector<std::string>& path) = 0;
};

// No devices: used until the device access layer is wired in.
class NoDeviceBrowser : public DeviceBrowser {
 public:
  std::vector<Device> Devices() override { return {}; }
  std::vector<std::string> Folders(const std::string&, const std::vector<std::string>&) override { return {}; }
};

class CLorvexandrinShellTreeCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  enum ItemKind { kHomeItem = 1, kFolderItem, kComputerItem, kDeviceItem, kDeviceFolderItem };
  static constexpr int kPathRole = Qt::UserRole + 1;
  static constexpr int kKindRole = Qt::UserRole + 2;
  // The computer node is the only level between a device and the top of the tree.
  static constexpr int kLevelsAboveDevice = 1;

  CLorvexandrinShellTreeCtrl(CLorvexandrinEngine& engine, Prompts& prompts, DeviceBrowser& devices,
                             QWidget* parent = nullptr);

  // Folder shown as "File System"; tests point it at a temporary folder.
  void SetFileSystemRoot(const QString& path) { fileSystemRoot_ = path; }
  // Folders offered as mounted volumes; by default those under /media, /run/media and /mnt.
  void SetVolumeFolders(const QStringList& folders) {
    volumeFolders_ = folders;
    volumesSet_ = true;
  }
  void SetHomeFolder(const QString& path) { homeFolder_ = path; }
  // Asked before a click starts a folder read: true while the list is busy reading.
  void SetBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }

  // Builds the top level afresh.
  void Rebuild();

  ItemTexts TextsOf(QTreeWidgetItem* item) const;
  QString FolderPathOf(QTreeWidgetItem* item) const;
  int GetSourceKind(QTreeWidgetItem* item) const;
  bool BuildDevicePath(QTreeWidgetItem* item);
  std::string GetItemDisplayPath(QTreeWidgetItem* item, int kind) const;

  void SelectSource(QTreeWidgetItem* item);
  void RefreshTree();
  void ShowItemData(QTreeWidgetItem* item);

  // Finds a folder item by path, expanding the branches on the way; null when absent.
  QTreeWidgetItem* FindFolderItem(const QString& path);
  // Re-reads the device table into the engine.
  void RefreshDevices();
  // Re-reads the device table and, once the computer node has been opened,
  // replaces its device nodes with the devices connected now.
  void RefreshDeviceNodes();

 signals:
  // A new source is stored in the engine: the rename view must list it.
  void SourceSelected();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Populate(QTreeWidgetItem* item);
  QTreeWidgetItem* AddChild(QTreeWidgetItem* parent, const QString& text, ItemKind kind, const QString& path);
  void ExpandByTexts(QTreeWidgetItem* item, const QStringList& texts);
  std::vector<std::string> DeviceFolderNames(QTreeWidgetItem* item, std::string* deviceId) const;

  CLorvexandrinEngine& engine_;
  Prompts& prompts_;
  DeviceBrowser& devices_;
  std::function<bool()> busy_;
  QString fileSystemRoot_ = QStringLiteral("/");
  QString homeFolder_;
  QStringList volumeFolders_;
  bool volumesSet_ = false;
  QStringList expandedTexts_;
};

}  // namespace lx::gui
