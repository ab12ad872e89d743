// The mask editor: the live check while typing, the element picker and its
// settings, the extension rule, the store buttons against the mask table, and
// the "Edit Renaming Mask" command that takes the result over.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "common/modal_hook.h"
#include "dialog_tests.h"
#include "dialogs/masks/edit_mask_dlg.h"
#include "dialogs/masks/select_format_setting_dlg.h"
#include "dialogs/masks/select_format_spec_dlg.h"
#include "dialogs/rename/set_duplicate_handling_dlg.h"
#include "gui_tests.h"
#include "masks/mask_data.h"
#include "rename/duplicate_names.h"
#include "rename_view_world.h"
#include "storage/mask_store.h"
#include "storage/settings_store.h"

namespace lx::gui::test {

namespace {

std::unique_ptr<CEditMaskDlg> OpenEditor(RenameViewWorld& world, const std::string& mask, int id = -1) {
  return std::make_unique<CEditMaskDlg>(world.sql, world.settings, world.prompts, mask, "", id, "-%03d", true);
}

}  // namespace

class MaskEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void TypingShowsTheMessageThenTheSample() {
    RenameViewWorld world;
    auto editor = OpenEditor(world, "");
    QVERIFY(!editor->ViewButton()->isEnabled());
    QTest::keyClicks(editor->MaskEdit(), "%");
    QCOMPARE(editor->AppliedLine()->text(), QString("Unfinished Mask Found: % ... Unable to Apply Renaming Mask !!!"));
    QVERIFY(!editor->ViewButton()->isEnabled());
    QTest::keyClicks(editor->MaskEdit(), "Y-%m-%d");
    const QString date = QString::fromStdString(FormatMaskTime("%Y-%m-%d", editor->SampleTime()));
    QCOMPARE(editor->AppliedLine()->text(), date + ".jpg");
    QCOMPARE(editor->SuffixLine()->text(), date + "-001.jpg");
    QVERIFY(editor->ViewButton()->isEnabled());
    QVERIFY(editor->AddMaskButton()->isEnabled());
    editor->show();
    SaveScreenshot(editor.get());
  }

  void KeywordElementsShowPlaceholdersWithoutAsking() {
    RenameViewWorld world;
    int opened = 0;
    ScopedModalHook hook([&](QDialog&) { return ++opened, int(QDialog::Rejected); });
    auto editor = OpenEditor(world, "");
    QTest::keyClicks(editor->MaskEdit(), "%K_%KI");
    QCOMPARE(editor->AppliedLine()->text(), QString("Keyword Selected by User_Keyboard Data Typed In by User.jpg"));
    QCOMPARE(opened, 0);
    QVERIFY(world.prompts.keywordQuestions.empty() && world.prompts.textQuestions.empty());
  }

  void ForbiddenCharactersAreTakenOut() {
    RenameViewWorld world;
    auto editor = OpenEditor(world, "%Y");
    editor->MaskEdit()->end(false);
    QTest::keyClicks(editor->MaskEdit(), "a:b");
    QCOMPARE(editor->MaskEdit()->text(), QString("%Yab"));
    QCOMPARE(world.prompts.messages.size(), size_t(1));
  }

  void CounterSettingFromThePicker() {
    RenameViewWorld world;
    auto editor = OpenEditor(world, "%Y_");
    QApplication::clipboard()->setText("the user's clipboard");
    bool pictured = false;
    ScopedModalHook hook([&](QDialog& d) {
      if (auto* picker = dynamic_cast<CSelectFormatSpecDlg*>(&d)) {
        [&] {
          QCOMPARE(picker->CountLabel()->text(), QString("53"));
          QVERIFY(picker->SampleLine()->text().startsWith("Sample Values given for File 'IMG_01234.jpg' taken at "));
          QVERIFY(!picker->OkButton()->isEnabled());
        }();
        if (!pictured) {
          picker->show();
          SaveScreenshot(picker);
        }
        picker->SelectFormat("%Cx");  // opens the setting, answered below
        return picker->result();
      }
      auto& setting = dynamic_cast<CSelectFormatSettingDlg&>(d);
      [&] { QCOMPARE(setting.Setting()->count(), 15); }();
      setting.Setting()->setCurrentText("A");
      if (!pictured) {
        setting.show();
        SaveScreenshot(&setting);
        pictured = true;
      }
      return int(QDialog::Accepted);
    });
    editor->MaskEdit()->setCursorPosition(3);
    editor->AddSpecButton()->click();
    QCOMPARE(editor->MaskEdit()->text(), QString("%Y_%CA"));
    QCOMPARE(editor->MaskEdit()->cursorPosition(), 6);
    QCOMPARE(QApplication::clipboard()->text(), QString("the user's clipboard"));

    // Over a selection: the selected text is replaced.
    editor->MaskEdit()->setSelection(0, 2);
    editor->AddSpecButton()->click();
    QCOMPARE(editor->MaskEdit()->text(), QString("%CA_%CA"));
  }

  void SecondExtensionElementIsRefused() {
    RenameViewWorld world;
    auto editor = OpenEditor(world, "%Y%FE");
    editor->MaskEdit()->setCursorPosition(0);
    editor->InsertSpecification("%FEU");
    QCOMPARE(editor->MaskEdit()->text(), QString("%Y%FE"));
    QCOMPARE(world.prompts.messages.size(), size_t(1));
    QCOMPARE(world.prompts.messages[0],
             std::string("A Format Specification %FE already Exists in Renaming Mask !!! Addition Rejected..."));
    // Into a mask without one, the extension goes to the end, wherever the caret is.
    auto other = OpenEditor(world, "%Y_%m");
    other->MaskEdit()->setCursorPosition(0);
    other->InsertSpecification("%FEL");
    QCOMPARE(other->MaskEdit()->text(), QString("%Y_%m%FEL"));
  }

  void StandardMasksAreNeverModified() {
    RenameViewWorld world;
    for (int id = 1; id <= 4; ++id) {
      auto editor = OpenEditor(world, kStandardMasks[id - 1].mask, id);
      for (const char* typed : {"", "x", "_%C3"}) {
        QTest::keyClicks(editor->MaskEdit(), typed);
        QVERIFY2(!editor->ModifyButton()->isEnabled(), typed);
      }
    }
    // A stored mask of the user's own can be changed in place.
    const int id = world.masks.AddMask("%Y_mine", "mine");
    QVERIFY(id > 4);
    auto editor = OpenEditor(world, "%Y_mine", id);
    QVERIFY(!editor->ModifyButton()->isEnabled() && !editor->AddMaskButton()->isEnabled());
    QTest::keyClicks(editor->MaskEdit(), "2");
    QVERIFY(editor->ModifyButton()->isEnabled());
    editor->ModifyButton()->click();
    QCOMPARE(world.masks.FindMaskId("%Y_mine2"), id);
    QVERIFY(!editor->ModifyButton()->isEnabled());
  }

  void AddedMaskTakesItsNewId() {
    RenameViewWorld world;
    auto editor = OpenEditor(world, "%Y");
    QTest::keyClicks(editor->MaskEdit(), "_new");
    editor->DescriptionEdit()->setText("new one");
    QVERIFY(editor->AddMaskButton()->isEnabled());
    editor->AddMaskButton()->click();
    const int id = world.masks.FindMaskId("%Y_new");
    QVERIFY(id > 4);
    QCOMPARE(editor->MaskId(), id);
    QVERIFY(!editor->AddMaskButton()->isEnabled());
  }

  void CommandTakesTheMaskAndTheSuffixOver() {
    RenameViewWorld world;
    world.view->OnInitialUpdate();
    ScopedModalHook hook([&](QDialog& d) {
      if (auto* chooser = dynamic_cast<CSetDuplicateHandlingDlg*>(&d)) {
        chooser->Masks()->setCurrentRow(DuplicateSuffixIndex(" (%d)"));
        return int(QDialog::Accepted);
      }
      auto& editor = dynamic_cast<CEditMaskDlg&>(d);
      editor.MaskEdit()->setText("%Y_trip");
      editor.SuffixButton()->click();
      [&] { QVERIFY(editor.SuffixLine()->text().endsWith("_trip (1).jpg")); }();
      return int(QDialog::Accepted);
    });
    world.view->Command(ID_RIBBON_EDIT_MASK)->trigger();
    QCOMPARE(world.view->MaskBox()->currentText(), QString("%Y_trip"));
    QCOMPARE(world.engine.suffixMask, std::string(" (%d)"));
    QCOMPARE(world.settings.GetText(setting::kDuplicateSuffix), std::string(" (%d)"));
  }
};

QObject* MakeMaskEditorTest() { return new MaskEditorTest; }

}  // namespace lx::gui::test

#include "edit_mask_dlg_test.moc"
