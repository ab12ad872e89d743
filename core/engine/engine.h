// CLorvexandrinEngine: the program-wide state that every run reads — where the
// photos come from, where renamed copies go, the rename type, the picture
// counter, the selection filter, the duplicate suffix and the portable-device
// tables. The desktop program and the CLI each own one, load it from the
// settings at start, and hand it by reference to what needs it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "engine/selection_filter.h"

namespace lx {

class SettingsStore;

enum class SourceKind : int { None = 0, Folder = 1, Device = 2 };

enum RenameType : int { SimpleRename = 0, BackupRename = 1, TargetRename = 2, TargetRenameDelete = 3 };

class CLorvexandrinEngine {
 public:
  explicit CLorvexandrinEngine(SettingsStore& settings);

  // Reads the engine's values from the settings, in the order start-up needs
  // them. logFilter: log the default filter line (only once a log is shown).
  void LoadEngineSettings(bool logFilter = true);

  SettingsStore& Settings() { return settings_; }

  // Selection filter, shared with the folder-watch thread: it takes a copy.
  void LoadSelectionFilter(bool logFilter = true);
  int SetSelectionFilter(const std::string& text);  // also writes "SelectionMask"
  void SetSelectionCaseSensitive(bool caseSensitive);
  bool MatchSelectionFilter(const std::string& path) const;
  SelectionFilter Filter() const;

  std::string dbPath = "Undefined";
  SourceKind sourceKind = SourceKind::None;
  std::string sourcePath;  // with a trailing "/" for folders
  std::string renamePath;
  int renameType = SimpleRename;
  int pictureCounter = 0;
  std::string suffixMask = "-%03d";
  bool showRenameOutline = true;

  // Portable devices.
  static constexpr int kMaxDevices = 15;
  static constexpr int kMaxDevicePath = 64;
  std::vector<std::string> deviceNames;
  std::vector<std::string> deviceIds;
  int deviceCount = 0;
  std::string currentDeviceName;
  std::string currentDeviceId;
  std::vector<std::string> devicePath;  // from the selected folder (0) up to "DEVICE"
  std::vector<std::string> browsePath;
  int devicePathCount = 0;

 private:
  SettingsStore& settings_;
  mutable std::mutex filterMutex_;
  SelectionFilter filter_;
};

// Keeps the larger of value and the engine's counter, and writes it to the
// stored picture counter at once (also when it did not change). The settings
// write replaces the file atomically, so a run killed at any moment leaves a
// whole, readable value behind.
void SavePictureCounter(CLorvexandrinEngine& engine, int value);

}  // namespace lx
