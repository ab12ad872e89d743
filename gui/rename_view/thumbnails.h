// The list's 75 x 75 thumbnails: the embedded Exif thumbnail (mode 1) or the
// picture itself decoded at reduced scale with its orientation applied (mode 2),
// made on worker threads so that listing a folder stays fast.
#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <memory>
#include <string>

namespace lx::gui {

enum ThumbnailMode : int { ThumbnailNone = 0, ThumbnailRaw = 1, ThumbnailHighRes = 2 };

struct ThumbnailJob {
  std::string path;
  int mode = ThumbnailHighRes;
  int orientation = 0;   // the row's transform code (mode 2)
  std::string embedded;  // bytes of the Exif thumbnail (mode 1)
};

// Decodes JPEG bytes with the decoder's own scaling, to the smallest size whose
// shorter side is still at least minSide; null when the bytes are not a JPEG.
QImage DecodeJpegScaled(const std::string& bytes, int minSide);

// Makes one thumbnail; null when there is nothing to show (the caller logs).
// Safe on any thread.
QImage MakeThumbnailImage(const ThumbnailJob& job);

extern const char* const kThumbnailErrorRaw;     // "Error Getting ThumbNail !!! No ThumbNail Added ..."
extern const char* const kThumbnailErrorBitmap;  // "Error in GetHBitmap !!! No ThumbNail Added ..."

// Runs thumbnail jobs on the worker pool and hands the results back on the
// thread that owns this object, keyed by file path (rows may be sorted meanwhile).
class ThumbnailMaker : public QObject {
  Q_OBJECT

 public:
  explicit ThumbnailMaker(QObject* parent = nullptr);
  ~ThumbnailMaker() override;

  void Submit(ThumbnailJob job);
  // Drops every pending job and forgets the thumbnails made so far.
  void Clear();
  // Blocks until the submitted jobs are done and delivers their results.
  void WaitForAll();
  int Pending() const { return pending_; }

  QImage Thumbnail(const QString& path) const { return images_.value(path); }
  // A renamed file keeps its thumbnail.
  void Rename(const QString& from, const QString& to);
  int Count() const { return static_cast<int>(images_.size()); }

 signals:
  void ThumbnailReady(const QString& path);

 private:
  void Deliver(int generation, const QString& path, const QImage& image, int mode);

  QThreadPool pool_;
  QHash<QString, QImage> images_;
  std::shared_ptr<std::atomic<int>> generation_;
  int pending_ = 0;
};

}  // namespace lx::gui
