#include "rename_view/picture_transform.h"

#include <QTransform>

namespace lx::gui {

QImage ApplyTransform(const QImage& image, TransformCode code) {
  if (code < 0 || code > 15 || image.isNull()) return image;
  QImage out = image;
  const int turns = (code >> 2) & 3;
  if (turns != 0) out = out.transformed(QTransform().rotate(90.0 * turns));
  switch (code & 3) {
    case 1:
      out = out.mirrored(true, false);
      break;
    case 2:
      out = out.mirrored(true, true);
      break;
    case 3:
      out = out.mirrored(false, true);
      break;
    default:
      break;
  }
  return out;
}

QRect FitPictureRect(int w, int h, int clientWidth, int clientHeight) {
  const double r = w == 0 ? 1.0 : static_cast<double>(h) / w;
  double height = clientHeight - 4;
  double width = height / r;
  if (width >= clientWidth) {
    width = clientWidth - 4;
    height = width * r;
  }
  const int iw = static_cast<int>(width);
  const int ih = static_cast<int>(height);
  return QRect((clientWidth - iw) / 2, (clientHeight - ih) / 2, iw, ih);
}

QSize ThumbnailDrawSize(int w, int h) {
  if (w == 0) return QSize(kThumbnailSize, kThumbnailSize);
  const double r = static_cast<double>(h) / w;
  int width = static_cast<int>(kThumbnailSize / r);
  int height = kThumbnailSize;
  if (width > kThumbnailSize - 1) {
    width = kThumbnailSize;
    height = static_cast<int>(r * kThumbnailSize);
  }
  return QSize(width, height);
}

}  // namespace lx::gui
