#include "common/image_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

namespace lx::gui {

bool CopyImageToClipboard(const std::string& path) {
  if (path.empty()) return false;
  const QString file = QString::fromStdString(path);
  QImageReader reader(file);
  reader.setAutoTransform(false);  // the picture goes as stored
  const QImage image = reader.read();
  if (image.isNull()) return false;
  auto* data = new QMimeData;
  data->setImageData(image);
  data->setUrls({QUrl::fromLocalFile(file)});
  QApplication::clipboard()->setMimeData(data);
  return true;
}

}  // namespace lx::gui
