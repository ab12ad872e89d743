// The mask list (order, deletion, the standard masks kept), the mask viewer,
// and the applied-mask editor whose changed typed text the next name follows.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "common/modal_hook.h"
#include "dialog_tests.h"
#include "dialogs/keywords/set_kbd_free_entry_dlg.h"
#include "dialogs/masks/edit_mask_dlg.h"
#include "dialogs/masks/edit_mask_list_dlg.h"
#include "dialogs/masks/view_applied_mask_dlg.h"
#include "dialogs/masks/view_mask_spec_dlg.h"
#include "gui_tests.h"
#include "masks/mask_data.h"
#include "photo_factory.h"
#include "rename_view/rename_list_ctrl.h"
#include "rename_view_world.h"

namespace lx::gui::test {

namespace {

QStringList Column(QTableWidget* table, int column) {
  QStringList texts;
  for (int r = 0; r < table->rowCount(); ++r) texts << table->item(r, column)->text();
  return texts;
}

}  // namespace

class MaskViewersTest : public QObject {
  Q_OBJECT

 private slots:
  void MaskListOrdersAndDeletesUserMasksOnly() {
    RenameViewWorld world;
    const int a = world.masks.AddMask("%Y_a", "a");
    const int b = world.masks.AddMask("%Y_b", "b");
    CEditMaskListDlg dialog(world.sql, world.settings, world.prompts, "-%03d", true);
    QCOMPARE(dialog.CountLabel()->text(), QString("6"));
    for (int id = 1; id <= 4; ++id) {
      QVERIFY(dialog.SelectId(id));
      QVERIFY(dialog.EditButton()->isEnabled());
      QVERIFY(!dialog.DeleteButton()->isEnabled() && !dialog.UpButton()->isEnabled());
      QVERIFY(!dialog.DownButton()->isEnabled());
    }
    QVERIFY(dialog.SelectId(a));
    QVERIFY(!dialog.UpButton()->isEnabled());  // would swap with a standard mask
    dialog.DownButton()->click();
    QCOMPARE(Column(dialog.MaskList(), 1).mid(4), QStringList({"%Y_b", "%Y_a"}));
    QCOMPARE(world.masks.FindMaskId("%Y_a"), b);
    dialog.show();
    SaveScreenshot(&dialog);

    // Editing from the list stores under the row's id.
    QVERIFY(dialog.SelectId(a));
    ScopedModalHook hook([&](QDialog& d) {
      auto& editor = dynamic_cast<CEditMaskDlg&>(d);
      [&] { QCOMPARE(editor.MaskId(), a); }();
      editor.MaskEdit()->setText("%Y_bb");
      editor.ModifyButton()->click();
      return int(QDialog::Rejected);
    });
    dialog.EditButton()->click();
    QCOMPARE(world.masks.FindMaskId("%Y_bb"), a);

    QVERIFY(dialog.SelectId(b));
    dialog.DeleteButton()->click();
    QCOMPARE(dialog.CountLabel()->text(), QString("5"));
    QVERIFY(!Column(dialog.MaskList(), 1).contains("%Y_a"));
    QVERIFY(dialog.SelectId(a));
    dialog.accept();
    QCOMPARE(dialog.ChosenMask(), std::string("%Y_bb"));
  }

  void ViewerShowsTheParsedElements() {
    std::string message;
    QVERIFY(ActiveMask.ParseMask("%Y %L3%C4", message, ReportQuiet));
    CViewMaskSpecDlg dialog("%Y %L3%C4", ActiveMask);
    QCOMPARE(dialog.CountLabel()->text(), QString("4"));
    QCOMPARE(Column(dialog.Elements(), 0), QStringList({"1", "2", "3", "4"}));
    QCOMPARE(Column(dialog.Elements(), 1), QStringList({"%Y", "SP", "%L3", "%C4"}));
    dialog.show();
    SaveScreenshot(&dialog);
  }

  void AppliedMaskEditorChangesTheTypedText() {
    RenameViewWorld world;
    lx::test::WritePhoto(world.photos.File("IMG_0001.jpg"));
    world.view->OnInitialUpdate();
    world.view->MaskBox()->setEditText("%KI_%Y");
    world.prompts.textAnswers.push_back({"Rome", false});
    world.ChooseFolder();
    world.List();
    QCOMPARE(world.view->Model().RowCount(), 1);
    QVERIFY(world.view->Model().Rows()[0].data.NewName.starts_with("Rome_"));
    world.view->Model().SelectRow(0);

    std::string readOnlyTitle;
    ScopedModalHook readOnly([&](QDialog& d) {
      auto& viewer = dynamic_cast<CViewAppliedMaskDlg&>(d);
      readOnlyTitle = viewer.windowTitle().toStdString();
      [&] { QVERIFY(viewer.HintLine()->isHidden()); }();
      viewer.RowClicked(0);  // nothing to edit in the read-only view
      return int(QDialog::Accepted);
    });
    world.view->ViewAppliedMask(false);
    QCOMPARE(readOnlyTitle, std::string("View Quorin Lorvexandrin Applied Mask Data"));
    QVERIFY(world.view->Model().Rows()[0].data.NewName.starts_with("Rome_"));

    bool pictured = false;
    ScopedModalHook hook([&](QDialog& d) {
      if (auto* entry = dynamic_cast<CSetKbdFreeEntryDlg*>(&d)) {
        entry->TextEdit()->setText("Paris");
        entry->accept();
        return entry->result();
      }
      auto& viewer = dynamic_cast<CViewAppliedMaskDlg&>(d);
      [&] {
        QCOMPARE(Column(viewer.Elements(), 0), QStringList({"%KI", "_", "%Y", "%FE"}));
        QCOMPARE(viewer.Elements()->item(0, 1)->text(), QString("Rome"));
      }();
      viewer.RowClicked(1);  // not an editable element: the message says which are
      viewer.RowClicked(0);
      [&] { QCOMPARE(viewer.Elements()->item(0, 1)->text(), QString("Paris")); }();
      if (!pictured) {
        viewer.show();
        SaveScreenshot(&viewer);
        pictured = true;
      }
      return int(QDialog::Accepted);
    });
    world.view->ViewAppliedMask(true);
    QCOMPARE(world.prompts.messages.size(), size_t(1));
    QVERIFY(world.prompts.messages[0].starts_with("Only Data with the Following Mask Spec. can be modified ... \n"));
    QVERIFY(world.view->Model().Rows()[0].data.NewName.starts_with("Paris_"));
    QCOMPARE(world.prompts.textQuestions.size(), size_t(1));  // the list run did not ask again
  }

  void ContextMenuOffersTheMaskViews() {
    RenameViewWorld world;
    lx::test::WritePhoto(world.photos.File("IMG_0002.jpg"));
    world.StartListed();
    world.view->Model().SelectRow(0);
    auto menu = world.view->BuildContextMenu();
    QVERIFY(menu);
    QStringList texts;
    for (QAction* action : menu->actions())
      if (!action->isSeparator()) texts << action->text();
    QCOMPARE(texts.mid(0, 3),
             QStringList({"View Mask Specifications Data", "View Applied Mask Data", "Edit Applied Mask Data"}));
  }
};

QObject* MakeMaskViewersTest() { return new MaskViewersTest; }

}  // namespace lx::gui::test

#include "mask_viewers_test.moc"
