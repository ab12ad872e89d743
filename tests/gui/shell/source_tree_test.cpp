// The source folder tree: what a click stores in the engine, device paths,
// the item information box and the F5 refresh.
#include <QKeyEvent>
#include <QtTest>
#include <map>

#include "devices/fake_device_backend.h"
#include "engine/engine.h"
#include "gui_tests.h"
#include "rename/source_tree.h"
#include "scripted_prompts.h"
#include "shell/device_browser.h"
#include "shell/shell_tree.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx::gui::test {

namespace {

// One phone with the folders Internal Storage/DCIM/100APPLE.
class FakePhone : public DeviceBrowser {
 public:
  std::vector<Device> Devices() override { return {{"My Phone", "usb:001,004"}}; }
  std::vector<std::string> Folders(const std::string& id, const std::vector<std::string>& path) override {
    if (id != "usb:001,004") return {};
    if (path.empty()) return {"Internal Storage"};
    if (path.size() == 1) return {"DCIM"};
    if (path.size() == 2) return {"100APPLE"};
    return {};
  }
};

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& text) {
  parent->setExpanded(true);
  for (int i = 0; i < parent->childCount(); ++i)
    if (parent->child(i)->text(0) == text) return parent->child(i);
  return nullptr;
}

const ItemTexts kPhoneFolder{"100APPLE", "DCIM", "Internal Storage", "My Phone", "Computer", "Desktop"};

}  // namespace

class SourceTreeTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetSettings(); }

  void DevicePathFromTreeLevels() {
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CLorvexandrinEngine engine(settings);
    engine.deviceNames = {"Camera", "My Phone"};
    engine.deviceIds = {"id-cam", "id-phone"};
    engine.deviceCount = 2;
    int index = -1;
    QCOMPARE(GetSourceKind(engine, kPhoneFolder, &index), 2);
    QCOMPARE(index, 1);
    QCOMPARE(GetSourceKind(engine, {"Photos", "home", "Desktop"}, &index), 1);
    QCOMPARE(index, -1);

    QVERIFY(BuildDevicePath(engine, kPhoneFolder, 2));
    QCOMPARE(engine.sourcePath, std::string("My Phone/Internal Storage/DCIM/100APPLE"));
    QCOMPARE(engine.currentDeviceName, std::string("My Phone"));
    QCOMPARE(engine.devicePathCount, 4);
    const std::vector<std::string> expected{"100APPLE", "DCIM", "Internal Storage", "DEVICE"};
    QCOMPARE(engine.devicePath, expected);
    QCOMPARE(engine.browsePath, expected);

    engine.sourcePath = "unchanged";
    QVERIFY(!BuildDevicePath(engine, {"Computer", "Desktop"}, 2));
    QCOMPARE(engine.sourcePath, std::string("unchanged"));
    QCOMPARE(engine.devicePathCount, 0);
  }

  void DisplayPathAndItemDataBody() {
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CLorvexandrinEngine engine(settings);
    engine.deviceNames = {"My Phone"};
    engine.deviceCount = 1;
    QCOMPARE(GetItemDisplayPath(engine, kPhoneFolder, 2, ""), std::string("/My Phone/Internal Storage/DCIM/100APPLE"));
    QCOMPARE(GetItemDisplayPath(engine, {"Photos", "Home"}, 1, "/home/ann/Photos"), std::string("/home/ann/Photos"));
    QCOMPARE(GetItemDisplayPath(engine, {"Computer"}, 1, ""), std::string("Unknown Path"));

    const std::string device = BuildItemDataBody(engine, kPhoneFolder, 2, "");
    QVERIFY(device.find("Drive Type: {\\b Portable Drive}") != std::string::npos);
    QVERIFY(device.find("Portable Drive Count: {\\b 1}") != std::string::npos);
    QVERIFY(device.find("\\par \\t Portable Drive Name: {\\b My Phone} ") != std::string::npos);
    // Braces and backslashes of a folder name cannot break the body.
    const std::string odd = BuildItemDataBody(engine, {"a{b}\\c", "Home"}, 1, "/x/a{b}\\c");
    QVERIFY(odd.find("Object Name: {\\b a\\{b\\}\\\\c}") != std::string::npos);
    QVERIFY(odd.find("Standard Windows Drive") != std::string::npos);
  }

  void FolderSourceSetsTheRenamePathOfTheType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("renamePath");
    QTest::newRow("simple") << 0 << "/data/Photos/";
    QTest::newRow("backup") << 1 << "/data/Photos/Backup/";
    QTest::newRow("target") << 2 << "/data/Photos/Rename/";
    QTest::newRow("target delete") << 3 << "/data/Photos/Target/";
  }

  void FolderSourceSetsTheRenamePathOfTheType() {
    QFETCH(int, type);
    QFETCH(QString, renamePath);
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CLorvexandrinEngine engine(settings);
    engine.renameType = type;
    SelectFolderSource(engine, "/data/Photos");
    QCOMPARE(engine.sourceKind, SourceKind::Folder);
    QCOMPARE(engine.sourcePath, std::string("/data/Photos/"));
    QCOMPARE(QString::fromStdString(engine.renamePath), renamePath);
  }

  void ClickSelectsFolderAndRereadsEvenTheSameOne() {
    lx::test::TempDir root("lx-tree");
    lx::test::WriteFile(root.File("Photos/Trip/a.jpg"), "x");
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CLorvexandrinEngine engine(settings);
    engine.renameType = BackupRename;
    lx::test::ScriptedPrompts prompts;
    NoDeviceBrowser devices;
    CLorvexandrinShellTreeCtrl tree(engine, prompts, devices);
    tree.SetFileSystemRoot(QString::fromStdString(root.Path()));
    tree.SetVolumeFolders({});
    tree.Rebuild();
    int selections = 0;
    connect(&tree, &CLorvexandrinShellTreeCtrl::SourceSelected, [&] { ++selections; });
    tree.show();

    QTreeWidgetItem* trip = tree.FindFolderItem(QString::fromStdString(root.File("Photos/Trip")));
    QVERIFY(trip);
    tree.scrollToItem(trip);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(trip).center());
    QCOMPARE(selections, 1);
    QCOMPARE(engine.sourceKind, SourceKind::Folder);
    QCOMPARE(engine.sourcePath, root.File("Photos/Trip/"));
    QCOMPARE(engine.renamePath, root.File("Photos/Trip/Backup/"));
    tree.SelectSource(trip);
    QCOMPARE(selections, 2);

    // While a folder is read, clicks are ignored.
    bool busy = true;
    tree.SetBusyCheck([&] { return busy; });
    tree.SelectSource(tree.topLevelItem(0));
    QCOMPARE(selections, 2);
    QCOMPARE(engine.sourcePath, root.File("Photos/Trip/"));

    // The computer node has no folder to list.
    busy = false;
    tree.SelectSource(tree.topLevelItem(2));
    QCOMPARE(selections, 2);
  }

  void ClickOnDeviceFolderAndRightClickInfo() {
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CLorvexandrinEngine engine(settings);
    lx::test::ScriptedPrompts prompts;
    FakePhone phone;
    CLorvexandrinShellTreeCtrl tree(engine, prompts, phone);
    tree.SetVolumeFolders({});
    tree.Rebuild();
    tree.show();
    QTreeWidgetItem* computer = tree.topLevelItem(2);
    QTreeWidgetItem* apple = Child(Child(Child(Child(computer, "My Phone"), "Internal Storage"), "DCIM"), "100APPLE");
    QVERIFY(apple);

    tree.scrollToItem(apple);
    QTest::mousePress(tree.viewport(), Qt::RightButton, {}, tree.visualItemRect(apple).center());
    QCOMPARE(prompts.richTextRequests.size(), size_t(1));
    QCOMPARE(prompts.richTextRequests[0].title, std::string("Quorin Lorvexandrin Item Data Display"));
    QCOMPARE(prompts.richTextRequests[0].buttons, kButtonsOk);
    QVERIFY(prompts.richTextRequests[0].body.find("Drive Path: {\\b /My Phone/Internal Storage/DCIM/100APPLE}") !=
            std::string::npos);
    QCOMPARE(engine.sourceKind, SourceKind::None);  // a right click changes nothing
    QVERIFY(engine.currentDeviceName.empty());

    tree.SelectSource(apple);
    QCOMPARE(engine.sourceKind, SourceKind::Device);
    QCOMPARE(engine.currentDeviceName, std::string("My Phone"));
    QCOMPARE(engine.currentDeviceId, std::string("usb:001,004"));
    QCOMPARE(engine.sourcePath, std::string("My Phone/Internal Storage/DCIM/100APPLE"));
    QCOMPARE(engine.devicePathCount, 4);
    QCOMPARE(engine.devicePath.back(), std::string("DEVICE"));
  }

  void FakeDeviceFoldersThroughTheDeviceLayer() {
    lx::test::TempDir root("lx-devices");
    lx::test::WriteFile(root.File("My Phone/Internal Storage/DCIM/100APPLE/IMG_0001.JPG"), "x");
    lx::test::WriteFile(root.File("My Phone/Internal Storage/DCIM/notes.txt"), "x");
    FakeDeviceBackend backend(root.Path());
    WpdDeviceBrowser browser(backend);
    const auto devices = browser.Devices();
    QCOMPARE(devices.size(), size_t(1));
    QCOMPARE(devices[0].name, std::string("My Phone"));
    const std::vector<std::string> top{"Internal Storage"};
    QCOMPARE(browser.Folders(devices[0].id, {}), top);
    const std::vector<std::string> dcim{"100APPLE"};  // folders only, no files
    QCOMPARE(browser.Folders(devices[0].id, {"Internal Storage", "DCIM"}), dcim);
    QVERIFY(browser.Folders(devices[0].id, {"Missing"}).empty());
    QVERIFY(browser.Folders("fake:nothing", {}).empty());
  }

  void F5RebuildsAndReexpandsByName() {
    lx::test::TempDir root("lx-tree");
    for (const char* f : {"A/A1/deep/x", "A/A2/x", "B/B1/x", "C/x"}) lx::test::WriteFile(root.File(f), "x");
    lx::test::TempDir home("lx-home");
    lx::test::WriteFile(home.File("Pictures/x"), "x");
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CLorvexandrinEngine engine(settings);
    lx::test::ScriptedPrompts prompts;
    NoDeviceBrowser devices;
    CLorvexandrinShellTreeCtrl tree(engine, prompts, devices);
    tree.SetFileSystemRoot(QString::fromStdString(root.Path()));
    tree.SetHomeFolder(QString::fromStdString(home.Path()));
    tree.SetVolumeFolders({});
    tree.Rebuild();
    tree.show();
    QTreeWidgetItem* fs = tree.topLevelItem(1);
    Child(Child(Child(fs, "A"), "A1"), "deep");  // expands File System, A and A1
    Child(Child(fs, "B"), "B1");                 // expands B
    QVERIFY(Child(fs, "A")->isExpanded());
    int selections = 0;
    connect(&tree, &CLorvexandrinShellTreeCtrl::SourceSelected, [&] { ++selections; });

    QTest::keyClick(&tree, Qt::Key_F5);
    QCOMPARE(selections, 1);
    QCOMPARE(engine.sourcePath, home.Slash());  // the first root item is selected
    fs = tree.topLevelItem(1);
    QVERIFY(fs->isExpanded());
    auto find = [](QTreeWidgetItem* parent, const QString& text) -> QTreeWidgetItem* {
      for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text) return parent->child(i);
      return nullptr;
    };
    QVERIFY(find(fs, "A")->isExpanded());
    QVERIFY(find(find(fs, "A"), "A1")->isExpanded());
    QVERIFY(!find(find(fs, "A"), "A2")->isExpanded());
    QVERIFY(find(fs, "B")->isExpanded());
    QVERIFY(!find(fs, "C")->isExpanded());
    QVERIFY(!tree.topLevelItem(0)->isExpanded());
  }
};

int RunSourceTreeTests(int argc, char** argv) {
  SourceTreeTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lx::gui::test

#include "source_tree_test.moc"
