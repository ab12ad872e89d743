// The main frame: ribbon, view switching, frame commands and window placement.
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

#include "common/modal_hook.h"
#include "dialogs/app/update_img_rotation_dlg.h"
#include "engine/engine.h"
#include "gui_tests.h"
#include "scripted_prompts.h"
#include "shell/main_window.h"
#include "shell/output_wnd.h"
#include "shell/ribbon.h"
#include "shell/shell_tree.h"
#include "shell/views.h"
#include "storage/settings_store.h"

namespace lx::gui::test {

namespace {
struct Frame {
  SettingsStore settings = SettingsStore::ForCurrentUser();
  CLorvexandrinEngine engine{settings};
  lx::test::ScriptedPrompts prompts;
  NoDeviceBrowser devices;
  CMainFrame frame{engine, prompts, devices};
  Frame() {
    frame.showClosingDialog = false;
    frame.AttachViews(new CRenameViewPage(engine), new CDetailsViewPage);
    frame.show();
    frame.ShowRenameView(false);
  }
};
}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetSettings(); }

  void RibbonCategoriesAndButtons() {
    Frame f;
    const QStringList expected{"Home", "Photo Rename", "Photo Details", "Options", "View", "Help"};
    QCOMPARE(f.frame.Ribbon()->Categories(), expected);
    QCOMPARE(f.frame.Ribbon()->ActiveCategory(), QStringLiteral("Photo Rename"));
    for (QToolButton* button : f.frame.Ribbon()->findChildren<QToolButton*>()) {
      if (!qobject_cast<CRibbonGroup*>(button->parentWidget())) continue;  // tab scroll arrows
      QVERIFY2(!button->icon().isNull(), qPrintable(button->text()));
      QVERIFY(!button->text().isEmpty());
    }
    // Commands and their ids.
    QCOMPARE(f.frame.Command(kCmdResetLog)->text(), QStringLiteral("Reset Quorin Log"));
    QCOMPARE(f.frame.Command(kCmdStatusBarToggle)->text(), QStringLiteral("Status  Bar Display"));
    QCOMPARE(f.frame.Ribbon()->ButtonsFor(kCmdOutputPaneToggle).size(), size_t(2));
    QVERIFY(f.frame.Command(kCmdAbout)->toolTip().contains("<b>About Quorin Lorvexandrin 4.1</b>"));
  }

  void CategoriesSwitchViews() {
    Frame f;
    QCOMPARE(f.frame.ActiveView(), f.frame.RenameView());
    QVERIFY(f.frame.PreviewPane()->isVisible());
    f.frame.Ribbon()->ActivateCategory("Photo Details");
    QCOMPARE(f.frame.ActiveView(), f.frame.DetailsView());
    QVERIFY(!f.frame.PreviewPane()->isVisible());
    QVERIFY(!f.frame.Command(kCmdImagePreview)->isEnabled());
    f.frame.Ribbon()->ActivateCategory("Options");
    QCOMPARE(f.frame.ActiveView(), f.frame.DetailsView());
    f.frame.Ribbon()->ActivateCategory("Photo Rename");
    QCOMPARE(f.frame.ActiveView(), f.frame.RenameView());
    QVERIFY(f.frame.PreviewPane()->isVisible());

    // The preview flag decides whether the pane comes back with the rename view.
    f.frame.RunCommand(kCmdImagePreview);
    QVERIFY(!f.frame.PreviewPane()->isVisible());
    f.frame.Ribbon()->ActivateCategory("Photo Details");
    f.frame.Ribbon()->ActivateCategory("Photo Rename");
    QVERIFY(!f.frame.PreviewPane()->isVisible());
  }

  void TreeClickListsTheSourceAgain() {
    Frame f;
    const int reads = f.frame.RenameView()->ReadCount();
    f.frame.Ribbon()->ActivateCategory("Photo Details");
    f.frame.FolderTree()->SelectSource(f.frame.FolderTree()->topLevelItem(0));
    QCOMPARE(f.frame.ActiveView(), f.frame.RenameView());
    QCOMPARE(f.frame.Ribbon()->ActiveCategory(), QStringLiteral("Photo Rename"));
    QCOMPARE(f.frame.RenameView()->ReadCount(), reads + 1);
    f.frame.FolderTree()->SelectSource(f.frame.FolderTree()->topLevelItem(0));
    QCOMPARE(f.frame.RenameView()->ReadCount(), reads + 2);
  }

  void FrameCommands() {
    Frame f;
    f.frame.OutputPane()->AddLogLine("a line");
    f.frame.RunCommand(kCmdResetLog);
    QCOMPARE(f.frame.OutputPane()->List()->count(), 0);

    f.frame.RunCommand(kCmdOutputPaneToggle);
    QVERIFY(!f.frame.OutputPane()->isVisible());
    QCOMPARE(f.settings.GetNumber("OutputPaneVisible"), 0u);
    QVERIFY(f.frame.Command(kCmdOutputPaneShow)->isEnabled());
    QVERIFY(!f.frame.Command(kCmdOutputPaneHide)->isEnabled());
    f.frame.RunCommand(kCmdOutputPaneShow);
    QVERIFY(f.frame.OutputPane()->isVisible());
    QCOMPARE(f.settings.GetNumber("OutputPaneVisible"), 1u);

    f.frame.RunCommand(kCmdStatusBarHide);
    QVERIFY(!f.frame.statusBar()->isVisible());
    QVERIFY(!f.frame.Command(kCmdStatusBarToggle)->isChecked());
    f.frame.RunCommand(kCmdStatusBarToggle);
    QVERIFY(f.frame.statusBar()->isVisible());

    f.frame.RunCommand(kCmdToolTipsHide);
    QCOMPARE(f.settings.GetNumber("ShowToolTips"), 0u);
    QVERIFY(!f.frame.Ribbon()->ToolTipsEnabled());
    f.frame.RunCommand(kCmdToolTipsToggle);
    QCOMPARE(f.settings.GetNumber("ShowToolTips"), 1u);

    f.frame.RunCommand(kCmdKeepOrientation);
    QVERIFY(!f.frame.AutoRotate());
    QVERIFY(f.frame.Command(kCmdKeepOrientation)->isChecked());
    f.frame.RunCommand(kCmdAutoRotate);
    QVERIFY(f.frame.AutoRotate());

    f.frame.RunCommand(kCmdStyleBlack);
    QCOMPARE(f.frame.VisualStyle(), int(kCmdStyleBlack));
    QVERIFY(f.frame.Command(kCmdStyleBlack)->isChecked());
    f.frame.RunCommand(kCmdStyleAqua);

    // The web page needs a configured site: a clear message instead of a dead link.
    f.frame.RunCommand(kCmdWebPage);
    QCOMPARE(f.prompts.messages.size(), size_t(1));
    QVERIFY(f.prompts.messages[0].find("WebSiteUrl") != std::string::npos);
  }

  // The rotation dialog and the about box, answered through the modal hook.
  void RotationDialogAndAboutBox() {
    Frame f;
    QStringList shown;
    std::string helpVideo;
    {
      ScopedModalHook answer([&shown, &helpVideo](QDialog& dialog) -> int {
        shown << QString::fromLatin1(dialog.metaObject()->className());
        SaveScreenshot(&dialog);
        if (auto* rotation = qobject_cast<CUpdateImgRotationDlg*>(&dialog)) {
          helpVideo = rotation->helpVideo;
          rotation->KeepButton()->setChecked(true);
        }
        return QDialog::Accepted;
      });
      QVERIFY(f.frame.AutoRotate());
      f.frame.RunCommand(kCmdRotateImageView);
      QVERIFY(!f.frame.AutoRotate());
      QVERIFY(f.frame.Command(kCmdKeepOrientation)->isChecked());
      f.frame.RunCommand(kCmdAbout);
    }
    QCOMPARE(shown, QStringList({"lx::gui::CUpdateImgRotationDlg", "QMessageBox"}));
    QCOMPARE(helpVideo, std::string("Lorvexandrin40_UpdateRotationDlg.flv"));
    // A cancelled dialog changes nothing.
    ScopedModalHook cancel([](QDialog& dialog) -> int {
      static_cast<CUpdateImgRotationDlg&>(dialog).RotateButton()->setChecked(true);
      return int(QDialog::Rejected);
    });
    f.frame.RunCommand(kCmdRotateImageView);
    QVERIFY(!f.frame.AutoRotate());
  }

  void DatabasePaneShowsTheInformationBox() {
    Frame f;
    f.frame.SetDatabaseStatus("Connected to Quorin Lorvexandrin Database at /x/Lorvexandrin.sq3");
    QTest::mouseClick(f.frame.DatabasePane(), Qt::LeftButton);
    QCOMPARE(f.prompts.richTextRequests.size(), size_t(1));
  }

  void WindowPlacementRoundTrip() {
    Frame f;
    f.frame.setGeometry(40, 30, 1300, 900);
    const std::string saved = f.frame.SaveWindowPlacement();
    QCOMPARE(f.settings.GetText("WindowPlacement"), saved);
    f.frame.setGeometry(0, 0, 1100, 800);
    QVERIFY(f.frame.RestoreWindowPlacement(saved));
    QCOMPARE(f.frame.geometry().size(), QSize(1300, 900));

    // Anything but ten sensible numbers leaves the window as it is.
    for (const char* bad :
         {"", "1 2 3", "0 1 -1 -1 -1 -1 10 10 5 5", "0 1 -1 -1 -1 -1 0 0 1300 900 7", "a b c d e f g h i j"}) {
      QVERIFY2(!f.frame.RestoreWindowPlacement(bad), bad);
    }
    QCOMPARE(f.frame.geometry().size(), QSize(1300, 900));
    // Never below the minimum size.
    QVERIFY(f.frame.RestoreWindowPlacement("0 1 -1 -1 -1 -1 0 0 300 200"));
    QVERIFY(f.frame.width() >= 1100 && f.frame.height() >= 800);
  }

  void ClosingSavesThePlacement() {
    Frame f;
    f.frame.setGeometry(20, 20, 1250, 880);
    f.frame.RunCommand(kCmdClose);
    QVERIFY(!f.frame.isVisible());
    QVERIFY(f.settings.GetText("WindowPlacement").find("1270 900") != std::string::npos);
  }
};

int RunMainFrameTests(int argc, char** argv) {
  MainFrameTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lx::gui::test

#include "main_frame_test.moc"
