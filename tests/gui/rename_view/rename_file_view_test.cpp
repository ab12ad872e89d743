// The rename view driven as a user would: a folder listed with thumbnails, a
// mask applied, files renamed; its commands' enable rules, previous and next,
// thumbnail modes, colours, the context menu and the three dialogs.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "base/log.h"
#include "common/modal_hook.h"
#include "dialogs/keywords/select_keyword_dlg.h"
#include "dialogs/keywords/set_kbd_free_entry_dlg.h"
#include "dialogs/rename/img_read_progress_dlg.h"
#include "dialogs/rename/set_rename_path_dlg.h"
#include "engine/engine.h"
#include "gui_tests.h"
#include "photo_factory.h"
#include "rename/rename_path.h"
#include "rename_view/picture_box.h"
#include "rename_view/rename_file_view.h"
#include "rename_view/rename_list_ctrl.h"
#include "rename_view/thumbnails.h"
#include "rename_view_tests.h"
#include "rename_view_world.h"
#include "scripted_prompts.h"
#include "storage/database.h"
#include "storage/settings_store.h"
#include "storage/sqlite.h"
#include "temp_dir.h"

namespace lx::gui::test {

namespace {

namespace fs = std::filesystem;

// A view over a folder of three photos.
struct ViewFixture : RenameViewWorld {
  ViewFixture() {
    lx::test::WritePhoto(photos.File("IMG_0001.jpg"),
                         {.width = 120, .height = 90, .dateTimeOriginal = "2021:06:01 10:00:00"});
    lx::test::WritePhoto(
        photos.File("IMG_0002.jpg"),
        {.width = 90, .height = 120, .dateTimeOriginal = "2021:06:02 11:00:00", .embedThumbnail = true});
    lx::test::WritePhoto(photos.File("IMG_0003.jpg"),
                         {.width = 120, .height = 90, .dateTimeOriginal = "2021:06:03 12:00:00", .orientation = 6});
    view->resize(900, 600);
  }
};

bool Enabled(CRenameFileView& view, int id) { return view.Command(id)->isEnabled(); }

}  // namespace

class RenameViewTest : public QObject {
  Q_OBJECT

 private slots:
  void EmptyListDisablesCommands() {
    ViewFixture f;
    f.view->OnInitialUpdate();
    QVERIFY(f.log.Contains("Default Renaming Mask: %Y-%m-%d %H-%M-%S"));
    QVERIFY(f.view->MaskBox()->count() >= 4);
    QCOMPARE(f.view->MaskBox()->currentText(), QString("%Y-%m-%d %H-%M-%S"));
    for (int id :
         {ID_RIBBON_APPLY_MASK, ID_RIBBON_RENAME_ALL, ID_RIBBON_RENAME_SELECTED, ID_RIBBON_RENAME_PREVIOUS_PHOTO,
          ID_RIBBON_RENAME_NEXT_PHOTO, ID_VIEW_DETAIL, ID_COPY_CLIPBOARD, ID_RIBBON_SIMPLE_RENAME, ID_RIBBON_BROWSE})
      QVERIFY2(!Enabled(*f.view, id), qPrintable(f.view->Command(id)->text()));
    // An empty folder: still nothing to apply or rename.
    lx::test::TempDir empty;
    f.engine.sourceKind = SourceKind::Folder;
    f.engine.sourcePath = empty.Slash();
    f.engine.renamePath = empty.Slash();
    f.view->RefreshList(RunList);
    QVERIFY(f.log.Contains("0 File Found in"));
    QVERIFY(!Enabled(*f.view, ID_RIBBON_APPLY_MASK));
    QVERIFY(!Enabled(*f.view, ID_RIBBON_RENAME_NEXT_PHOTO));
    QVERIFY(Enabled(*f.view, ID_RIBBON_SIMPLE_RENAME));
    QCOMPARE(f.view->Preview()->Picture()->Source(), int(CPictureBox::SourceResource));
  }

  void ListApplyAndRenameAll() {
    ViewFixture f;
    f.view->OnInitialUpdate();
    f.ChooseFolder();
    f.view->show();
    f.preview->resize(300, 500);
    f.preview->show();
    f.List();
    QCOMPARE(f.view->Model().RowCount(), 3);
    QCOMPARE(f.view->Thumbnails().Count(), 3);
    QVERIFY(f.log.Contains("3 Files Found in"));
    QCOMPARE(f.view->CurrentRow, 0);
    QVERIFY(f.log.Contains("Preview File: " + f.photos.File("IMG_0001.jpg")));
    auto* table = f.view->List()->TableModel();
    QCOMPARE(table->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Renamed File Name "));
    QVERIFY(!table->data(table->index(0, 0), Qt::DecorationRole).isNull());
    QCOMPARE(table->data(table->index(0, 1), Qt::DisplayRole).toString(), QString("2021-06-01 10-00-00.jpg"));
    QVERIFY(Enabled(*f.view, ID_RIBBON_APPLY_MASK));
    QVERIFY(Enabled(*f.view, ID_RIBBON_RENAME_SELECTED));
    SaveScreenshot(f.view.get(), "rename_view_listed");

    // A mask typed in the mask box and applied.
    f.view->MaskBox()->setEditText("Trip-%Y%m%d-%H%M%S");
    f.view->RunCommand(ID_RIBBON_APPLY_MASK);
    QCOMPARE(table->data(table->index(2, 1), Qt::DisplayRole).toString(), QString("Trip-20210603-120000.jpg"));
    const QColor listed = table->data(table->index(0, 0), Qt::ForegroundRole).value<QColor>();
    QCOMPARE(listed, QColor(0, 0, 0));

    f.view->RunCommand(ID_RIBBON_RENAME_ALL);
    for (const char* name : {"Trip-20210601-100000.jpg", "Trip-20210602-110000.jpg", "Trip-20210603-120000.jpg"})
      QVERIFY2(fs::exists(f.photos.File(name)), name);
    QVERIFY(!fs::exists(f.photos.File("IMG_0001.jpg")));
    for (int row = 0; row < 3; ++row) {
      QCOMPARE(table->data(table->index(row, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
      QVERIFY(!table->data(table->index(row, 0), Qt::DecorationRole).isNull());  // thumbnails follow the files
    }
    QCOMPARE(f.settings.GetText("RenamingMask"), std::string("Trip-%Y%m%d-%H%M%S"));
    SaveScreenshot(f.view.get(), "rename_view_renamed");
    SaveScreenshot(f.preview.get(), "rename_view_renamed_preview");
  }

  void PreviousAndNext() {
    ViewFixture f;
    f.StartListed();
    f.view->RunCommand(ID_RIBBON_RENAME_PREVIOUS_PHOTO);  // on the first row: nothing
    QCOMPARE(f.view->CurrentRow, 0);
    f.view->RunCommand(ID_RIBBON_RENAME_NEXT_PHOTO);
    f.view->RunCommand(ID_RIBBON_RENAME_NEXT_PHOTO);
    QCOMPARE(f.view->CurrentRow, 2);
    QCOMPARE(f.view->Model().SelectedRows(), std::vector<int>{2});
    QVERIFY(f.log.Contains("PreView File: Rotation by 90 Degrees"));  // row 3 has orientation 6
    f.log.Clear();
    f.view->RunCommand(ID_RIBBON_RENAME_NEXT_PHOTO);  // on the last row: nothing
    QCOMPARE(f.view->CurrentRow, 2);
    QVERIFY(!f.log.Contains("Preview File"));
    f.view->RunCommand(ID_RIBBON_RENAME_PREVIOUS_PHOTO);
    QCOMPARE(f.view->CurrentRow, 1);
  }

  void ThumbnailModesAndSkip() {
    ViewFixture f;
    f.StartListed();
    // The same mode again still reads the folder again; the choice is stored.
    f.log.Clear();
    f.view->RunCommand(ID_THUMBNAIL_HIGHRES);
    f.view->Thumbnails().WaitForAll();
    QVERIFY(f.log.Contains("Reading Directory"));
    QCOMPARE(f.view->Thumbnails().Count(), 3);
    f.view->RunCommand(ID_THUMBNAIL_RAW);
    f.view->Thumbnails().WaitForAll();
    QCOMPARE(f.view->Thumbnails().Count(), 1);  // only IMG_0002 has an embedded thumbnail
    QVERIFY(f.log.Contains("Error Getting ThumbNail !!! No ThumbNail Added ..."));
    QCOMPARE(f.settings.GetNumber("ThumbNailDisplayType"), 1u);
    QVERIFY(f.view->Command(ID_THUMBNAIL_RAW)->isChecked());

    // Skip pressed at the second file: no thumbnails from there on, and none at the next read.
    f.view->RunCommand(ID_THUMBNAIL_HIGHRES);
    f.view->onReadProgress = [&](int index) {
      if (index == 1 && f.view->ProgressDialog()) f.view->ProgressDialog()->SkipButton()->click();
    };
    f.view->SetReReadFolder(true);
    f.List();
    QCOMPARE(f.view->ThumbNailMode, 0);
    QVERIFY(f.view->Thumbnails().Count() <= 1);
    QCOMPARE(f.view->Model().RowCount(), 3);
    QCOMPARE(f.settings.GetNumber("ThumbNailDisplayType"), 2u);  // the stored choice stays
    f.view->onReadProgress = nullptr;
    f.view->SetReReadFolder(true);
    f.List();
    QCOMPARE(f.view->Thumbnails().Count(), 0);
  }

  void TargetRenamePreview() {
    ViewFixture f;
    f.StartListed();
    // "Rename & Del" through the rename-path dialog, then everything renamed into Target/.
    ScopedModalHook answer([](QDialog& shown) -> int {
      auto& dialog = static_cast<CSetRenamePathDlg&>(shown);
      SaveScreenshot(&dialog);
      return dialog.OkEnabled() ? QDialog::Accepted : QDialog::Rejected;
    });
    f.view->RunCommand(ID_RIBBON_RENAME_DELETE);
    QCOMPARE(f.engine.renameType, int(TargetRenameDelete));
    QCOMPARE(f.engine.renamePath, f.photos.Slash() + "Target/");
    QTRY_VERIFY(f.view->Command(ID_RIBBON_RENAME_DELETE)->isChecked());
    f.prompts.richTextAnswers.assign(10, kIdOk);
    f.view->RunCommand(ID_RIBBON_RENAME_ALL);
    const std::string target = f.photos.Slash() + "Target/" + "2021-06-02 11-00-00.jpg";
    QVERIFY(fs::exists(target));
    f.log.Clear();
    f.view->PreviewRow(1);
    QVERIFY(f.log.Contains("Preview File: " + target));
  }

  // "Browse" takes the dialog's type and path with the same checks and stored type as the type commands.
  void BrowseStoresTheChosenType() {
    ViewFixture f;
    f.StartListed();
    {
      ScopedModalHook answer([](QDialog& shown) -> int {
        auto& dialog = static_cast<CSetRenamePathDlg&>(shown);
        dialog.TypeList()->setCurrentIndex(BackupRename);
        return QDialog::Accepted;
      });
      f.view->RunCommand(ID_RIBBON_BROWSE);
    }
    QCOMPARE(f.engine.renameType, int(BackupRename));
    QCOMPARE(f.engine.renamePath, f.photos.Slash() + "Backup/");
    QCOMPARE(f.settings.GetNumber(setting::kRenameType), std::uint32_t(BackupRename));
    QCOMPARE(f.view->RenamePathField()->text(), QString::fromStdString(f.photos.Slash() + "Backup/"));
    // Cancelled: nothing changes.
    ScopedModalHook cancel([](QDialog& shown) -> int {
      static_cast<CSetRenamePathDlg&>(shown).TypeList()->setCurrentIndex(TargetRename);
      return QDialog::Rejected;
    });
    f.view->RunCommand(ID_RIBBON_BROWSE);
    QCOMPARE(f.engine.renameType, int(BackupRename));
    QCOMPARE(f.settings.GetNumber(setting::kRenameType), std::uint32_t(BackupRename));
  }

  void HeaderClickSorts() {
    ViewFixture f;
    f.StartListed();
    auto* header = f.view->List()->horizontalHeader();
    auto* table = f.view->List()->TableModel();
    header->sectionClicked(0);
    QCOMPARE(table->data(table->index(0, 0), Qt::DisplayRole).toString(), QString("IMG_0001.jpg"));
    header->sectionClicked(0);  // the same column again: descending
    QCOMPARE(table->data(table->index(0, 0), Qt::DisplayRole).toString(), QString("IMG_0003.jpg"));
    QVERIFY(!table->data(table->index(0, 0), Qt::DecorationRole).isNull());  // the thumbnail moved with its row
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
  }

  void ColoursAndContextMenu() {
    ViewFixture f;
    f.StartListed();
    f.view->SetListColor(kColorRenamed, QColor(1, 2, 3));
    QCOMPARE(f.settings.GetNumber("RenamedFileColor"), 0x030201u);
    QCOMPARE(f.view->Swatch(kColorRenamed)->palette().color(QPalette::Window), QColor(1, 2, 3));
    f.view->RunCommand(ID_RIBBON_RESET_COLOURS);
    QCOMPARE(f.settings.GetNumber("RenamedFileColor"), 0xFF0000u);

    auto menu = f.view->BuildContextMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().last()->text(), QString("Delete Selected File"));
    f.view->Model().SetRowSelected(2, true);
    menu = f.view->BuildContextMenu();
    QCOMPARE(menu->actions().last()->text(), QString("Delete Selected Files"));
    // A portable device as source: no rename types, and the device data in the menu.
    f.engine.sourceKind = SourceKind::Device;
    f.view->UpdateCommandStates();
    for (int id : {ID_RIBBON_SIMPLE_RENAME, ID_RIBBON_BACKUP_RENAME, ID_RIBBON_TARGET_RENAME, ID_RIBBON_RENAME_DELETE,
                   ID_RIBBON_BROWSE})
      QVERIFY(!Enabled(*f.view, id));
    QCOMPARE(f.view->BuildContextMenu()->actions().first()->text(), QString("View Portable File Data"));
    for (int i = 0; i < 3; ++i) f.view->Model().SetRowSelected(i, false);
    QVERIFY(!f.view->BuildContextMenu());
  }

  void RenamePathDialog() {
    lx::test::ScriptedPrompts prompts;
    CSetRenamePathDlg dialog("/photos/trip/", "/photos/trip/", 0, &prompts);
    QVERIFY(!dialog.SubFolderEdit()->isVisibleTo(&dialog));
    dialog.TypeList()->setCurrentIndex(1);
    QCOMPARE(dialog.RenamePath(), std::string("/photos/trip/Backup/"));
    QTest::keyClicks(dialog.SubFolderEdit(), "a:b");
    QCOMPARE(dialog.SubFolderEdit()->text(), QString("ab"));
    QCOMPARE(dialog.RenamePath(), std::string("/photos/trip/ab/"));
    QVERIFY(prompts.beeps >= 1);
    // Rename & Del into the source folder itself is refused.
    dialog.SubFolderEdit()->clear();
    dialog.SetBrowsedFolder("/photos/trip");
    dialog.TypeList()->setCurrentIndex(3);
    QVERIFY(!dialog.OkEnabled());
  }

  void KeywordAndTextDialogs() {
    ViewFixture f;
    lx::test::WritePhoto(f.photos.File("k.jpg"), {.width = 120, .height = 90});
    CSelectKeywordDlg keywords(f.sql, f.photos.File("k.jpg"), true);
    QVERIFY(keywords.KeywordList()->rowCount() >= 2);
    QCOMPARE(keywords.KeywordList()->horizontalHeaderItem(2)->text(), QString("Abbr. Keyword"));
    QVERIFY(keywords.ApplyToAllBox()->isChecked());
    keywords.KeywordList()->selectRow(1);
    QVERIFY(keywords.OkButton()->isEnabled());
    keywords.show();
    SaveScreenshot(&keywords);
    keywords.accept();
    QCOMPARE(keywords.Choice().keywordId, 2);
    QVERIFY(keywords.Choice().applyToAll);

    for (int pass = 0; pass < 2; ++pass) {
      CSetKbdFreeEntryDlg entry(f.sql, "LX_Default_Picture", false);
      QVERIFY(!entry.OkButton()->isEnabled());  // the placeholder cannot be confirmed
      entry.TextEdit()->selectAll();
      QTest::keyClicks(entry.TextEdit(), "Sea trip");
      QVERIFY(entry.OkButton()->isEnabled());
      if (pass == 1) {
        entry.show();
        SaveScreenshot(&entry);
      }
      entry.accept();
      QCOMPARE(entry.Choice().text, std::string("Sea trip"));
    }
    CSetKbdFreeEntryDlg again(f.sql, "LX_Default_Picture", false);
    QCOMPARE(again.History()->rowCount(), 1);  // the same text twice keeps one row
    QCOMPARE(again.TextEdit()->text(), QString("Type In Free Text Here or Select a Text from Data Entry List"));
    again.History()->selectRow(0);
    QCOMPARE(again.TextEdit()->text(), QString("Sea trip"));
    QVERIFY(again.DeleteButton()->isEnabled());
    again.DeleteButton()->click();
    QCOMPARE(again.History()->rowCount(), 0);
  }
};

QObject* MakePictureTest();
QObject* MakeWindowTest();
QObject* MakeWatchTest();
QObject* MakeOptionsTest();

int RunRenameViewTests(int argc, char** argv) {
  int status = 0;
  std::unique_ptr<QObject> picture(MakePictureTest());
  status |= QTest::qExec(picture.get(), argc, argv);
  RenameViewTest view;
  status |= QTest::qExec(&view, argc, argv);
  std::unique_ptr<QObject> window(MakeWindowTest());
  status |= QTest::qExec(window.get(), argc, argv);
  std::unique_ptr<QObject> watch(MakeWatchTest());
  status |= QTest::qExec(watch.get(), argc, argv);
  std::unique_ptr<QObject> options(MakeOptionsTest());
  status |= QTest::qExec(options.get(), argc, argv);
  return status;
}

}  // namespace lx::gui::test

#include "rename_file_view_test.moc"
