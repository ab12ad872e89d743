// The rich-text message boxes: button sets and what they return, the URL
// line, the title, the colour settings and the outline box's check box.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "common/message_boxes.h"
#include "engine/engine.h"
#include "gui_tests.h"
#include "storage/settings_store.h"

namespace lx::gui::test {

class MessageBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetSettings(); }

  void ButtonsAndResults_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("pressSecond");
    QTest::addColumn<QString>("firstLabel");
    QTest::addColumn<QString>("secondLabel");
    QTest::addColumn<int>("result");
    QTest::newRow("ok-cancel ok") << kButtonsOkCancel << false << "Ok"
                                  << "Cancel" << kIdOk;
    QTest::newRow("ok-cancel cancel") << kButtonsOkCancel << true << "Ok"
                                      << "Cancel" << kIdCancel;
    QTest::newRow("yes-no yes") << kButtonsYesNo << false << "Yes"
                                << "No" << kIdOk;
    QTest::newRow("yes-no no") << kButtonsYesNo << true << "Yes"
                               << "No" << kIdCancel;
    QTest::newRow("ok only") << 0 << false << "Ok"
                             << "" << kIdOk;
    QTest::newRow("other value: ok only") << 7 << false << "Ok"
                                          << "" << kIdOk;
  }

  void ButtonsAndResults() {
    QFETCH(int, buttons);
    QFETCH(bool, pressSecond);
    QFETCH(QString, firstLabel);
    QFETCH(QString, secondLabel);
    QFETCH(int, result);
    SettingsStore settings = SettingsStore::ForCurrentUser();
    RichTextRequest request;
    request.body = "{\\f1\\cb5\\cf5\\b Heading} \\par\\par \\fs18 Body {\\b value} \\par}";
    request.title = "Test Title";
    request.buttons = buttons;
    CRichTextMsgDlg box(settings, request);
    QCOMPARE(box.windowTitle(), QStringLiteral("Lorvexandrin 4.1 Test Title"));
    QCOMPARE(box.FirstButton()->text(), firstLabel);
    QCOMPARE(box.SecondButton()->isHidden(), secondLabel.isEmpty());
    if (!secondLabel.isEmpty()) QCOMPARE(box.SecondButton()->text(), secondLabel);
    QVERIFY(box.Body()->toPlainText().contains("Heading"));
    QVERIFY(!box.Body()->toPlainText().contains("\\par"));
    QPushButton* press = pressSecond ? box.SecondButton() : box.FirstButton();
    WhenModalShown([press](QWidget*) { QTest::mouseClick(press, Qt::LeftButton); });
    QCOMPARE(box.Run(), result);
  }

  void BackgroundColourWordsAreDropped_data() {
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::newRow("heading") << "{\\f1\\cb5\\cf5\\b Error}"
                             << "{\\f1\\cf5\\b Error}";
    QTest::newRow("with space") << "{\\cb2 Info}"
                                << "{Info}";
    QTest::newRow("escaped backslash") << "C:\\\\cb5 x"
                                       << "C:\\\\cb5 x";
    QTest::newRow("other words") << "\\cf2\\cbx \\b"
                                 << "\\cf2\\cbx \\b";
  }

  void BackgroundColourWordsAreDropped() {
    QFETCH(QString, rtf);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(WithoutBackgroundColours(rtf.toStdString())), expected);
  }

  void ClosingTheBoxCountsAsCancel() {
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CRichTextMsgDlg box(settings, RichTextRequest{"text", "t", "", 0, kButtonsYesNo});
    WhenModalShown([](QWidget* modal) { modal->close(); });
    QCOMPARE(box.Run(), kIdCancel);
  }

  void UrlLineShownOnlyWithUrlOrFlag_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("shown");
    QTest::newRow("empty, flag 0") << "" << 0 << false;
    QTest::newRow("empty, flag 1") << "" << 1 << true;
    QTest::newRow("url, flag 0") << "https://example.org/page" << 0 << true;
  }

  void UrlLineShownOnlyWithUrlOrFlag() {
    QFETCH(QString, url);
    QFETCH(int, flag);
    QFETCH(bool, shown);
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CRichTextMsgDlg box(settings, RichTextRequest{"text", "t", url.toStdString(), flag, 0});
    QCOMPARE(box.UrlCaption()->isHidden(), !shown);
    QCOMPARE(box.UrlCaption()->text(), QStringLiteral("URL for Additional Informations: "));
  }

  void BackgroundColoursComeFromAndGoToSettings() {
    SettingsStore settings = SettingsStore::ForCurrentUser();
    {
      CRichTextMsgDlg box(settings, RichTextRequest{"text", "t", "", 0, 0});
      // Default 0xE9DAD4 is stored as 0x00BBGGRR: red D4, green DA, blue E9.
      QCOMPARE(box.Body()->palette().color(QPalette::Base), QColor(0xD4, 0xDA, 0xE9));
      box.ChangeBackground(QColor(0x10, 0x20, 0x30));
      QCOMPARE(settings.GetNumber("LXMsgBkgColour"), 0x302010u);
    }
    CRichTextMsgDlg again(settings, RichTextRequest{"text", "t", "", 0, 0});
    QCOMPARE(again.Body()->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));

    CShowRenameMsgDlg outline(settings, nullptr, "outline");
    QCOMPARE(outline.Body()->palette().color(QPalette::Base), QColor(Qt::white));
    outline.ChangeBackground(QColor(0xFF, 0, 0));
    QCOMPARE(settings.GetNumber("MsgBackgroundColor"), 0x0000FFu);
    QCOMPARE(settings.GetNumber("LXMsgBkgColour"), 0x302010u);
  }

  void OutlineBoxStoresTheDoNotShowChoice() {
    SettingsStore settings = SettingsStore::ForCurrentUser();
    CLorvexandrinEngine engine(settings);
    for (bool doNotShow : {true, false}) {
      CShowRenameMsgDlg box(settings, &engine, "{\\b 3 Files Renamed} \\par}");
      QCOMPARE(box.windowTitle(), QStringLiteral("Quorin Lorvexandrin Message  "));
      QVERIFY(box.Body()->toPlainText().contains("3 Files Renamed"));
      QCheckBox* check = box.DoNotShowBox();
      QPushButton* ok = box.OkButton();
      WhenModalShown([check, ok, doNotShow](QWidget*) {
        check->setChecked(doNotShow);
        QTest::mouseClick(ok, Qt::LeftButton);
      });
      QCOMPARE(box.Run(), kIdOk);
      QCOMPARE(settings.GetNumber("ShowRenameOutline"), doNotShow ? 0u : 1u);
      QCOMPARE(engine.showRenameOutline, !doNotShow);
    }
  }
};

int RunMessageBoxTests(int argc, char** argv) {
  MessageBoxTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lx::gui::test

#include "message_box_test.moc"
