#include "online/video_help.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "storage/settings_store.h"

namespace lx {

const char* const kVideoDataSignature = "Quorin - Lorvexandrin - archived-mask";
const char* const kVideoDataWebPath = "/applications/lorvexandrin/visualhelp/Lorvexandrin.lxd";
const char* const kVideoWebFolder = "/applications/lorvexandrin/visualhelp/";

namespace {

constexpr size_t kDataFileReadLimit = 1 << 20;
constexpr std::uint64_t kVideoMaxBytes = 512ull << 20;

// Reads the little-endian archive stream; every read checks what is left.
class ArchiveReader {
 public:
  explicit ArchiveReader(const std::string& bytes) : bytes_(bytes) {}

  bool ReadU8(std::uint8_t& v) {
    if (pos_ + 1 > bytes_.size()) return false;
    v = static_cast<std::uint8_t>(bytes_[pos_++]);
    return true;
  }
  bool ReadU16(std::uint16_t& v) {
    if (pos_ + 2 > bytes_.size()) return false;
    v = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
    pos_ += 2;
    return true;
  }
  bool ReadU32(std::uint32_t& v) {
    if (pos_ + 4 > bytes_.size()) return false;
    v = Byte(0) | (Byte(1) << 8) | (Byte(2) << 16) | (Byte(3) << 24);
    pos_ += 4;
    return true;
  }
  // Length prefix: one byte below 255, else 0xFF and 16 bits, else 0xFF, 0xFFFF and 32 bits.
  bool ReadString(std::string& text) {
    std::uint8_t b = 0;
    if (!ReadU8(b)) return false;
    std::uint32_t length = b;
    if (b == 0xFF) {
      std::uint16_t w = 0;
      if (!ReadU16(w)) return false;
      length = w;
      if (w == 0xFFFF && !ReadU32(length)) return false;
    }
    if (length > bytes_.size() - pos_) return false;
    text.assign(bytes_, pos_, length);
    pos_ += length;
    return true;
  }

 private:
  std::uint32_t Byte(size_t i) const { return static_cast<std::uint8_t>(bytes_[pos_ + i]); }
  const std::string& bytes_;
  size_t pos_ = 0;
};

void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutString(std::string& out, const std::string& text) {
  size_t n = text.size();
  if (n < 255) {
    out += static_cast<char>(n);
  } else if (n < 0xFFFF) {
    out += '\xFF';
    out += static_cast<char>(n & 0xFF);
    out += static_cast<char>((n >> 8) & 0xFF);
  } else {
    out += "\xFF\xFF\xFF";
    PutU32(out, static_cast<std::uint32_t>(n));
  }
  out += text;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.clear();
  char buffer[8192];
  while (in && bytes.size() < kDataFileReadLimit) {
    in.read(buffer, sizeof buffer);
    bytes.append(buffer, static_cast<size_t>(in.gcount()));
  }
  return true;
}

// Replaces the file in one step, so that a reader never sees half of it.
bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  PathParts parts = SplitPath(path);
  if (!parts.dir.empty() && !FolderExists(parts.dir) && CreateFolderTree(parts.dir) != 0) return false;
  std::string temp = path + ".part";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  bool ok = done == bytes.size() && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && rename(temp.c_str(), path.c_str()) == 0) return true;
  unlink(temp.c_str());
  return false;
}

TimeT Now(const VideoHelpOptions& options) { return options.now ? options.now() : NowSeconds(); }

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name[0] != '.' && name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

std::string EscapeUrlPiece(const std::string& text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
        c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

}  // namespace

std::string VideoTable::GetVHFName(int index) const {
  if (index < 0 || index >= kMaxVideoEntries || static_cast<size_t>(index) >= entries.size())
    return "Illegal VHF Index";
  return entries[static_cast<size_t>(index)].name;
}

int VideoTable::GetVHFSize(int index) const {
  if (index < 0 || index >= kMaxVideoEntries || static_cast<size_t>(index) >= entries.size()) return -1;
  return entries[static_cast<size_t>(index)].size;
}

int VideoTable::FindSize(const std::string& name) const {
  for (const auto& entry : entries)
    if (entry.name == name) return entry.size;
  return -1;
}

VideoTable& ProgramVideoTable() {
  static VideoTable table;
  return table;
}

VideoDataStatus ParseVideoFileData(const std::string& bytes, VideoTable& table) {
  table.Clear();
  ArchiveReader reader(bytes);
  std::string signature;
  if (!reader.ReadString(signature) || signature != kVideoDataSignature) return VideoDataStatus::BadSignature;
  std::uint32_t ignored = 0, count = 0;
  if (!reader.ReadU32(ignored) || !reader.ReadU32(count)) return VideoDataStatus::Damaged;
  int signedCount = static_cast<std::int32_t>(count);
  if (signedCount < 0) return VideoDataStatus::Damaged;
  VideoTable read;
  read.count = signedCount;
  for (int i = 0; i < signedCount; ++i) {
    VideoEntry entry;
    std::uint32_t size = 0;
    if (!reader.ReadString(entry.name) || !reader.ReadU32(size)) return VideoDataStatus::Damaged;
    entry.size = static_cast<std::int32_t>(size);
    if (i < kMaxVideoEntries) read.entries.push_back(std::move(entry));
  }
  table = std::move(read);
  return VideoDataStatus::Ok;
}

std::string BuildVideoFileData(const std::vector<VideoEntry>& entries, int count) {
  std::string out;
  PutString(out, kVideoDataSignature);
  PutU32(out, 0);
  PutU32(out, static_cast<std::uint32_t>(count));
  for (const auto& entry : entries) {
    PutString(out, entry.name);
    PutU32(out, static_cast<std::uint32_t>(entry.size));
  }
  return out;
}

std::string BuildVideoFileData(const std::vector<VideoEntry>& entries) {
  return BuildVideoFileData(entries, static_cast<int>(entries.size()));
}

bool LoadVideoFileData(const std::string& path, VideoTable& table, Prompts* prompts) {
  table.Clear();
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  VideoDataStatus status = ParseVideoFileData(bytes, table);
  if (status == VideoDataStatus::Ok) return true;
  // A half-read table would be misleading: nothing is kept.
  table.Clear();
  if (prompts) {
    if (status == VideoDataStatus::BadSignature)
      prompts->ShowWarning("Invalid Signature of Lorvexandrin Video Data File !!! Unable to Load Data ...", kAppTitle);
    else
      prompts->ShowWarning("Damaged Lorvexandrin Video Data File !!! Unable to Load Data ...", kAppTitle);
  }
  return false;
}

std::string VideoDataFilePath(const SettingsStore& settings) {
  std::string path = Trim(settings.GetText(setting::kLXDataFilePath));
  if (!path.empty()) return path;
  return JoinPath(JoinPath(DataHome(), "Quorin Lorvexandrin"), "Lorvexandrin.lxd");
}

std::string VideoCacheFolder(const std::string& dataFilePath) { return SplitPath(dataFilePath).dir + "VisualHelp/"; }

bool RefreshVideoData(SettingsStore& settings, VideoTable& table, Prompts* prompts, const VideoHelpOptions& options) {
  std::string path = VideoDataFilePath(settings);
  LoadVideoFileData(path, table, prompts);

  TimeT now = Now(options);
  std::int32_t last = static_cast<std::int32_t>(settings.FindNumber(setting::kLastGetVideoDataTime).value_or(0));
  if (static_cast<std::int64_t>(static_cast<std::int32_t>(now)) - last < kVideoDataInterval) return false;

  std::string site = Trim(settings.GetText(setting::kWebSiteUrl));
  if (site.empty()) {
    LogMessage("Visual Help Files Not Available: the Web Site Address is Not Configured (Setting \"WebSiteUrl\") ...");
    return false;
  }

  HttpOptions http = options.http;
  // One more byte than allowed tells a file that is too long from one that just fits.
  http.maxBytes = kVideoDataMaxBytes + 1;
  std::string body;
  HttpResult result = HttpFetchText(JoinUrl(site, kVideoDataWebPath), http, body);
  if (result.initFailed) {
    if (prompts)
      prompts->ShowMessage(
          "Internal error in CLoadVideoFileData::LoadVideoFileData() !!! Please Contact Quorin for Bug Report",
          kAppTitle);
    return false;
  }
  // The local copy is replaced only by a complete, well-formed file: an error
  // page, a cut transfer or a foreign file would otherwise destroy a good one.
  if (result.opened && result.status == 200 && result.error == 0 && !body.empty() &&
      body.size() <= kVideoDataMaxBytes) {
    VideoTable check;
    if (ParseVideoFileData(body, check) == VideoDataStatus::Ok) {
      if (!WriteFileAtomically(path, body))
        LogMessage(
            StrFormat("Unable to Write Visual Help Data File %s%s", path.c_str(), FormatSystemError(errno).c_str()));
    } else {
      LogMessage("Invalid Visual Help Data File Received from Web Site. Local File Kept ...");
    }
  }
  settings.SetNumber(setting::kLastGetVideoDataTime, static_cast<std::uint32_t>(now));
  return LoadVideoFileData(path, table, prompts);
}

bool IsVideoCached(const VideoTable& table, const std::string& cacheFolder, const std::string& name) {
  if (!IsPlainFileName(name)) return false;
  struct stat st {};
  if (stat(JoinPath(cacheFolder, name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  for (const auto& entry : table.entries)
    if (entry.name == name) return static_cast<long long>(entry.size) == static_cast<long long>(st.st_size);
  return false;
}

std::string VideoProgressText(std::uint64_t loaded, std::int64_t total) {
  if (total < 0) return StrFormat("%llu bytes Loaded", static_cast<unsigned long long>(loaded));
  return StrFormat("%llu bytes on %lld bytes Loaded", static_cast<unsigned long long>(loaded),
                   static_cast<long long>(total));
}

bool DownloadVideo(const SettingsStore& settings, const VideoTable& table, const std::string& name, Prompts* prompts,
                   const HttpProgress& progress, const HttpOptions& http, std::string& cachePath) {
  auto show = [&](const std::string& text) {
    if (prompts) prompts->ShowMessage(text, kAppTitle);
  };
  std::string site = Trim(settings.GetText(setting::kWebSiteUrl));
  if (site.empty()) {
    show("Visual Help Files Not Available: the Web Site Address is Not Configured (Setting \"WebSiteUrl\") ...");
    return false;
  }
  if (!IsPlainFileName(name)) {
    show(StrFormat("Invalid Visual Help File Name %s !!!", name.c_str()));
    return false;
  }
  std::string folder = VideoCacheFolder(VideoDataFilePath(settings));
  cachePath = JoinPath(folder, name);
  LogMessage(StrFormat("File %s Not in Local Cache. Loading File from Web Site %s...", name.c_str(),
                       UrlHostName(site).c_str()));

  std::string url = JoinUrl(site, std::string(kVideoWebFolder) + EscapeUrlPiece(name));
  int fd = -1;
  int fileError = 0;
  auto openFile = [&]() {
    if (!FolderExists(folder)) CreateFolderTree(folder);
    fd = open(cachePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) fileError = errno;
    return fd >= 0;
  };
  HttpOptions options = http;
  if (options.maxBytes == 0) options.maxBytes = kVideoMaxBytes;
  std::int64_t expected = table.FindSize(name);
  HttpResult result = HttpFetch(
      url, options,
      [&](long status, const char* data, size_t size) {
        if (status != 200) return true;  // an error page is read and dropped
        if (fd < 0 && (fileError != 0 || !openFile())) return false;
        while (size > 0) {
          ssize_t n = write(fd, data, size);
          if (n < 0 && errno == EINTR) continue;
          if (n <= 0) {
            fileError = errno ? errno : EIO;
            return false;
          }
          data += n;
          size -= static_cast<size_t>(n);
        }
        return true;
      },
      [&](std::uint64_t loaded, std::int64_t total) {
        if (progress) progress(loaded, total >= 0 ? total : expected);
      });

  if (result.initFailed) {
    show("Internal error in GetURLHandle !!! Please Contact Quorin for Bug Report");
    return false;
  }
  if (!result.opened) {
    show(StrFormat("Error Opening Internet File %s - Error: %d - Reason: %s", url.c_str(), result.error,
                   result.errorText.c_str()));
    return false;
  }
  if (result.status != 200) {
    switch (result.status) {
      case 401:
        show("Not Authorized to Download Visual Help File - Error 401 - Please Contact Quorin");
        break;
      case 404:
        show("No Such Visual Help File - Error 404 - Please Contact Quorin");
        break;
      case 500:
        show("Internal Server Error - Error 500 - Please Contact Quorin");
        break;
      default:
        show("Unhandled Error in GetInternetHandle - Please Contact Quorin");
        break;
    }
    return false;
  }
  if (fd < 0 && fileError == 0) openFile();  // an empty video still makes its file
  if (fd < 0 || fileError != 0) {
    if (fd >= 0) close(fd);
    show(StrFormat("Error Creating Local Cache File %s%s", cachePath.c_str(), FormatSystemError(fileError).c_str()));
    return false;
  }
  bool closed = close(fd) == 0;
  if (result.error != 0 || result.tooLarge || !closed) {
    show(StrFormat("Error Loading Internet File %s - Error: %d - Reason: %s", url.c_str(), result.error,
                   result.tooLarge ? "File too large" : result.errorText.c_str()));
    return false;
  }
  return true;
}

MailText ComposeVideoRequestMail(const std::string& firstName, const std::string& lastName, const std::string& email,
                                 const std::string& videoName, TimeT now) {
  const std::string application = std::string("Quorin ") + kAppTitle;
  MailText mail;
  mail.subject = StrFormat("%s - Request VH File: %s", application.c_str(), videoName.c_str());
  auto local = ToLocal(now).value_or(LocalFields{});
  std::string date = StrFormat("%04d-%02d-%02d", local.year, local.month, local.day);
  std::string time = StrFormat("%02d:%02d:%02d", local.hour, local.minute, local.second);
  const char* sep = "\r\n";
  mail.body = StrFormat("Quorin VHF Request%sDate of Mail: %s %s%sFrom: %s %s%sMail: %s%sApplication: %s%sVHF: %s%s",
                        sep, date.c_str(), time.c_str(), sep, firstName.c_str(), lastName.c_str(), sep, email.c_str(),
                        sep, kAppTitle, sep, videoName.c_str(), sep);
  return mail;
}

}  // namespace lx
