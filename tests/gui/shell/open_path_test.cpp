// lorvexandrin DIR and lorvexandrin FILE: the folder becomes the source,
// selected and opened in the folder tree and listed at start; a file's row is selected.
#include <QtTest>

#include "engine/engine.h"
#include "gui_tests.h"
#include "photo_factory.h"
#include "rename_view/rename_file_view.h"
#include "rename_view/rename_list_ctrl.h"
#include "scripted_prompts.h"
#include "shell/app.h"
#include "shell/main_window.h"
#include "shell/shell_tree.h"
#include "shell/views.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx::gui::test {

namespace {

StartupOptions OpenOptions(const std::string& dbFolder, lx::test::ScriptedPrompts* prompts, const QString& path) {
  StartupOptions options;
  options.viewStepWaitMs = 0;
  options.splashCountdown = 2;
  options.prompts = prompts;
  options.chooseDatabaseFolder = [dbFolder](std::string& folder) {
    folder = dbFolder;
    return true;
  };
  options.openPath = path;
  return options;
}

CRenameFileView* ListView(CLorvexandrinApp& app) { return app.MainFrame()->RenameView()->RenameView(); }

}  // namespace

class OpenPathTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetSettings();
    // The last source is another folder: the argument must win over it.
    SettingsStore::ForCurrentUser().SetText("SourcePath", other.Slash());
    lx::test::WriteFile(other.File("other.jpg"), "x");
  }

  void AFolderIsListedAtStartAndOpenInTheTree() {
    lx::test::TempDir photos("lx-open-dir");
    lx::test::WritePhotoTakenAt(photos.File("Trip/a.jpg"), "2021:06:05 14:03:09");
    lx::test::WritePhotoTakenAt(photos.File("Trip/b.jpg"), "2021:06:06 10:00:00");
    lx::test::WriteFile(photos.File("Trip/Day 2/c.jpg"), "x");
    const QString trip = QString::fromStdString(photos.File("Trip"));
    lx::test::ScriptedPrompts prompts;
    CLorvexandrinApp app(OpenOptions(db.Path(), &prompts, trip));
    QVERIFY(app.InitInstance());
    app.MainFrame()->showClosingDialog = false;

    QCOMPARE(app.Engine().sourcePath, photos.File("Trip/"));
    CRenameFileView* view = ListView(app);
    QTRY_COMPARE(view->Model().RowCount(), 2);
    QCOMPARE(view->Model().Rows()[0].data.FileName, std::string("a.jpg"));
    CLorvexandrinShellTreeCtrl* tree = app.MainFrame()->FolderTree();
    QTreeWidgetItem* current = tree->currentItem();
    QVERIFY(current);
    QCOMPARE(tree->FolderPathOf(current), trip);
    QVERIFY(current->isExpanded());
    QCOMPARE(current->childCount(), 1);  // "Day 2"
    SaveScreenshot(app.MainFrame(), QStringLiteral("OpenPathFolder"));
  }

  void AFileOpensItsFolderWithItsRowSelected() {
    lx::test::TempDir photos("lx-open-file");
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
      lx::test::WritePhotoTakenAt(photos.File(name), "2021:06:05 14:03:09");
    lx::test::ScriptedPrompts prompts;
    CLorvexandrinApp app(OpenOptions(db.Path(), &prompts, QString::fromStdString(photos.File("b.jpg"))));
    QVERIFY(app.InitInstance());
    app.MainFrame()->showClosingDialog = false;

    CRenameFileView* view = ListView(app);
    QTRY_COMPARE(view->Model().RowCount(), 3);
    // Any later refresh of the start keeps the row: wait until the list is idle, then look.
    QTest::qWait(200);
    QCOMPARE(view->Model().SelectedRow(), 1);
    QCOMPARE(view->Model().SelectedRows(), std::vector<int>{1});
    QVERIFY(view->List()->selectionModel()->isRowSelected(1, {}));
    SaveScreenshot(app.MainFrame(), QStringLiteral("OpenPathFile"));
  }

  void AMissingPathStartsWithTheLastSource() {
    lx::test::ScriptedPrompts prompts;
    CLorvexandrinApp app(OpenOptions(db.Path(), &prompts, QStringLiteral("/no/such/folder")));
    QVERIFY(app.InitInstance());
    app.MainFrame()->showClosingDialog = false;
    QCOMPARE(app.Engine().sourcePath, other.Slash());
  }

 private:
  lx::test::TempDir db{"lx-open-db"};
  lx::test::TempDir other{"lx-open-other"};
};

int RunOpenPathTests(int argc, char** argv) {
  OpenPathTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lx::gui::test

#include "open_path_test.moc"
