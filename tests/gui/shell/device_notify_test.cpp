// The main frame follows cameras and phones plugged in or removed: an event
// from the source's thread refreshes the engine's device table and the folder
// tree's device nodes on the window's thread; a source that cannot start is
// only logged.
#include <QTreeWidgetItem>
#include <QtTest>
#include <mutex>
#include <thread>

#include "base/log.h"
#include "devices/device_notifications.h"
#include "engine/engine.h"
#include "gui_tests.h"
#include "scripted_prompts.h"
#include "shell/main_window.h"
#include "shell/shell_tree.h"
#include "shell/views.h"
#include "storage/settings_store.h"

namespace lx::gui::test {

namespace {

// Events are fired by the test from a thread of their own, as udev's are.
class FakeEventSource : public DeviceEventSource {
 public:
  bool Start(Sink sink, std::string& error) override {
    if (fail) {
      error = "No such file or directory";
      return false;
    }
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
    return true;
  }
  void Stop() override {
    std::lock_guard lock(mutex_);
    sink_ = nullptr;
  }
  // False when no one listens.
  bool Fire(DeviceEventKind kind, const std::string& name) {
    bool delivered = false;
    std::thread([&] {
      std::lock_guard lock(mutex_);
      if (!sink_) return;
      sink_(DeviceEvent{kind, name});
      delivered = true;
    }).join();
    return delivered;
  }
  bool fail = false;

 private:
  std::mutex mutex_;
  Sink sink_;
};

class ListedDevices : public DeviceBrowser {
 public:
  std::vector<Device> Devices() override { return devices; }
  std::vector<std::string> Folders(const std::string&, const std::vector<std::string>&) override { return {}; }
  std::vector<Device> devices;
};

struct Frame {
  SettingsStore settings = SettingsStore::ForCurrentUser();
  CLorvexandrinEngine engine{settings};
  lx::test::ScriptedPrompts prompts;
  ListedDevices devices;
  CapturingLogSink log;
  ScopedLogSink attached{log};
  CMainFrame frame{engine, prompts, devices};
  Frame() {
    frame.showClosingDialog = false;
    frame.AttachViews(new CRenameViewPage(engine), new CDetailsViewPage);
  }
  QTreeWidgetItem* Computer() {
    CLorvexandrinShellTreeCtrl* tree = frame.FolderTree();
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
      if (tree->topLevelItem(i)->data(0, CLorvexandrinShellTreeCtrl::kKindRole).toInt() ==
          CLorvexandrinShellTreeCtrl::kComputerItem)
        return tree->topLevelItem(i);
    return nullptr;
  }
  QStringList DeviceNodes() {
    QStringList names;
    QTreeWidgetItem* computer = Computer();
    for (int i = 0; computer && i < computer->childCount(); ++i)
      if (computer->child(i)->data(0, CLorvexandrinShellTreeCtrl::kKindRole).toInt() ==
          CLorvexandrinShellTreeCtrl::kDeviceItem)
        names << computer->child(i)->text(0);
    return names;
  }
};

}  // namespace

class DeviceNotifyTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetSettings(); }

  void ArrivalAndRemovalRefreshTheTree() {
    FakeEventSource source;  // outlives the frame that listens to it
    Frame f;
    f.frame.FolderTree()->SetVolumeFolders({});
    f.frame.FolderTree()->Rebuild();
    f.devices.devices = {{"Camera A", "usb:001,004"}};
    QVERIFY(f.frame.StartDeviceNotifications(&source));
    QVERIFY(f.frame.DeviceNotificationsActive());
    f.Computer()->setExpanded(true);
    QCOMPARE(f.DeviceNodes(), QStringList{"Camera A"});

    // A second device comes (its rescan waits two seconds), then the first goes.
    f.devices.devices = {{"Phone B", "usb:001,005"}};
    QVERIFY(source.Fire(DeviceEventKind::Arrival, "/dev/bus/usb/001/005"));
    QVERIFY(source.Fire(DeviceEventKind::RemoveComplete, "/dev/bus/usb/001/004"));
    QTRY_COMPARE_WITH_TIMEOUT(f.DeviceNodes(), QStringList{"Phone B"}, 3000);
    QCOMPARE(f.engine.deviceCount, 1);
    QCOMPARE(f.engine.deviceNames.at(0), std::string("Phone B"));
    QVERIFY(f.log.Contains("Detection of Device Connection - Device Name: /dev/bus/usb/001/005"));
    QVERIFY(f.log.Contains("Detection of Device Disconnection - Device Name: /dev/bus/usb/001/004"));

    // The last device goes: no device node is left.
    f.devices.devices.clear();
    QVERIFY(source.Fire(DeviceEventKind::RemoveComplete, "/dev/bus/usb/001/005"));
    QTRY_COMPARE_WITH_TIMEOUT(f.engine.deviceCount, 0, 3000);
    QVERIFY(f.DeviceNodes().isEmpty());

    // Closing stops the listening: later events reach no one.
    f.frame.close();
    QVERIFY(!f.frame.DeviceNotificationsActive());
    QVERIFY(!source.Fire(DeviceEventKind::Arrival, "/dev/bus/usb/001/006"));
  }

  void UnopenedComputerNodeStaysUnread() {
    FakeEventSource source;
    Frame f;
    QVERIFY(f.frame.StartDeviceNotifications(&source));
    f.devices.devices = {{"Camera A", "usb:001,004"}};
    QVERIFY(source.Fire(DeviceEventKind::RemoveComplete, "/dev/bus/usb/001/003"));
    QTRY_COMPARE_WITH_TIMEOUT(f.engine.deviceCount, 1, 3000);
    QCOMPARE(f.Computer()->childCount(), 0);  // read when the user opens it
    f.frame.FolderTree()->SetVolumeFolders({});
    f.Computer()->setExpanded(true);
    QCOMPARE(f.DeviceNodes(), QStringList{"Camera A"});
  }

  void SourcesThatCannotStartOnlyLog() {
    {
      FakeEventSource source;
      source.fail = true;
      Frame f;
      QVERIFY(!f.frame.StartDeviceNotifications(&source));
      QVERIFY(f.log.Contains("Unable to Register Device Notification ... Error: No such file or directory"));
      QVERIFY(!f.frame.DeviceNotificationsActive());
      f.frame.close();
    }
    // udev itself: present or not (a container), start-up and closing are clean.
    Frame f;
    f.frame.StartDeviceNotifications();
    QVERIFY(f.frame.DeviceNotificationsActive() || f.log.Contains("Unable to Register Device Notification"));
    f.frame.show();
    QTest::qWait(50);
    f.frame.close();
    QVERIFY(!f.frame.DeviceNotificationsActive());
  }
};

int RunDeviceNotifyTests(int argc, char** argv) {
  DeviceNotifyTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lx::gui::test

#include "device_notify_test.moc"
