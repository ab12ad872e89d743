// The keyword editor: its enable rules, the reactivation of a deleted keyword,
// the confirmation asked only when a stored mask names the keyword, and the
// picker's way into the editor.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "../masks/dialog_tests.h"
#include "common/modal_hook.h"
#include "dialogs/keywords/edit_keyword_dlg.h"
#include "dialogs/keywords/select_keyword_dlg.h"
#include "dialogs/keywords/show_keyword_spec_mask_dlg.h"
#include "gui_tests.h"
#include "rename_view_world.h"
#include "storage/keyword_store.h"

namespace lx::gui::test {

namespace {

// Selects the row whose keyword column reads keyword.
void SelectKeyword(CEditKeywordDlg& dialog, const QString& keyword) {
  QTableWidget* list = dialog.KeywordList();
  for (int r = 0; r < list->rowCount(); ++r)
    if (list->item(r, 1)->text() == keyword) {
      list->selectRow(r);
      return;
    }
  QFAIL(qPrintable("no row " + keyword));
}

void Type(QLineEdit* edit, const QString& text) {
  edit->clear();
  QTest::keyClicks(edit, text);
}

}  // namespace

class KeywordDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void EnableRulesFollowTheTexts() {
    RenameViewWorld world;
    KeywordStore(world.sql).AddKeyword("Holiday", "Hol");
    CEditKeywordDlg dialog(world.sql, "Undefined");
    QCOMPARE(dialog.CountLabel()->text(), QString("3"));
    QVERIFY(!dialog.AddButton()->isEnabled() && !dialog.ModifyButton()->isEnabled());

    // The two keywords of the program are never deleted, wherever the sort puts them.
    dialog.SortBox()->setCurrentIndex(1);
    SelectKeyword(dialog, "Empty Keyword");
    QVERIFY(!dialog.DeleteButton()->isEnabled());
    SelectKeyword(dialog, "Holiday");
    QVERIFY(dialog.DeleteButton()->isEnabled());
    QVERIFY(!dialog.AddButton()->isEnabled());

    struct Case {
      const char* keyword;
      const char* abbreviation;
      bool add, modify, del;
      const char* id;
    };
    const Case cases[] = {
        {"Holiday", "Hol", false, true, true, nullptr},  // both found: the row's id
        {"Holidays", "Hol", true, true, true, "To Be Created"},
        {"Beach", "Bch", true, false, false, "To Be Created"},
        {"  ", "Bch", false, false, false, nullptr},  // an empty text after trimming
    };
    for (const Case& c : cases) {
      Type(dialog.KeywordEdit(), c.keyword);
      Type(dialog.AbbreviationEdit(), c.abbreviation);
      QCOMPARE(dialog.AddButton()->isEnabled(), c.add);
      QCOMPARE(dialog.ModifyButton()->isEnabled(), c.modify);
      QCOMPARE(dialog.DeleteButton()->isEnabled(), c.del);
      if (c.id) QCOMPARE(dialog.IdField()->text(), QString(c.id));
    }
    dialog.show();
    SaveScreenshot(&dialog);
  }

  void DeletedKeywordComesBackWithItsIdAndAbbreviation() {
    RenameViewWorld world;
    KeywordStore store(world.sql);
    int id = 0;
    QCOMPARE(store.AddKeyword("Holiday", "Hol", &id), KeywordResult::Added);
    CEditKeywordDlg dialog(world.sql, "Holiday");
    QCOMPARE(dialog.SelectedId(), id);
    int confirmations = 0;
    ScopedModalHook hook([&](QDialog&) { return ++confirmations, int(QDialog::Rejected); });
    dialog.DeleteButton()->click();  // no mask uses it: no confirmation
    QCOMPARE(confirmations, 0);
    QCOMPARE(dialog.CountLabel()->text(), QString("2"));

    Type(dialog.KeywordEdit(), "Holiday");
    Type(dialog.AbbreviationEdit(), "Hday");
    QVERIFY(dialog.AddButton()->isEnabled());
    dialog.AddButton()->click();
    const auto row = store.FindKeyword(id);
    QVERIFY(row.has_value());
    QCOMPARE(row->status, 1);
    QCOMPARE(row->abbreviation, std::string("Hol"));
    QCOMPARE(dialog.SelectedId(), id);
    QCOMPARE(dialog.SelectedKeyword(), std::string("Holiday"));
  }

  void KeywordUsedByAMaskAsksFirst() {
    RenameViewWorld world;
    KeywordStore store(world.sql);
    int id = 0;
    for (int n = 3; id < 12; ++n) store.AddKeyword("Word" + std::to_string(n), "W" + std::to_string(n), &id);
    QCOMPARE(id, 12);
    world.masks.AddMask("%Y%K12", "year and keyword 12");
    world.masks.AddMask("%Y%K120", "keyword 120, not 12");

    CEditKeywordDlg dialog(world.sql, "Word12");
    QCOMPARE(dialog.SelectedId(), 12);
    int shown = 0;
    int answer = QDialog::Rejected;
    ScopedModalHook hook([&](QDialog& d) {
      auto& confirm = dynamic_cast<CShowKeywordSpecMaskDlg&>(d);
      ++shown;
      [&] {
        QCOMPARE(confirm.KeywordCount()->text(), QString("1"));
        QCOMPARE(confirm.AbbreviationCount()->text(), QString("0"));
        QVERIFY(confirm.KeywordMasks()->findItems("%Y%K12", Qt::MatchExactly).size() == 1);
      }();
      confirm.show();
      SaveScreenshot(&confirm);
      return answer;
    });
    dialog.DeleteButton()->click();
    QCOMPARE(shown, 1);
    QCOMPARE(store.FindKeyword(12)->status, 1);  // not confirmed: kept
    answer = QDialog::Accepted;
    dialog.DeleteButton()->click();
    QCOMPARE(shown, 2);
    QCOMPARE(store.FindKeyword(12)->status, 0);
  }

  void PickerOpensTheEditor() {
    RenameViewWorld world;
    CSelectKeywordDlg picker(world.sql, "LX_Default_Picture", false);
    QVERIFY(picker.EditListButton()->isVisible() || !picker.isVisible());
    ScopedModalHook hook([&](QDialog& d) {
      auto& editor = dynamic_cast<CEditKeywordDlg&>(d);
      Type(editor.KeywordEdit(), "Beach");
      Type(editor.AbbreviationEdit(), "Bch");
      editor.AddButton()->click();
      return int(QDialog::Accepted);
    });
    picker.EditListButton()->click();
    QCOMPARE(picker.Choice().keyword, std::string("Beach"));
    QVERIFY(picker.OkButton()->isEnabled());
    picker.show();
    SaveScreenshot(&picker);
  }
};

QObject* MakeKeywordDialogTest() { return new KeywordDialogTest; }

}  // namespace lx::gui::test

#include "edit_keyword_dlg_test.moc"
