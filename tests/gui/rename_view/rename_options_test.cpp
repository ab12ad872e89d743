// The rename view's option dialogs and commands: settings, selection filter,
// duplicate handling, file times, thumbnails and colours, each driven through
// the view as a user would, with a screenshot of every dialog.
#include <QButtonGroup>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "common/colour_palette.h"
#include "common/colours.h"
#include "common/modal_hook.h"
#include "dialogs/rename/edit_selection_filter_dlg.h"
#include "dialogs/rename/selection_filter_field.h"
#include "dialogs/rename/set_duplicate_handling_dlg.h"
#include "dialogs/rename/update_file_time_dlg.h"
#include "dialogs/rename/update_thumbnail_dlg.h"
#include "dialogs/settings/edit_all_settings_dlg.h"
#include "gui_tests.h"
#include "photo_factory.h"
#include "rename_view/rename_list_ctrl.h"
#include "rename_view_world.h"

namespace lx::gui::test {

namespace {

namespace fs = std::filesystem;

struct OptionsFixture : RenameViewWorld {
  OptionsFixture() {
    for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg"})
      lx::test::WritePhoto(photos.File(name), {.width = 120, .height = 90, .dateTimeOriginal = "2021:06:01 10:00:00"});
    lx::test::WritePhoto(photos.File("IMG_0003.jpeg"),
                         {.width = 120, .height = 90, .dateTimeOriginal = "2021:06:03 12:00:00"});
    view->resize(900, 600);
    StartListed();
  }

  int Reads() const {
    const auto texts = log.Texts();
    return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                          [](const std::string& t) { return t.rfind("Reading Directory", 0) == 0; }));
  }
};

}  // namespace

class RenameOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void SettingsOkStoresItsValuesButNotTheThumbnailMode() {
    OptionsFixture f;
    QCOMPARE(f.view->Model().RowCount(), 2);
    ScopedModalHook answer([](QDialog& shown) -> int {
      auto& dialog = static_cast<CEditAllSettingsDlg&>(shown);
      SaveScreenshot(&dialog);
      dialog.Filter()->Edit()->setText("*.jpg; *.jpeg");
      dialog.RenameTypes()->button(BackupRename)->click();
      dialog.SuffixMasks()->setCurrentIndex(2);
      dialog.SuffixMode()->button(0)->click();
      dialog.ThumbnailMode()->setCurrentIndex(0);
      dialog.Outline()->setCurrentIndex(0);
      dialog.PathDisplay()->setCurrentIndex(1);
      return QDialog::Accepted;
    });
    const int reads = f.Reads();
    f.view->RunCommand(ID_RIBBON_SETTINGS);
    QCOMPARE(f.settings.FindText(setting::kSelectionMask), std::optional<std::string>("*.jpg; *.jpeg"));
    QCOMPARE(f.settings.FindNumber(setting::kRenameType), std::optional<std::uint32_t>(1));
    QCOMPARE(f.settings.FindText(setting::kDuplicateSuffix), std::optional<std::string>(" (%d)"));
    QCOMPARE(f.settings.FindNumber(setting::kDuplicateFiles), std::optional<std::uint32_t>(0));
    QCOMPARE(f.settings.FindNumber(setting::kShowRenameOutline), std::optional<std::uint32_t>(0));
    QCOMPARE(f.settings.FindNumber(setting::kFilePathDisplayType), std::optional<std::uint32_t>(1));
    QVERIFY(!f.settings.FindNumber(setting::kThumbNailDisplayType).has_value());
    QCOMPARE(f.view->ThumbNailMode, 0);
    // The folder was read again with the new filter, and column 0 shows whole paths.
    QCOMPARE(f.Reads(), reads + 1);
    QCOMPARE(f.view->Model().RowCount(), 3);
    QCOMPARE(f.view->Model().ColumnText(0, 0), f.photos.Slash() + "IMG_0001.jpg");
  }

  void FilterFieldRemovesRefusedCharactersAndOffersReadyFilters() {
    lx::test::ScriptedPrompts prompts;
    CEditSelectionFilterDlg dialog("*.jpg", false, &prompts);
    QLineEdit* edit = dialog.Field()->Edit();
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, "/x");
    QCOMPARE(edit->text(), QString("*.jpgx"));
    QCOMPARE(prompts.messages.size(), size_t(1));
    QVERIFY(QString::fromStdString(prompts.messages[0])
                .startsWith("The following characters are not allowed in "
                            "Selection Filter: "));
    QTest::keyClicks(edit, "; *.png");
    QCOMPARE(prompts.messages.size(), size_t(1));
    QComboBox* ready = dialog.Field()->ReadyFilters();
    const int raw = ready->findText("RAW Files");
    QVERIFY(raw > 0);
    ready->activated(raw);
    QVERIFY(dialog.Text().find("*.nef") != std::string::npos);
    QCOMPARE(ready->currentIndex(), 0);
    dialog.show();
    SaveScreenshot(&dialog);
  }

  void FilterDialogReadsTheFolderAgainWithTheNewFilter() {
    OptionsFixture f;
    ScopedModalHook answer([](QDialog& shown) -> int {
      static_cast<CEditSelectionFilterDlg&>(shown).Field()->Edit()->setText("*.jpeg");
      return QDialog::Accepted;
    });
    f.view->RunCommand(ID_RIBBON_EDIT_FILTER);
    QCOMPARE(f.view->Model().RowCount(), 1);
    QCOMPARE(f.view->Model().ColumnText(0, 0), std::string("IMG_0003.jpeg"));
    QCOMPARE(f.settings.FindText(setting::kSelectionMask), std::optional<std::string>("*.jpeg"));
    // Cancel changes nothing.
    ScopedModalHook cancel([](QDialog&) -> int { return QDialog::Rejected; });
    f.view->RunCommand(ID_RIBBON_EDIT_FILTER);
    QCOMPARE(f.engine.Filter().Text(), std::string("*.jpeg"));
  }

  void DuplicateSampleFollowsTheChoiceAndTheCommandsStoreIt() {
    CSetDuplicateHandlingDlg dialog("-%03d", false);
    dialog.show();
    SaveScreenshot(&dialog);
    QCOMPARE(dialog.SampleAfter()->item(0)->text(), QString("25-Apr-2016-15-04-52.JPG"));
    QCOMPARE(dialog.SampleAfter()->item(1)->text(), QString("25-Apr-2016-15-04-52-001.JPG"));
    dialog.Masks()->setCurrentRow(2);
    QCOMPARE(dialog.SampleAfter()->item(1)->text(), QString("25-Apr-2016-15-04-52 (1).JPG"));
    QCOMPARE(dialog.Description()->text(), QString("Simple Suffix Mask"));
    dialog.AlsoOriginal()->click();
    QCOMPARE(dialog.SampleAfter()->item(0)->text(), QString("25-Apr-2016-15-04-52 (1).JPG"));
    QCOMPARE(dialog.SuffixMask(), std::string(" (%d)"));

    OptionsFixture f;
    QVERIFY(f.view->Command(ID_ADD_TO_ALL_FILE)->isChecked());
    f.view->RunCommand(ID_ADD_TO_DUPLICATE_FILE);
    QCOMPARE(f.settings.FindNumber(setting::kDuplicateFiles), std::optional<std::uint32_t>(0));
    QVERIFY(f.view->Command(ID_ADD_TO_DUPLICATE_FILE)->isChecked());
    QVERIFY(!f.view->Command(ID_ADD_TO_ALL_FILE)->isChecked());
    // The two photos of the same second: the first keeps its name.
    f.view->MaskBox()->setEditText("%Y");
    f.view->RunCommand(ID_RIBBON_APPLY_MASK);
    QCOMPARE(f.view->Model().ColumnText(0, 1), std::string("2021.jpg"));
    f.view->RunCommand(ID_ADD_TO_ALL_FILE);
    QCOMPARE(f.settings.FindNumber(setting::kDuplicateFiles), std::optional<std::uint32_t>(1));
    QCOMPARE(f.view->Model().ColumnText(0, 1), std::string("2021-001.jpg"));

    ScopedModalHook answer([](QDialog& shown) -> int {
      auto& dup = static_cast<CSetDuplicateHandlingDlg&>(shown);
      dup.Masks()->setCurrentRow(1);
      dup.DuplicatesOnly()->click();
      return QDialog::Accepted;
    });
    f.view->RunCommand(ID_DUPLICATE_HANDLING);
    QCOMPARE(f.settings.FindText(setting::kDuplicateSuffix), std::optional<std::string>("-%d"));
    QCOMPARE(f.settings.FindNumber(setting::kDuplicateFiles), std::optional<std::uint32_t>(0));
    QCOMPARE(f.view->Model().ColumnText(1, 1), std::string("2021-1.jpg"));
  }

  void FileTimeDialogHoldsTheModeAndTheCommandsStoreIt() {
    OptionsFixture f;
    QVERIFY(f.view->Command(ID_FILETIME_UNCHANGED)->isChecked());
    ScopedModalHook answer([](QDialog& shown) -> int {
      auto& dialog = static_cast<CUpdateFileTimeDlg&>(shown);
      SaveScreenshot(&dialog);
      dialog.Choice(3)->click();
      return QDialog::Accepted;
    });
    f.view->RunCommand(ID_UPDATE_FILETIME);
    QVERIFY(!f.settings.FindNumber(setting::kFileTimeChange).has_value());
    QVERIFY(f.view->Command(ID_FILETIME_ALL)->isChecked());
    QVERIFY(!f.view->Command(ID_FILETIME_UNCHANGED)->isChecked());
    f.view->RunCommand(ID_FILETIME_UNCHANGED + 2);
    QCOMPARE(f.settings.FindNumber(setting::kFileTimeChange), std::optional<std::uint32_t>(2));
    QVERIFY(f.view->Command(ID_FILETIME_UNCHANGED + 2)->isChecked());
    QVERIFY(!f.view->Command(ID_FILETIME_ALL)->isChecked());
  }

  void ColourPickIsStoredAndShownInTheListAndTheSwatch() {
    OptionsFixture f;
    CColourPaletteMenu* menu = f.view->ColourMenu(kColorListed);
    QVERIFY(menu);
    QCOMPARE(menu->MoreColoursAction()->text(), QString("&More Colors..."));
    menu->popup(QPoint(0, 0));
    QApplication::processEvents();
    SaveScreenshot(menu);
    const QColor orange("#FF8000");
    menu->Pick(orange);
    QCOMPARE(f.settings.FindNumber(setting::kListedFileColor),
             std::optional<std::uint32_t>(ColorRefFromColour(orange)));
    QCOMPARE(f.view->Swatch(kColorListed)->palette().color(QPalette::Window), orange);
    auto* table = f.view->List()->TableModel();
    QCOMPARE(table->data(table->index(0, 0), Qt::ForegroundRole).value<QColor>(), orange);

    // "&More Colors..." through the full colour dialog.
    const QColor teal("#108090");
    ScopedModalHook answer([teal](QDialog& shown) -> int {
      static_cast<QColorDialog&>(shown).setCurrentColor(teal);
      return QDialog::Accepted;
    });
    f.view->RunCommand(ID_RIBBON_DUPLICATE_COLOUR);
    QCOMPARE(f.settings.FindNumber(setting::kDuplicateColor), std::optional<std::uint32_t>(ColorRefFromColour(teal)));
    QCOMPARE(f.view->Swatch(kColorDuplicate)->palette().color(QPalette::Window), teal);

    f.view->RunCommand(ID_RIBBON_RESET_COLOURS);
    QCOMPARE(f.settings.FindNumber(setting::kListedFileColor), std::optional<std::uint32_t>(0x000000));
    QCOMPARE(f.settings.FindNumber(setting::kDuplicateColor), std::optional<std::uint32_t>(0x0000FF));
    QCOMPARE(table->data(table->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
  }

  void ThumbNailDialogReadsTheFolderEvenWithTheSameMode() {
    OptionsFixture f;
    const int mode = f.view->ThumbNailMode;
    const int reads = f.Reads();
    ScopedModalHook answer([](QDialog& shown) -> int {
      SaveScreenshot(&shown, "CUpdateThumbNailDlg");
      return QDialog::Accepted;
    });
    f.view->RunCommand(ID_RIBBON_THUMBNAIL_DISPLAY);
    QCOMPARE(f.view->ThumbNailMode, mode);
    QCOMPARE(f.Reads(), reads + 1);
    QCOMPARE(f.settings.FindNumber(setting::kThumbNailDisplayType), std::optional<std::uint32_t>(mode));
    ScopedModalHook raw([](QDialog& shown) -> int {
      static_cast<CUpdateThumbNailDlg&>(shown).Choice(1)->click();
      return QDialog::Accepted;
    });
    f.view->RunCommand(ID_RIBBON_THUMBNAIL_DISPLAY);
    QCOMPARE(f.settings.FindNumber(setting::kThumbNailDisplayType), std::optional<std::uint32_t>(1));
    QVERIFY(f.view->Command(ID_THUMBNAIL_RAW)->isChecked());
  }
};

QObject* MakeOptionsTest() { return new RenameOptionsTest; }

}  // namespace lx::gui::test

#include "rename_options_test.moc"
