// Help videos: the data file listing the videos of the web site with their
// sizes, its daily refresh, the local cache beside it, the download of a
// missing video and the text of the mail that asks for a video not made yet.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "online/http_fetch.h"
#include "platform/times.h"

namespace lx {

class Prompts;
class SettingsStore;

extern const char* const kVideoDataSignature;  // "Quorin - Lorvexandrin - archived-mask"
constexpr int kMaxVideoEntries = 100;
constexpr TimeT kVideoDataInterval = 86400;  // one day
constexpr size_t kVideoDataMaxBytes = 20000;
extern const char* const kVideoDataWebPath;  // "/applications/lorvexandrin/visualhelp/Lorvexandrin.lxd"
extern const char* const kVideoWebFolder;    // "/applications/lorvexandrin/visualhelp/"

struct VideoEntry {
  std::string name;
  std::int32_t size = 0;
};

// The videos of the web site: the count as the file gives it, and its first 100 entries.
class VideoTable {
 public:
  int count = 0;
  std::vector<VideoEntry> entries;

  std::string GetVHFName(int index) const;      // "Illegal VHF Index" from 100 on
  int GetVHFSize(int index) const;              // -1 from 100 on
  int FindSize(const std::string& name) const;  // -1 when the name is not listed
  void Clear() {
    count = 0;
    entries.clear();
  }
};

// The program's one table, filled at start-up.
VideoTable& ProgramVideoTable();

enum class VideoDataStatus { Ok, BadSignature, Damaged };

// Reads the archive bytes of a data file into the table (emptied first).
VideoDataStatus ParseVideoFileData(const std::string& bytes, VideoTable& table);
// The archive bytes of a data file; count is written as given.
std::string BuildVideoFileData(const std::vector<VideoEntry>& entries, int count);
std::string BuildVideoFileData(const std::vector<VideoEntry>& entries);

// Reads the data file into the table. False without a message when the file
// cannot be opened; false with a warning when its signature is foreign or it is damaged.
bool LoadVideoFileData(const std::string& path, VideoTable& table, Prompts* prompts);

// The data file's path: "LXDataFilePath", or Lorvexandrin.lxd in the program's data folder when unset.
std::string VideoDataFilePath(const SettingsStore& settings);
// The cache folder beside the data file, with its trailing "/".
std::string VideoCacheFolder(const std::string& dataFilePath);

struct VideoHelpOptions {
  HttpOptions http;
  std::function<TimeT()> now;  // the clock when empty
};

// Loads the local data file and, at most once a day, fetches a new copy from
// the web site and loads that. Returns the result of the last load, false when
// no fetch was due.
bool RefreshVideoData(SettingsStore& settings, VideoTable& table, Prompts* prompts,
                      const VideoHelpOptions& options = {});

// True when the cache holds the video with the size the table lists for it.
bool IsVideoCached(const VideoTable& table, const std::string& cacheFolder, const std::string& name);

// "%d bytes Loaded", or "%d bytes on %d bytes Loaded" when the size is known.
std::string VideoProgressText(std::uint64_t loaded, std::int64_t total);

// Downloads a video into the cache. Messages go to the prompts, the start to
// the log. A failed or interrupted download returns false; a partial file
// left behind does not match the listed size, so the next use fetches it again.
bool DownloadVideo(const SettingsStore& settings, const VideoTable& table, const std::string& name, Prompts* prompts,
                   const HttpProgress& progress, const HttpOptions& http, std::string& cachePath);

struct MailText {
  std::string subject;
  std::string body;
};

// The mail that asks for a missing help video.
MailText ComposeVideoRequestMail(const std::string& firstName, const std::string& lastName, const std::string& email,
                                 const std::string& videoName, TimeT now);

}  // namespace lx
