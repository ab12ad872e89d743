// The picture box, the preview pane's rotations and fitting, and the list thumbnails.
#include <QDir>
#include <QPainter>
#include <QtTest>

#include <QTableWidget>
#include <QToolButton>
#include "base/log.h"
#include "photo_factory.h"

#include "gui_tests.h"
#include "rename_view/picture_box.h"
#include "rename_view/picture_transform.h"
#include "rename_view/thumbnails.h"
#include "temp_dir.h"

namespace lx::gui::test {

namespace {

bool IsGrey(QRgb pixel) {
  return qAbs(qRed(pixel) - 0xC6) < 6 && qAbs(qGreen(pixel) - 0xC6) < 6 && qAbs(qBlue(pixel) - 0xC6) < 6;
}

}  // namespace

class PictureTest : public QObject {
  Q_OBJECT

 private slots:
  void Geometry() {
    // A 4000 x 3000 picture in a 400 x 300 client area: height 296, width 394, centred.
    QCOMPARE(FitPictureRect(4000, 3000, 400, 300), QRect(3, 2, 394, 296));
    // Too wide for the height rule: the width fills instead.
    QCOMPARE(FitPictureRect(4000, 1000, 400, 300), QRect(2, 100, 396, 99));
    QCOMPARE(ThumbnailDrawSize(3000, 4000), QSize(56, 75));
    QCOMPARE(ThumbnailDrawSize(4000, 3000), QSize(75, 56));
    QCOMPARE(ThumbnailDrawSize(0, 10), QSize(75, 75));
    QImage wide(4, 2, QImage::Format_RGB32);
    wide.fill(Qt::black);
    wide.setPixel(0, 0, qRgb(255, 0, 0));
    const QImage turned = ApplyTransform(wide, 4);  // a quarter turn clockwise
    QCOMPARE(turned.size(), QSize(2, 4));
    QCOMPARE(turned.pixel(1, 0), qRgb(255, 0, 0));
    QCOMPARE(ApplyTransform(wide, 1).pixel(3, 0), qRgb(255, 0, 0));  // mirrored left-right
  }

  void OrientationAndRotateCommands() {
    lx::test::TempDir dir;
    const std::string six = dir.File("six.jpg");
    const std::string two = dir.File("two.jpg");
    lx::test::WritePhoto(six, {.width = 80, .height = 60, .orientation = 6});
    lx::test::WritePhoto(two, {.width = 80, .height = 60, .orientation = 2});
    CPictureBox box;
    box.resize(200, 200);

    QVERIFY(box.SetPicture(six, kPictureExifOrientation, 2, true));
    QCOMPARE(box.RenderedImage().size(), QSize(60, 80));
    QCOMPARE(box.Transform(), 4);
    QCOMPARE(QString::fromStdString(box.TransformText()), QString("Rotation by 90 Degrees"));
    QCOMPARE(box.PendingCommand(), 0);
    // Rotate left once: back to the picture as stored.
    QVERIFY(box.SetPicture(kPictureBoxCurrentFile, kPictureRotateLeft, 2, false));
    QCOMPARE(box.RenderedImage().size(), QSize(80, 60));
    QCOMPARE(box.Transform(), 0);
    // Rotations accumulate until a reset.
    for (int i = 0; i < 2; ++i) {
      box.SetPicture(kPictureBoxCurrentFile, kPictureRotateRight, 2, false);
      box.RenderedImage();
    }
    QCOMPARE(box.Transform(), 8);
    // Keep orientation: shown as stored.
    QVERIFY(box.SetPicture(six, 0, 2, true));
    QCOMPARE(box.RenderedImage().size(), QSize(80, 60));
    // A mirrored orientation is not taken in the preview.
    QVERIFY(box.SetPicture(two, kPictureExifOrientation, 2, true));
    box.RenderedImage();
    QCOMPARE(box.Transform(), 0);
  }

  void FittedPaintAndMissingFile() {
    lx::test::TempDir dir;
    const std::string photo = dir.File("wide.jpg");
    lx::test::WritePhoto(photo, {.width = 800, .height = 600});
    CPictureBox box;
    box.resize(400, 300);
    QVERIFY(box.SetPicture(photo, 0, 2, true));
    box.grab();
    QCOMPARE(box.DrawnRect(), QRect(3, 2, 394, 296));
    const std::string copy = box.TempCopy();
    QVERIFY(QFile::exists(QString::fromStdString(copy)));

    CapturingLogSink log;
    ScopedLogSink attached(log);
    QVERIFY(!box.SetPicture(dir.File("gone.jpg"), 0, 2, true));
    QVERIFY(log.Contains("Unable to Copy Picture to Temporary File: "));
    QCOMPARE(box.CurrentFile(), photo);  // the previous picture stays
    QCOMPARE(box.TempCopy(), copy);
    QVERIFY(box.DeleteTempCopy());
    QVERIFY(!QFile::exists(QString::fromStdString(copy)));
    QCOMPARE(box.TempCopy(), std::string("Undefined"));
  }

  void PreviewPane() {
    lx::test::TempDir dir;
    const std::string photo = dir.File("p.jpg");
    lx::test::WritePhoto(photo, {.width = 120, .height = 90, .orientation = 6});
    CDockablePreview preview;
    preview.resize(300, 500);
    QVERIFY(preview.ShowFile(photo, kPictureExifOrientation, 2, 0, 0, 0));
    QVERIFY(preview.Attributes()->rowCount() > 0);
    preview.Picture()->RenderedImage();
    preview.RotateRightButton()->click();
    preview.Picture()->RenderedImage();
    QCOMPARE(preview.Picture()->Transform(), 8);
    preview.show();
    SaveScreenshot(&preview, "rename_view_preview_pane");
    preview.ResetPreview();
    QCOMPARE(preview.Picture()->Source(), int(CPictureBox::SourceResource));
    QCOMPARE(preview.Attributes()->rowCount(), 0);
  }

  void Thumbnails() {
    lx::test::TempDir dir;
    const std::string portrait = dir.File("portrait.jpg");
    const std::string turned = dir.File("turned.jpg");
    const std::string withThumb = dir.File("thumb.jpg");
    lx::test::WritePhoto(portrait, {.width = 300, .height = 400});
    lx::test::WritePhoto(turned, {.width = 400, .height = 300, .orientation = 6});
    lx::test::WritePhoto(withThumb, {.width = 200, .height = 150, .embedThumbnail = true});

    // Portrait: about 56 x 75 centred on the grey square.
    QImage image = MakeThumbnailImage({portrait, ThumbnailHighRes, 0, {}});
    QCOMPARE(image.size(), QSize(75, 75));
    QVERIFY(IsGrey(image.pixel(2, 37)));
    QVERIFY(IsGrey(image.pixel(72, 37)));
    QVERIFY(!IsGrey(image.pixel(37, 37)) || !IsGrey(image.pixel(37, 5)));
    QVERIFY(!IsGrey(image.pixel(12, 37)));
    // Orientation 6 turns the landscape picture upright: grey bands left and right.
    image = MakeThumbnailImage({turned, ThumbnailHighRes, ExifOrientationToTransform(6), {}});
    QVERIFY(IsGrey(image.pixel(2, 37)));
    QVERIFY(!IsGrey(image.pixel(37, 2)));

    const OpenedPhoto opened = OpenPhoto(withThumb);
    const std::string embedded = EmbeddedThumbnail(opened);
    QVERIFY(!embedded.empty());
    QVERIFY(!MakeThumbnailImage({withThumb, ThumbnailRaw, 1, embedded}).isNull());
    QVERIFY(MakeThumbnailImage({portrait, ThumbnailRaw, 1, {}}).isNull());
    QVERIFY(MakeThumbnailImage({dir.File("none.jpg"), ThumbnailHighRes, 1, {}}).isNull());

    // The decoder's own scaling: never more than needed, never under the asked side.
    const QImage scaled = DecodeJpegScaled(lx::test::MakeJpegBytes(1600, 1200), 150);
    QCOMPARE(scaled.size(), QSize(200, 150));
  }
};

QObject* MakePictureTest() { return new PictureTest; }

}  // namespace lx::gui::test

#include "picture_test.moc"
