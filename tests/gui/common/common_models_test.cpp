// The shared pieces of gui/common: the one colour conversion, the command
// table, the modal-dialog hook, and the Qt models over the core's query
// results and property grids.
#include <QAction>
#include <QDialog>
#include <QTableWidget>
#include <QtTest>

#include "common/colours.h"
#include "common/command_table.h"
#include "common/lorvexandrin_base_dlg.h"
#include "common/modal_hook.h"
#include "common/property_grid_model.h"
#include "common/sql_table_model.h"
#include "gui_tests.h"
#include "photo/defaults.h"

namespace lx::gui::test {

class CommonModelTest : public QObject {
  Q_OBJECT

 private slots:
  void ColoursAreStoredAsBgr() {
    // 0x00BBGGRR: red in the low byte.
    QCOMPARE(ColourFromColorRef(0x0000FF), QColor(0xFF, 0, 0));
    QCOMPARE(ColourFromColorRef(kDefaultSelectedTimeColor), QColor(0x22, 0x8B, 0x22));
    QCOMPARE(ColourFromColorRef(kDefaultRenamedFileColor), QColor(0, 0, 0xFF));
    for (std::uint32_t value : {0x000000u, 0xFFFFFFu, 0x123456u, kDefaultMessageBoxColor})
      QCOMPARE(ColorRefFromColour(ColourFromColorRef(value)), value);
    // The alpha channel never reaches the stored number.
    QCOMPARE(ColorRefFromColour(QColor(1, 2, 3, 4)), 0x030201u);
  }

  void CommandTableRunsItsCommands() {
    QObject owner;
    QList<int> ran;
    CommandTable table(&owner, [&ran](int id) { ran << id; });
    QVERIFY(table.IsEmpty());
    table.AddAll({{7, "&Seven", nullptr, nullptr, true}, {8, "Eight", nullptr, nullptr, false}});
    QVERIFY(table.Get(7)->isCheckable());
    QCOMPARE(table.Get(7)->data().toInt(), 7);
    QCOMPARE(table.Get(9), nullptr);
    table.Get(8)->trigger();
    table.Get(7)->trigger();
    QCOMPARE(ran, QList<int>({8, 7}));
    table.SetTip(8, "Title <b>", "\n\nFirst line\nsecond");
    QCOMPARE(table.Get(8)->toolTip(), QString("<b>Title &lt;b&gt;</b><br><br>First line<br>second"));
  }

  void ModalHookAnswersAndIsRestored() {
    CLorvexandrinBaseDlg dialog;
    QCOMPARE(dialog.helpVideo, std::string("Undefined"));
    int outer = 0, inner = 0;
    {
      ScopedModalHook first([&outer](QDialog&) { return ++outer, int(QDialog::Accepted); });
      QCOMPARE(ExecModal(dialog), int(QDialog::Accepted));
      {
        ScopedModalHook second([&inner](QDialog&) { return ++inner, int(QDialog::Rejected); });
        QCOMPARE(ExecModal(dialog), int(QDialog::Rejected));
      }
      QCOMPARE(ExecModal(dialog), int(QDialog::Accepted));
    }
    QCOMPARE(outer, 2);
    QCOMPARE(inner, 1);
  }

  void SqlTableModelAndWidget() {
    SqlTable table;
    table.headers = {"Id", "Keyword"};
    table.rows = {{"1", "Sea"}, {"2"}};
    SqlTableModel model;
    model.SetTable(table);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Keyword"));
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString("Sea"));
    // A short row leaves its missing cells empty.
    QVERIFY(!model.data(model.index(1, 1), Qt::DisplayRole).isValid());
    QTableWidget widget;
    FillTableWidget(&widget, table);
    QCOMPARE(widget.rowCount(), 2);
    QCOMPARE(widget.item(0, 1)->text(), QString("Sea"));
    // The "Empty Table" stand-in: headings, no rows.
    table.emptyTable = true;
    model.SetTable(table);
    FillTableWidget(&widget, table);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(widget.rowCount(), 0);
    QCOMPARE(widget.columnCount(), 2);
  }

  void PropertyGridModelNestsRowsUnderGroups() {
    PropertyGrid grid = {{"File", {{"Name", "IMG_1.jpg", "the file's name"}, {"Size", "12 KB", ""}}},
                         {"Exif", {{"Make", "Canon", ""}}}};
    PropertyGridModel model;
    model.SetGrid(grid);
    QCOMPARE(model.rowCount(), 2);
    const QModelIndex file = model.index(0, 0);
    QCOMPARE(model.data(file, Qt::DisplayRole).toString(), QString("File"));
    QCOMPARE(model.rowCount(file), 2);
    QCOMPARE(model.rowCount(model.index(0, 1)), 0);
    const QModelIndex size = model.index(1, 1, file);
    QCOMPARE(model.data(size, Qt::DisplayRole).toString(), QString("12 KB"));
    QCOMPARE(model.parent(size), file);
    QCOMPARE(model.data(model.index(0, 0, file), Qt::ToolTipRole).toString(), QString("the file's name"));
    QVERIFY(!model.data(size, Qt::ToolTipRole).isValid());
    const QModelIndex make = model.index(0, 1, model.index(1, 0));
    QCOMPARE(model.data(make, Qt::DisplayRole).toString(), QString("Canon"));
    QCOMPARE(model.rowCount(make), 0);
    QVERIFY(!model.index(5, 0).isValid());
  }
};

int RunCommonModelTests(int argc, char** argv) {
  CommonModelTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lx::gui::test

#include "common_models_test.moc"
