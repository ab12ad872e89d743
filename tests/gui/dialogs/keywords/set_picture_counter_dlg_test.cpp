// The picture counter dialog and the "Edit Counter" command: the texts name
// the next number, only a whole counter value can be confirmed, and the value
// chosen is stored even when it is lower than the counter used so far.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "../masks/dialog_tests.h"
#include "common/modal_hook.h"
#include "dialogs/keywords/set_picture_counter_dlg.h"
#include "gui_tests.h"
#include "rename_view_world.h"
#include "storage/picture_counter.h"

namespace lx::gui::test {

class CounterDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void TextsNameTheNextNumber() {
    CSetPictureCounterDlg dialog(41);
    QCOMPARE(dialog.CurrentField()->text(), QString("41"));
    QVERIFY(dialog.InfoLine()->text().endsWith("the number 42"));
    dialog.NewField()->clear();
    QTest::keyClicks(dialog.NewField(), "1x0-0");  // only the digits get in
    QCOMPARE(dialog.NewField()->text(), QString("100"));
    QVERIFY(dialog.WarningLine()->text().endsWith("the number 101"));
    dialog.show();
    SaveScreenshot(&dialog);
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.NewCounter(), 100);
  }

  void ValuesBeyondTheCounterAreRefused() {
    CSetPictureCounterDlg dialog(7);
    for (const char* text : {"", "2147483648", "9999999999"}) {
      dialog.NewField()->setText(text);
      QVERIFY2(!dialog.OkButton()->isEnabled(), text);
    }
    dialog.NewField()->setText("2147483647");
    QVERIFY(dialog.OkButton()->isEnabled());
    QVERIFY(dialog.WarningLine()->text().endsWith("the number 2147483648"));
  }

  void CommandStoresTheValueAndRedrawsTheLabel() {
    RenameViewWorld world;
    world.view->OnInitialUpdate();
    SetPictureCounter(world.settings, 41);
    world.engine.pictureCounter = 500;  // a run went further than the user now wants
    QSignalSpy label(world.view.get(), &CRenameFileView::CounterChanged);
    QString shownCurrent;
    ScopedModalHook hook([&](QDialog& d) {
      auto& dialog = dynamic_cast<CSetPictureCounterDlg&>(d);
      shownCurrent = dialog.CurrentField()->text();
      dialog.NewField()->setText("100");
      dialog.accept();
      return int(QDialog::Accepted);
    });
    world.view->Command(ID_RIBBON_EDIT_COUNTER)->trigger();
    QCOMPARE(shownCurrent, QString("41"));
    QCOMPARE(GetPictureCounter(world.settings), 100u);
    QCOMPARE(label.count(), 1);
    QCOMPARE(label.takeFirst().at(0).toString(), QString("Counter: 100"));
  }
};

QObject* MakeCounterDialogTest() { return new CounterDialogTest; }

}  // namespace lx::gui::test

#include "set_picture_counter_dlg_test.moc"
