#include "rename_view/thumbnails.h"

#include <turbojpeg.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>
#include <QPointer>
#include <QRunnable>
#include <QThread>
#include <algorithm>
#include <cstdio>

#include "base/log.h"
#include "imaging/exif_access.h"
#include "rename_view/picture_transform.h"

namespace lx::gui {

const char* const kThumbnailErrorRaw = "Error Getting ThumbNail !!! No ThumbNail Added ...";
const char* const kThumbnailErrorBitmap = "Error in GetHBitmap !!! No ThumbNail Added ...";

namespace {

// Twice the thumbnail side keeps the smooth downscale sharp.
constexpr int kDecodeMinSide = 2 * kThumbnailSize;

// One read of the whole file: photos are a few megabytes.
std::string ReadWholeFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {};
  std::string bytes;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0 && std::fseek(file, 0, SEEK_SET) == 0) {
      bytes.resize(static_cast<size_t>(size));
      bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
  }
  std::fclose(file);
  return bytes;
}

QImage DrawOnSquare(const QImage& picture, QRgb background, bool keepAspect) {
  QImage square(kThumbnailSize, kThumbnailSize, QImage::Format_RGB32);
  square.fill(background);
  if (picture.isNull()) return square;
  const QSize size =
      keepAspect ? ThumbnailDrawSize(picture.width(), picture.height()) : QSize(kThumbnailSize, kThumbnailSize);
  QPainter painter(&square);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRect target((kThumbnailSize - size.width()) / 2, (kThumbnailSize - size.height()) / 2, size.width(),
                     size.height());
  painter.drawImage(target, picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return square;
}

}  // namespace

QImage DecodeJpegScaled(const std::string& bytes, int minSide) {
  if (bytes.size() < 4) return {};
  tjhandle handle = tjInitDecompress();
  if (handle == nullptr) return {};
  auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto size = static_cast<unsigned long>(bytes.size());
  int width = 0, height = 0, subsamp = 0, colorspace = 0;
  QImage image;
  if (tjDecompressHeader3(handle, data, size, &width, &height, &subsamp, &colorspace) == 0 && width > 0 && height > 0) {
    int count = 0;
    tjscalingfactor* factors = tjGetScalingFactors(&count);
    int bestW = width, bestH = height;
    for (int i = 0; i < count; ++i) {
      const int w = TJSCALED(width, factors[i]);
      const int h = TJSCALED(height, factors[i]);
      if (std::min(w, h) >= std::min(minSide, std::min(width, height)) && w * h < bestW * bestH) {
        bestW = w;
        bestH = h;
      }
    }
    image = QImage(bestW, bestH, QImage::Format_RGB888);
    if (tjDecompress2(handle, data, size, image.bits(), bestW, static_cast<int>(image.bytesPerLine()), bestH, TJPF_RGB,
                      TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE) != 0 &&
        tjGetErrorCode(handle) == TJERR_FATAL)
      image = QImage();
  }
  tjDestroy(handle);
  return image;
}

QImage MakeThumbnailImage(const ThumbnailJob& job) {
  if (job.mode == ThumbnailRaw) {
    if (job.embedded.empty()) return {};
    QImage small = DecodeJpegScaled(job.embedded, kThumbnailSize);
    if (small.isNull()) small = QImage::fromData(QByteArray::fromRawData(job.embedded.data(), job.embedded.size()));
    if (small.isNull()) return {};
    // The embedded thumbnail goes as stored: no orientation.
    return DrawOnSquare(small, 0xFF000000, true);
  }
  if (job.mode != ThumbnailHighRes) return {};
  const std::string bytes = ReadWholeFile(job.path);
  QImage picture = DecodeJpegScaled(bytes, kDecodeMinSide);
  if (picture.isNull()) {
    // Not a JPEG: let Qt's readers scale what they can.
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const QSize full = reader.size();
    if (full.isValid() && std::min(full.width(), full.height()) > kDecodeMinSide)
      reader.setScaledSize(full.scaled(kDecodeMinSide, kDecodeMinSide, Qt::KeepAspectRatioByExpanding));
    picture = reader.read();
  }
  if (picture.isNull()) return {};
  picture = ApplyTransform(picture, job.orientation);
  return DrawOnSquare(picture, kThumbnailBackground, true);
}

ThumbnailMaker::ThumbnailMaker(QObject* parent) : QObject(parent), generation_(std::make_shared<std::atomic<int>>(0)) {
  pool_.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
}

ThumbnailMaker::~ThumbnailMaker() {
  ++*generation_;
  pool_.clear();
  pool_.waitForDone();
}

void ThumbnailMaker::Submit(ThumbnailJob job) {
  const int generation = *generation_;
  auto token = generation_;
  QPointer<ThumbnailMaker> self(this);
  ++pending_;
  pool_.start([self, token, generation, job = std::move(job)]() {
    if (*token != generation) return;
    QImage image = MakeThumbnailImage(job);
    if (*token != generation) return;
    const QString path = QString::fromStdString(job.path);
    const int mode = job.mode;
    QMetaObject::invokeMethod(
        self.data(),
        [self, generation, path, image, mode]() {
          if (self) self->Deliver(generation, path, image, mode);
        },
        Qt::QueuedConnection);
  });
}

void ThumbnailMaker::Deliver(int generation, const QString& path, const QImage& image, int mode) {
  if (generation != *generation_) return;
  if (pending_ > 0) --pending_;
  if (image.isNull()) {
    LogMessage(mode == ThumbnailRaw ? kThumbnailErrorRaw : kThumbnailErrorBitmap);
    return;
  }
  images_.insert(path, image);
  emit ThumbnailReady(path);
}

void ThumbnailMaker::Rename(const QString& from, const QString& to) {
  if (from == to || !images_.contains(from)) return;
  images_.insert(to, images_.take(from));
}

void ThumbnailMaker::Clear() {
  ++*generation_;
  pool_.clear();
  pending_ = 0;
  images_.clear();
}

void ThumbnailMaker::WaitForAll() {
  pool_.waitForDone();
  QCoreApplication::sendPostedEvents(this);
}

}  // namespace lx::gui
