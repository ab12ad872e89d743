// The rename view follows its listed folder: a photo dropped in from outside
// is listed again on its own, while other files and the view's own renames go
// unreported.
#include <QComboBox>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "base/log.h"
#include "engine/engine.h"
#include "photo_factory.h"
#include "rename_view/picture_box.h"
#include "rename_view/rename_file_view.h"
#include "rename_view/thumbnails.h"
#include "rename_view_world.h"
#include "scripted_prompts.h"
#include "storage/database.h"
#include "storage/settings_store.h"
#include "storage/sqlite.h"
#include "temp_dir.h"

namespace lx::gui::test {

namespace {

namespace fs = std::filesystem;

constexpr const char* kChangeLine = "Directory Update Check:";

// A listed and watched folder of two photos, a third waiting outside it.
struct WatchFixture : RenameViewWorld {
  WatchFixture() {
    lx::test::WritePhoto(photos.File("IMG_0001.jpg"), {.dateTimeOriginal = "2021:06:01 10:00:00"});
    lx::test::WritePhoto(photos.File("IMG_0002.jpg"), {.dateTimeOriginal = "2021:06:02 11:00:00"});
    lx::test::WritePhoto(outside.File("IMG_0003.jpg"), {.dateTimeOriginal = "2021:06:03 12:00:00"});
    view->OnInitialUpdate();
    ChooseFolder();
  }

  void List() {
    RenameViewWorld::List();
    QCOMPARE(view->Model().RowCount(), 2);
    QVERIFY(view->FolderWatched());
  }
};

}  // namespace

class RenameViewWatchTest : public QObject {
  Q_OBJECT

 private slots:
  void CopiedPhotoIsListedOtherFilesAreNot() {
    WatchFixture f;
    f.List();
    f.log.Clear();

    // A file the selection filter does not take: no report, no new list.
    lx::test::WriteFile(f.photos.File("notes.txt"), "not a photo");
    QTest::qWait(300);
    QVERIFY(!f.log.Contains(kChangeLine));
    QVERIFY(!f.log.Contains("Reading Directory"));
    QVERIFY(f.view->FolderWatched());

    fs::copy_file(f.outside.File("IMG_0003.jpg"), f.photos.File("IMG_0003.jpg"));
    QTRY_COMPARE_WITH_TIMEOUT(f.view->Model().RowCount(), 3, 3000);
    QVERIFY(f.log.Contains("Directory Update Check: Files(s) Created"));
    QVERIFY(f.log.Contains("3 Files Found in"));
    QCOMPARE(QString::fromStdString(f.view->Model().ColumnText(2, ColumnCurrentName)), QString("IMG_0003.jpg"));
    // The new list follows the folder again: a removal is seen too.
    QTRY_VERIFY_WITH_TIMEOUT(f.view->FolderWatched(), 3000);
    f.view->Thumbnails().WaitForAll();
    f.log.Clear();
    fs::remove(f.photos.File("IMG_0001.jpg"));
    QTRY_COMPARE_WITH_TIMEOUT(f.view->Model().RowCount(), 2, 3000);
    QVERIFY(f.log.Contains("Directory Update Check: Files(s) Removed"));
  }

  void OwnRenameRunIsNotReported() {
    WatchFixture f;
    f.List();
    f.view->MaskBox()->setEditText("Trip-%Y%m%d-%H%M%S");
    f.log.Clear();
    QVERIFY(f.view->RefreshList(RunRenameAll));
    QVERIFY(fs::exists(f.photos.File("Trip-20210601-100000.jpg")));
    QVERIFY(f.log.Contains("2 Files Renamed"));
    QTest::qWait(400);
    QVERIFY2(!f.log.Contains(kChangeLine), "the view's own renames were reported");
    QVERIFY(!f.log.Contains("Reading Directory"));
    // The rows keep their renamed state, and the watch runs again.
    QCOMPARE(f.view->Model().RowCount(), 2);
    QVERIFY(f.view->FolderWatched());
  }

  void ViewDestroyedWithReportPending() {
    WatchFixture f;
    f.List();
    fs::copy_file(f.outside.File("IMG_0003.jpg"), f.photos.File("IMG_0003.jpg"));
    // The report may be on its way; the view goes before it is handled.
    QTest::qSleep(100);
    f.view.reset();
    QTest::qWait(100);
    QVERIFY(!f.log.Contains("3 Files Found in"));
  }
};

QObject* MakeWatchTest() { return new RenameViewWatchTest; }

}  // namespace lx::gui::test

#include "folder_watch_test.moc"
