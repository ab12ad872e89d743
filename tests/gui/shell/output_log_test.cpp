// The log pane: order, horizontal extent, copy and clear, and lines logged from other threads.
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QtTest>
#include <thread>

#include "base/log.h"
#include "gui_tests.h"
#include "shell/output_wnd.h"

namespace lx::gui::test {

class OutputLogTest : public QObject {
  Q_OBJECT

 private slots:
  void NewestLineOnTopWithTimeStamp() {
    COutputWnd pane;
    pane.AddLogLine("first line");
    pane.AddLogLine("second line");
    COutputList* list = pane.List();
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(0)->text().endsWith(": second line"));
    QVERIFY(list->item(1)->text().endsWith(": first line"));
    // "dd/Mon/yyyy hh:mm:ss: "
    QVERIFY(QRegularExpression(R"(^\d\d/[A-Z][a-z]{2}/\d{4} \d\d:\d\d:\d\d: first line$)")
                .match(list->item(1)->text())
                .hasMatch());
  }

  void ExtentGrowsNeverShrinksAndResets() {
    COutputWnd pane;
    pane.resize(300, 200);
    pane.show();
    pane.AddFormattedLine("short");
    const int small = pane.List()->MaximumWidth();
    QVERIFY(small > 0);
    pane.AddFormattedLine(std::string(400, 'W'));
    const int wide = pane.List()->MaximumWidth();
    QVERIFY(wide > small);
    // The newest line is short; the long one below it still scrolls sideways.
    pane.AddFormattedLine("tiny");
    QTRY_VERIFY(pane.List()->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(pane.List()->MaximumWidth(), wide);
    pane.ResetLog();
    QCOMPARE(pane.List()->MaximumWidth(), 0);
    QCOMPARE(pane.List()->count(), 0);
  }

  void CopyCopiesSelectedLinesOrAll() {
    COutputWnd pane;
    pane.AddFormattedLine("one");
    pane.AddFormattedLine("two");
    pane.AddFormattedLine("three");
    pane.List()->CopySelection();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("three\ntwo\none"));
    pane.List()->item(2)->setSelected(true);
    pane.List()->item(0)->setSelected(true);
    pane.List()->CopySelection();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("three\none"));
  }

  void LinesFromOtherThreadsArriveInOrder() {
    COutputWnd pane;
    OutputPaneLogSink sink(&pane);
    ScopedLogSink attach(sink);
    std::thread worker([] {
      for (int i = 0; i < 20; ++i) LogFormat("worker %d", i);
    });
    worker.join();
    QCOMPARE(pane.List()->count(), 0);  // nothing touched the list off its thread
    QTRY_COMPARE(pane.List()->count(), 20);
    QVERIFY(pane.List()->item(0)->text().endsWith("worker 19"));
    QVERIFY(pane.List()->item(19)->text().endsWith("worker 0"));
  }

  void SinkOutlivingItsPaneDropsLines() {
    auto* pane = new COutputWnd;
    OutputPaneLogSink sink(pane);
    ScopedLogSink attach(sink);
    std::thread worker([] { LogMessage("late line"); });
    worker.join();
    delete pane;
    LogMessage("after the pane");
    QCoreApplication::processEvents();  // the queued line finds no pane and is dropped
  }
};

int RunOutputLogTests(int argc, char** argv) {
  OutputLogTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lx::gui::test

#include "output_log_test.moc"
