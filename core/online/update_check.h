// The check for a newer release: at most once every 28 days (unless forced),
// one small version file "major|minor|build|text" fetched over HTTP and
// compared with the program's own version.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "online/http_fetch.h"
#include "platform/times.h"

namespace lx {

class Prompts;
class SettingsStore;

constexpr int kUpdateUrlResource = 101;
constexpr std::uint32_t kCurrentVersionMarker = 41;
constexpr TimeT kUpdateCheckInterval = 2419200;  // 28 days
constexpr size_t kVersionFileMaxBytes = 511;

// The version file's fields, read with the C atoi rules.
struct VersionFileData {
  std::uint32_t high = 0;  // major << 16 | minor
  std::uint32_t low = 0;   // build << 16
  std::string text;        // fourth field
};
VersionFileData ParseVersionFile(const std::string& content);

// "%u.%u" with a build letter when the build is not 0 ("4.1c" for build 3).
std::string FormatVersionText(std::uint32_t high, std::uint32_t low);

// This program's version in the check's two parts.
std::uint32_t ProgramVersionHigh();
std::uint32_t ProgramVersionLow();

class CUpdateCheck {
 public:
  CUpdateCheck(SettingsStore& settings, Prompts* prompts);
  virtual void Check(int urlResourceId, bool force);
  virtual ~CUpdateCheck() = default;

  int status = 0;  // 0 no result, 1 a newer version exists, 2 this version is current
  std::uint32_t localHigh = 0, localLow = 0;
  std::uint32_t remoteHigh = 0, remoteLow = 0;
  std::string remoteText;

  // Set when the version file's address is not configured; the check then did nothing.
  bool notConfigured = false;
  std::string notConfiguredMessage;

  // The update dialog's texts for the last result.
  std::string LocalVersionText() const { return FormatVersionText(localHigh, localLow); }
  std::string RemoteVersionText() const;  // "Unknown" when nothing was read
  std::string MessageLine() const;

  // Seams: the clock, the program's version, the HTTP bounds.
  void SetClock(std::function<TimeT()> now) { now_ = std::move(now); }
  void SetProgramVersion(std::uint32_t high, std::uint32_t low) {
    programHigh_ = high;
    programLow_ = low;
  }
  void SetHttpOptions(const HttpOptions& options) { http_ = options; }

 private:
  SettingsStore& settings_;
  Prompts* prompts_;
  std::function<TimeT()> now_;
  std::uint32_t programHigh_;
  std::uint32_t programLow_;
  HttpOptions http_;
};

}  // namespace lx
