// The photo details view in the whole program: the roads that open and close
// it, its picture and rotation, its grid, its commands and keys, the clipboard.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>

#include "base/log.h"
#include "common/modal_hook.h"
#include "common/property_grid_model.h"
#include "details_view/metadata_grid.h"
#include "details_view/single_file_view.h"
#include "devices/portable_device_backend.h"
#include "dialogs/app/update_img_rotation_dlg.h"
#include "engine/engine.h"
#include "gui_tests.h"
#include "photo_factory.h"
#include "rename/device_list_run.h"
#include "rename_view/picture_box.h"
#include "rename_view/rename_file_view.h"
#include "rename_view/rename_list_ctrl.h"
#include "rename_view/thumbnails.h"
#include "scripted_prompts.h"
#include "shell/app.h"
#include "shell/main_window.h"
#include "shell/ribbon.h"
#include "shell/shell_tree.h"
#include "shell/views.h"
#include "temp_dir.h"

namespace lx::gui::test {

namespace {

// A camera's photo: 160 x 120 as stored, with equipment, GPS and IPTC data.
lx::test::PhotoSpec CameraPhoto(int orientation, const std::string& taken) {
  lx::test::PhotoSpec spec;
  spec.width = 160;
  spec.height = 120;
  spec.dateTimeOriginal = taken;
  spec.orientation = orientation;
  spec.exif = {{"Exif.Image.Make", "Canon"},
               {"Exif.Image.Model", "Canon EOS 5D Mark IV"},
               {"Exif.Image.XResolution", "72/1"},
               {"Exif.Image.YResolution", "72/1"},
               {"Exif.Image.ResolutionUnit", "2"},
               {"Exif.Photo.ExposureTime", "1/250"},
               {"Exif.Photo.FNumber", "56/10"},
               {"Exif.Photo.ISOSpeedRatings", "400"},
               {"Exif.Photo.Flash", "16"},
               {"Exif.Photo.FocalLength", "50/1"},
               {"Exif.GPSInfo.GPSLatitudeRef", "N"},
               {"Exif.GPSInfo.GPSLatitude", "45/1 45/1 0/1"},
               {"Exif.GPSInfo.GPSLongitudeRef", "E"},
               {"Exif.GPSInfo.GPSLongitude", "4/1 50/1 0/1"},
               {"Exif.GPSInfo.GPSAltitude", "250/10"}};
  spec.iptc = {{"Iptc.Application2.City", "Lyon"},
               {"Iptc.Application2.Keywords", "Fourviere"},
               {"Iptc.Application2.Caption", "The basilica seen from the old town at dusk"}};
  return spec;
}

// The whole program over a folder of three photos, the second one taken
// turned (orientation 6), listed and its first row selected.
struct World {
  lx::test::TempDir db{"lx-details-db"};
  lx::test::TempDir photos{"lx-details-trip"};
  lx::test::ScriptedPrompts prompts;
  CapturingLogSink log;
  ScopedLogSink attached{log};
  std::unique_ptr<CLorvexandrinApp> app;
  CMainFrame* frame = nullptr;
  CRenameFileView* list = nullptr;
  CSingleFileView* details = nullptr;

  World() {
    ResetSettings();
    for (int i = 1; i <= 3; ++i)
      lx::test::WritePhoto(Photo(i), CameraPhoto(i == 2 ? 6 : 1, "2022:08:0" + std::to_string(i) + " 09:30:00"));
    StartupOptions options;
    options.viewStepWaitMs = 0;
    options.splashCountdown = 1;
    options.prompts = &prompts;
    options.chooseDatabaseFolder = [this](std::string& folder) {
      folder = db.Path();
      return true;
    };
    app = std::make_unique<CLorvexandrinApp>(options);
    if (!app->InitInstance()) return;
    frame = app->MainFrame();
    frame->showClosingDialog = false;
    frame->resize(1400, 900);
    list = frame->RenameView()->RenameView();
    details = frame->DetailsView()->DetailsView();
    frame->FolderTree()->SetHomeFolder(QString::fromStdString(photos.Path()));
    frame->FolderTree()->Rebuild();
    frame->FolderTree()->SelectSource(frame->FolderTree()->topLevelItem(0));
  }
  ~World() {
    if (frame) frame->close();
  }
  std::string Photo(int i) const { return photos.File("DSC_000" + std::to_string(i) + ".jpg"); }
  bool Listed() {
    return QTest::qWaitFor([this] { return list->Model().RowCount() == 3 && list->CurrentRow == 0; });
  }
  void DoubleClick(int row) {
    QAbstractItemView* table = list->List();
    const QRect rect = table->visualRect(table->model()->index(row, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, rect.center());
  }
  int DetailsLines() const {
    int n = 0;
    for (const std::string& text : log.Texts()) n += text.rfind("View File Details: ", 0) == 0;
    return n;
  }
};

}  // namespace

class SingleFileViewTest : public QObject {
  Q_OBJECT

 private slots:
  // Double click opens the view on the row's file; the grid's first group
  // holds its two rows; the screenshot shows GPS and IPTC rows.
  void DoubleClickOpensTheRowsFile() {
    World w;
    QVERIFY(w.frame && w.details);
    QVERIFY(w.Listed());
    w.DoubleClick(2);
    QCOMPARE(w.frame->ActiveView(), static_cast<QWidget*>(w.frame->DetailsView()));
    QCOMPARE(w.frame->Ribbon()->ActiveCategory(), QStringLiteral("Photo Details"));
    QVERIFY(!w.frame->PreviewPane()->isVisible());
    QCOMPARE(w.details->CurrentFile(), w.Photo(3));
    QVERIFY(w.log.Contains("View File Details: " + w.Photo(3)));
    QCOMPARE(w.details->FileNameField()->text(), QStringLiteral("DSC_0003.jpg"));
    QCOMPARE(w.details->FilePathField()->text().toStdString(), w.photos.Slash());
    QCOMPARE(w.details->Picture()->CurrentFile(), w.Photo(3));

    const PropertyGrid& grid = w.details->Grid()->Model()->Grid();
    QCOMPARE(grid.size(), size_t(9));
    QCOMPARE(grid[0].title, std::string("Exif MetaData: Count and Size"));
    QCOMPARE(grid[0].rows.size(), size_t(2));
    QCOMPARE(grid[0].rows[0].name, std::string("Number of Exif MetaData"));
    QCOMPARE(grid[0].rows[1].name, std::string("Total Size of Exif MetaData"));
    QVERIFY(!grid[6].rows.empty());  // GPS
    QCOMPARE(grid[8].rows[0].name, std::string("Number of IPTC MetaData"));
    auto* model = w.details->Grid()->Model();
    QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Property"));
    QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Value"));

    // The description area follows the selected row.
    CMetaDataTree* tree = w.details->Grid()->Tree();
    tree->setCurrentIndex(model->index(0, 0, model->index(0, 0)));
    QVERIFY(w.details->Grid()->DescriptionArea()->text().contains("Specifies the Number of Exif MetaData"));
    // The column split follows the width.
    const double split = tree->Split();
    w.frame->resize(1800, 900);
    QApplication::processEvents();
    QVERIFY(std::abs(tree->columnWidth(0) - split * tree->viewport()->width()) <= 2);

    // Scrolled so that the GPS and IPTC groups are in the picture.
    w.frame->resize(1400, 900);
    QApplication::processEvents();
    tree->scrollTo(model->index(6, 0), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    SaveScreenshot(w.frame, "CSingleFileView_window");
    SaveScreenshot(w.details);
  }

  // Previous and next step through the list and stop at both ends; the keys do
  // the same; Escape closes the view and the list keeps its selection.
  void StepsStopAtBothEnds() {
    World w;
    QVERIFY(w.frame && w.details);
    QVERIFY(w.Listed());
    w.list->RunCommand(ID_VIEW_DETAIL);
    QCOMPARE(w.details->CurrentFile(), w.Photo(1));
    QVERIFY(!w.details->Command(ID_RIBBON_PREVIOUS_PHOTO)->isEnabled());
    QVERIFY(w.details->Command(ID_RIBBON_NEXT_PHOTO)->isEnabled());
    const int lines = w.DetailsLines();
    w.details->RunCommand(ID_RIBBON_PREVIOUS_PHOTO);
    QTest::keyClick(w.details, Qt::Key_Left);
    QCOMPARE(w.DetailsLines(), lines);
    QCOMPARE(w.details->CurrentFile(), w.Photo(1));

    w.details->RunCommand(ID_RIBBON_NEXT_PHOTO);
    QCOMPARE(w.details->CurrentFile(), w.Photo(2));
    QCOMPARE(w.list->CurrentRow, 1);
    QTest::keyClick(w.details->Grid()->Tree(), Qt::Key_PageDown);
    QCOMPARE(w.details->CurrentFile(), w.Photo(3));
    QVERIFY(!w.details->Command(ID_RIBBON_NEXT_PHOTO)->isEnabled());
    const int atEnd = w.DetailsLines();
    QTest::keyClick(w.details, Qt::Key_Right);
    w.details->RunCommand(ID_RIBBON_NEXT_PHOTO);
    QCOMPARE(w.DetailsLines(), atEnd);
    QCOMPARE(w.details->CurrentFile(), w.Photo(3));
    QTest::keyClick(w.details, Qt::Key_PageUp);
    QCOMPARE(w.details->CurrentFile(), w.Photo(2));

    QTest::keyClick(w.details, Qt::Key_Escape);
    QCOMPARE(w.frame->ActiveView(), static_cast<QWidget*>(w.frame->RenameView()));
    QCOMPARE(w.frame->Ribbon()->ActiveCategory(), QStringLiteral("Photo Rename"));
    QVERIFY(w.frame->PreviewPane()->isVisible());
    QCOMPARE(w.list->Model().SelectedRows(), std::vector<int>{1});
  }

  // Orientation 6: turned with the option on, as stored with it off; rotate
  // left from the turned picture gives code 0; the dialog sets the option.
  void RotationOptionAndCommands() {
    World w;
    QVERIFY(w.frame && w.details);
    QVERIFY(w.Listed());
    w.list->RunCommand(ID_RIBBON_RENAME_NEXT_PHOTO);
    w.list->RunCommand(ID_VIEW_DETAIL);
    QCOMPARE(w.details->CurrentFile(), w.Photo(2));
    CPictureBox* picture = w.details->Picture();
    QCOMPARE(picture->RenderedImage().size(), QSize(120, 160));
    QCOMPARE(picture->Transform(), TransformCode(4));
    w.details->RunCommand(ID_RIBBON_ROTATE_LEFT);
    QCOMPARE(picture->RenderedImage().size(), QSize(160, 120));
    QCOMPARE(picture->Transform(), TransformCode(0));
    // Each turn is painted before the next one, as on screen.
    w.details->RunCommand(ID_RIBBON_ROTATE_RIGHT);
    QCOMPARE(picture->RenderedImage().size(), QSize(120, 160));
    w.details->RunCommand(ID_RIBBON_ROTATE_RIGHT);
    QCOMPARE(picture->RenderedImage().size(), QSize(160, 120));
    QCOMPARE(picture->Transform(), TransformCode(8));

    // "Keep Orientation" shows it as stored, from a fresh transform.
    w.frame->Command(kCmdKeepOrientation)->trigger();
    QVERIFY(w.frame->Command(kCmdKeepOrientation)->isChecked());
    QVERIFY(!w.frame->Command(kCmdAutoRotate)->isChecked());
    QCOMPARE(picture->RenderedImage().size(), QSize(160, 120));
    QCOMPARE(picture->Transform(), TransformCode(0));

    // The dialog: its choice sets the option and shows the picture again.
    {
      ScopedModalHook answer([](QDialog& dialog) -> int {
        auto& rotation = static_cast<CUpdateImgRotationDlg&>(dialog);
        rotation.show();
        rotation.adjustSize();
        QApplication::processEvents();
        SaveScreenshot(&rotation);
        rotation.RotateButton()->setChecked(true);
        return QDialog::Accepted;
      });
      w.frame->RunCommand(kCmdRotateImageView);
    }
    QVERIFY(w.frame->AutoRotate());
    QVERIFY(w.frame->Command(kCmdAutoRotate)->isChecked());
    QCOMPARE(picture->RenderedImage().size(), QSize(120, 160));

    // Opened with the option off, the next photo shows as stored.
    w.frame->Command(kCmdKeepOrientation)->trigger();
    w.details->RunCommand(ID_RIBBON_CLOSE_DETAILS_VIEW);
    QCOMPARE(w.frame->ActiveView(), static_cast<QWidget*>(w.frame->RenameView()));
    w.list->RunCommand(ID_VIEW_DETAIL);
    QCOMPARE(w.details->CurrentFile(), w.Photo(2));
    QCOMPARE(picture->RenderedImage().size(), QSize(160, 120));
  }

  // The category tabs switch views both ways; the tab opens the selected photo.
  void CategoriesSwitchViews() {
    World w;
    QVERIFY(w.frame && w.details);
    QVERIFY(w.Listed());
    w.list->RunCommand(ID_RIBBON_RENAME_NEXT_PHOTO);
    w.frame->Ribbon()->ActivateCategory("Photo Details");
    QCOMPARE(w.frame->ActiveView(), static_cast<QWidget*>(w.frame->DetailsView()));
    QCOMPARE(w.details->CurrentFile(), w.Photo(2));
    QVERIFY(w.log.Contains("View File Details: " + w.Photo(2)));
    w.frame->Ribbon()->ActivateCategory("Photo Rename");
    QCOMPARE(w.frame->ActiveView(), static_cast<QWidget*>(w.frame->RenameView()));
    QVERIFY(w.frame->PreviewPane()->isVisible());
    QCOMPARE(w.list->CurrentRow, 1);
    // Without the preview flag the pane stays hidden on the way back.
    w.frame->RunCommand(kCmdImagePreview);
    w.frame->Ribbon()->ActivateCategory("Photo Details");
    QCOMPARE(w.frame->ActiveView(), static_cast<QWidget*>(w.frame->DetailsView()));
    w.frame->Ribbon()->ActivateCategory("Photo Rename");
    QVERIFY(!w.frame->PreviewPane()->isVisible());
  }

  // The clipboard receives the picture as stored (not turned) and the file's URL,
  // from the details view and from the rename view.
  void ClipboardHoldsTheStoredPicture() {
    World w;
    QVERIFY(w.frame && w.details);
    QVERIFY(w.Listed());
    w.list->RunCommand(ID_RIBBON_RENAME_NEXT_PHOTO);
    w.list->RunCommand(ID_VIEW_DETAIL);
    QCOMPARE(w.details->Picture()->RenderedImage().size(), QSize(120, 160));
    QApplication::clipboard()->clear();
    w.details->RunCommand(ID_RIBBON_COPY_CLIPBOARD);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasImage());
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), QSize(160, 120));
    QCOMPARE(data->urls().value(0).toLocalFile().toStdString(), w.Photo(2));

    w.details->RunCommand(ID_RIBBON_CLOSE_DETAILS_VIEW);
    QApplication::clipboard()->clear();
    w.list->RunCommand(ID_COPY_CLIPBOARD);
    data = QApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasImage());
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), QSize(160, 120));
  }

  // A file gone after listing: the view only repaints, no log line.
  void FileGoneOnlyRepaints() {
    World w;
    QVERIFY(w.frame && w.details);
    QVERIFY(w.Listed());
    w.list->RunCommand(ID_VIEW_DETAIL);
    QCOMPARE(w.details->CurrentFile(), w.Photo(1));
    w.details->RunCommand(ID_RIBBON_CLOSE_DETAILS_VIEW);
    std::filesystem::remove(w.Photo(1));
    const int lines = w.DetailsLines();
    w.frame->ShowDetailsView();
    QCOMPARE(w.DetailsLines(), lines);
  }

  // A device row opens through its temporary copy; the folder shown is the device's.
  void DeviceRowOpensThroughItsCopy() {
    const std::string devices = std::string(getenv("HOME")) + "/devices";
    lx::test::WritePhoto(devices + "/Camera/DCIM/IMG_0001.JPG", CameraPhoto(1, "2023:05:01 12:00:00"));
    World w;
    QVERIFY(w.frame && w.details);
    QVERIFY(w.Listed());
    std::string message;
    QVERIFY(SelectDeviceFolder(w.app->Engine(), DefaultPortableDeviceBackend(), "Camera/DCIM", message));
    w.list->SetReReadFolder(true);
    QVERIFY(w.list->RefreshList(RunList));
    QCOMPARE(w.list->Model().RowCount(), 1);
    QCOMPARE(w.list->CurrentRow, 0);
    // Selected, the row is previewed through its copy.
    const std::string tmp = std::string(getenv("TMPDIR")) + "/lx-device-";
    bool previewed = false;
    for (const std::string& text : w.log.Texts())
      previewed =
          previewed || (text.rfind("Preview File: " + tmp, 0) == 0 && text.find("/IMG_0001.JPG") != std::string::npos);
    QVERIFY(previewed);
    QCOMPARE(w.list->Preview()->Picture()->Source(), int(CPictureBox::SourceFile));
    w.DoubleClick(0);
    QCOMPARE(w.frame->ActiveView(), static_cast<QWidget*>(w.frame->DetailsView()));
    QVERIFY(w.details->CurrentFile().rfind(tmp, 0) == 0);
    QCOMPARE(w.details->FileNameField()->text(), QStringLiteral("IMG_0001.JPG"));
    QVERIFY(std::filesystem::exists(w.details->CurrentFile()));
    QCOMPARE(w.details->FilePathField()->text().toStdString(), w.app->Engine().sourcePath);
    QCOMPARE(w.details->Grid()->Model()->Grid()[1].rows.size(), size_t(2));  // Make and Model
    // The copy goes with the program.
    const std::string copy = w.details->CurrentFile();
    w.frame->close();
    w.frame = nullptr;
    w.app.reset();
    QVERIFY(!std::filesystem::exists(copy));
    QVERIFY(!std::filesystem::exists(std::filesystem::path(copy).parent_path()));
    std::filesystem::remove_all(devices);
  }
};

QObject* MakeSingleFileViewTest() { return new SingleFileViewTest; }

}  // namespace lx::gui::test

#include "single_file_view_test.moc"
