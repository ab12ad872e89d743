// The whole program: a folder chosen in the tree is listed with thumbnails, a
// mask typed in the mask box is applied and every file renamed in place.
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>

#include "engine/engine.h"
#include "gui_tests.h"
#include "photo_factory.h"
#include "rename_view/picture_box.h"
#include "rename_view/rename_file_view.h"
#include "rename_view/rename_list_ctrl.h"
#include "rename_view/thumbnails.h"
#include "scripted_prompts.h"
#include "shell/app.h"
#include "shell/main_window.h"
#include "shell/ribbon.h"
#include "shell/shell_tree.h"
#include "shell/views.h"
#include "temp_dir.h"

namespace lx::gui::test {

class RenameWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ChooseListApplyRename() {
    lx::test::TempDir db("lx-view-db");
    lx::test::TempDir photos("lx-view-trip");
    for (int i = 1; i <= 4; ++i)
      lx::test::WritePhoto(photos.File(QString("DSC_%1.jpg").arg(i, 4, 10, QChar('0')).toStdString()),
                           {.width = i % 2 ? 160 : 120,
                            .height = i % 2 ? 120 : 160,
                            .dateTimeOriginal = QString("2022:08:0%1 09:30:00").arg(i).toStdString(),
                            .orientation = i == 3 ? 6 : 1});
    lx::test::ScriptedPrompts prompts;
    StartupOptions options;
    options.viewStepWaitMs = 0;
    options.splashCountdown = 2;
    options.prompts = &prompts;
    options.chooseDatabaseFolder = [&db](std::string& folder) {
      folder = db.Path();
      return true;
    };
    CLorvexandrinApp app(options);
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.MainFrame();
    frame->showClosingDialog = false;
    frame->resize(1400, 900);
    auto* page = frame->RenameView();
    CRenameFileView* view = page->RenameView();
    QVERIFY(view);

    // The folder chosen in the tree.
    frame->FolderTree()->SetHomeFolder(QString::fromStdString(photos.Path()));
    frame->FolderTree()->Rebuild();
    QTreeWidgetItem* home = frame->FolderTree()->topLevelItem(0);
    QCOMPARE(frame->FolderTree()->FolderPathOf(home).toStdString() + "/", photos.Slash());
    frame->FolderTree()->SelectSource(home);
    QTRY_COMPARE(view->Model().RowCount(), 4);
    QTRY_COMPARE(view->Thumbnails().Count(), 4);
    QApplication::processEvents();
    SaveScreenshot(frame, "rename_window_listed");

    // The ribbon's busiest tabs at the window's narrowest, to be looked at.
    frame->resize(1100, 800);
    for (const char* tab : {"Photo Rename", "Options", "View"}) {
      QVERIFY(frame->Ribbon()->ActivateCategory(tab));
      QApplication::processEvents();
      SaveScreenshot(frame->Ribbon(), QStringLiteral("ribbon_%1_1100").arg(QString(tab).replace(' ', '_')));
    }
    frame->resize(1400, 900);

    // The rotation option shows the previewed photo again: the third one has orientation 6.
    view->RunCommand(ID_RIBBON_RENAME_NEXT_PHOTO);
    view->RunCommand(ID_RIBBON_RENAME_NEXT_PHOTO);
    CPictureBox* picture = view->Preview()->Picture();
    QCOMPARE(picture->RenderedImage().size(), QSize(120, 160));
    frame->Command(kCmdKeepOrientation)->trigger();
    QCOMPARE(picture->RenderedImage().size(), QSize(160, 120));
    frame->Command(kCmdAutoRotate)->trigger();
    QCOMPARE(picture->RenderedImage().size(), QSize(120, 160));

    // A mask typed and applied through the ribbon.
    view->MaskBox()->lineEdit()->selectAll();
    QTest::keyClicks(view->MaskBox()->lineEdit(), "Holiday %Y-%m-%d");
    auto click = [&](int id) {
      const auto buttons = frame->Ribbon()->ButtonsFor(id);
      QVERIFY(!buttons.empty());
      QVERIFY(buttons.front()->isEnabled());
      buttons.front()->click();
    };
    click(ID_RIBBON_APPLY_MASK);
    QCOMPARE(view->Model().ColumnText(0, 1), std::string("Holiday 2022-08-01.jpg"));
    click(ID_RIBBON_RENAME_ALL);
    for (int i = 1; i <= 4; ++i)
      QVERIFY(std::filesystem::exists(photos.File(QString("Holiday 2022-08-0%1.jpg").arg(i).toStdString())));
    auto* table = view->List()->TableModel();
    for (int row = 0; row < 4; ++row)
      QCOMPARE(table->data(table->index(row, 1), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    view->List()->clearSelection();
    QApplication::processEvents();
    SaveScreenshot(frame, "rename_window_renamed");
    frame->close();
  }
};

QObject* MakeWindowTest() { return new RenameWindowTest; }

}  // namespace lx::gui::test

#include "rename_window_test.moc"
