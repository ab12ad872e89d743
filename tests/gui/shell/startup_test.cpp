// Start-up as a whole: the order of its steps, the database path question,
// the splash, the window size and placement, the look at each start, the
// program's own options, and screenshots of what the user sees.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "base/prompts.h"
#include "common/message_boxes.h"
#include "engine/engine.h"
#include "gui_tests.h"
#include "platform/paths.h"
#include "scripted_prompts.h"
#include "shell/app.h"
#include "shell/main_window.h"
#include "shell/output_wnd.h"
#include "shell/ribbon.h"
#include "shell/splash.h"
#include "shell/views.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx::gui::test {

namespace {

StartupOptions FastOptions(const std::string& dbFolder, lx::test::ScriptedPrompts* prompts) {
  StartupOptions options;
  options.viewStepWaitMs = 0;
  options.splashCountdown = 2;
  options.prompts = prompts;
  options.chooseDatabaseFolder = [dbFolder](std::string& folder) {
    if (dbFolder.empty()) return false;
    folder = dbFolder;
    return true;
  };
  return options;
}

QStringList LogTexts(CMainFrame* frame) {
  QStringList texts;
  COutputList* list = frame->OutputPane()->List();
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text().section(": ", 1);
  return texts;
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetSettings(); }

  void StartsInOrderAndAsksForTheDatabaseFolder() {
    lx::test::TempDir db("lx-db");
    lx::test::ScriptedPrompts prompts;
    CLorvexandrinApp app(FastOptions(db.Path(), &prompts));
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.MainFrame();
    frame->showClosingDialog = false;

    const QStringList steps{"Creating Lorvexandrin 4.1 Framework ...", "Creating Lorvexandrin Views ...",
                            "Initializing Lorvexandrin View ...",      "Initializing File Renaming View ...",
                            "Initializing File Data View ...",         "Updating Initial File Renaming View ...",
                            "Terminating Application Startup ..."};
    QCOMPARE(app.SplashSteps(), steps);
    QVERIFY(app.StartupComplete());
    QVERIFY(!app.Splash());

    // Newest on top: the start-up line above the database lines above the filter line.
    const QStringList log = LogTexts(frame);
    const int started = log.indexOf("Lorvexandrin 4.1 StartUp successful ..");
    const int checked = log.indexOf("Checking for Path of Quorin Lorvexandrin Database ... Path: Undefined ");
    const int filter = log.indexOf("Default Files Selection Filter: *.jpg");
    QVERIFY2(started == 0 && checked > started && filter > checked, qPrintable(log.join('\n')));

    const std::string dbPath = db.File("Lorvexandrin.sq3");
    QCOMPARE(app.Settings().GetText("LXDbPath"), dbPath);
    QCOMPARE(app.Engine().dbPath, dbPath);
    QVERIFY(FileExists(dbPath));
    QCOMPARE(frame->DatabasePane()->text(),
             QString::fromStdString("Connected to Quorin Lorvexandrin Database at " + dbPath));

    QVERIFY(frame->isVisible());
    QVERIFY(frame->width() >= 1200 && frame->height() >= 850);
    QCOMPARE(frame->minimumSize(), QSize(1100, 800));
    QCOMPARE(frame->ActiveView(), frame->RenameView());
    QCOMPARE(frame->Ribbon()->ActiveCategory(), QStringLiteral("Photo Rename"));
    QVERIFY(frame->OutputPane()->isVisible());
    QCOMPARE(frame->OutputPane()->windowTitle(), QStringLiteral("Application Log "));
  }

  void CancelledDatabaseFolderEndsTheProgram() {
    lx::test::ScriptedPrompts prompts;
    CLorvexandrinApp app(FastOptions("", &prompts));
    QVERIFY(!app.InitInstance());
    QCOMPARE(prompts.richTextRequests.size(), size_t(1));
    QCOMPARE(prompts.richTextRequests[0].title, std::string("Quorin Lorvexandrin Database Path Error"));
    QVERIFY(prompts.richTextRequests[0].body.find("Please Restart Lorvexandrin 4.1 and Provide") != std::string::npos);
    QCOMPARE(app.Settings().GetText("LXDbPath"), std::string("Undefined"));
  }

  void ClickOnTheSplashEndsTheWait() {
    lx::test::TempDir db("lx-db");
    lx::test::ScriptedPrompts prompts;
    StartupOptions options = FastOptions(db.Path(), &prompts);
    options.splashCountdown = 100000;  // over 40 minutes unless clicked
    CLorvexandrinApp app(options);
    connect(&app, &CLorvexandrinApp::SplashShown, this, [](CSplashScreenDlg* splash) {
      QTimer::singleShot(100, splash, [splash] { QTest::mouseClick(splash, Qt::LeftButton); });
    });
    QElapsedTimer timer;
    timer.start();
    QVERIFY(app.InitInstance());
    QVERIFY(timer.elapsed() < 30000);
    QVERIFY(app.MainFrame()->isVisible());
    app.MainFrame()->showClosingDialog = false;
  }

  void PlacementAndLookAtTheNextStart() {
    lx::test::TempDir db("lx-db");
    lx::test::ScriptedPrompts prompts;
    {
      CLorvexandrinApp app(FastOptions(db.Path(), &prompts));
      QVERIFY(app.InitInstance());
      app.MainFrame()->showClosingDialog = false;
      app.MainFrame()->RunCommand(kCmdStyleBlack);
      app.MainFrame()->setGeometry(10, 10, 1400, 950);
      app.MainFrame()->close();
    }
    CLorvexandrinApp again(FastOptions(db.Path(), &prompts));
    QVERIFY(again.InitInstance());
    again.MainFrame()->showClosingDialog = false;
    QCOMPARE(again.MainFrame()->size(), QSize(1400, 950));
    QCOMPARE(again.MainFrame()->VisualStyle(), int(kCmdStyleAqua));
  }

  void ProgramOptions() {
    QProcess version;
    version.start(QStringLiteral(LX_GUI_PATH), {"--version"});
    QVERIFY(version.waitForFinished(20000));
    QCOMPARE(version.exitCode(), 0);
    QVERIFY(version.readAllStandardOutput().startsWith("lorvexandrin 4.1"));

    QProcess help;
    help.start(QStringLiteral(LX_GUI_PATH), {"--help"});
    QVERIFY(help.waitForFinished(20000));
    QVERIFY(help.readAllStandardOutput().contains("--log-stderr"));

    // --log-stderr: the start-up lines reach standard error.
    lx::test::TempDir db("lx-db");
    SettingsStore::ForCurrentUser().SetText("LXDbPath", db.File("Lorvexandrin.sq3"));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(LX_GUI_PATH), {"--log-stderr"});
    QByteArray errors;
    QElapsedTimer timer;
    timer.start();
    while (!errors.contains("StartUp successful") && timer.elapsed() < 60000 &&
           program.state() != QProcess::NotRunning) {
      program.waitForReadyRead(500);
      errors += program.readAllStandardError();
    }
    program.kill();
    program.waitForFinished(5000);
    QVERIFY2(errors.contains("Lorvexandrin 4.1 StartUp successful .."), errors.constData());
    QVERIFY(errors.contains("Checking for Quorin Lorvexandrin Database at "));
  }

  void Screenshots() {
    lx::test::TempDir db("lx-db");
    lx::test::TempDir photos("lx-photos");
    lx::test::WriteFile(photos.File("IMG_0001.JPG"), "x");
    SettingsStore::ForCurrentUser().SetText("SourcePath", photos.Slash());
    lx::test::ScriptedPrompts prompts;
    StartupOptions options = FastOptions(db.Path(), &prompts);
    CLorvexandrinApp app(options);
    connect(&app, &CLorvexandrinApp::SplashShown, this, [](CSplashScreenDlg* splash) {
      splash->SetStatus(QStringLiteral("Initializing File Renaming View ..."));
      SaveScreenshot(splash);
    });
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.MainFrame();
    frame->showClosingDialog = false;
    frame->resize(1200, 850);
    QTest::qWait(100);
    SaveScreenshot(frame);

    RichTextRequest request;
    request.title = "Quorin Lorvexandrin Item Data Display";
    request.body =
        "{\\f1\\cb5\\cf5\\b Device Data Display } \\par\\par Object Name: {\\b Trip} \\par\\par Drive Type: {\\b "
        "Standard Windows Drive} \\par\\par Drive Path: {\\b /home/ann/Pictures/Trip} \\par\\par Portable Drive "
        "Count: {\\b 0} \\par \\par {\\f1 \\b   } \\par}";
    request.buttons = kButtonsYesNo;
    request.url = "https://example.org/lorvexandrin";
    CRichTextMsgDlg box(app.Settings(), request, frame);
    box.show();
    QTest::qWait(50);
    SaveScreenshot(&box);
    box.close();
  }
};

int RunStartupTests(int argc, char** argv) {
  StartupTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lx::gui::test

#include "startup_test.moc"
