// The database file "Lorvexandrin.sq3": where it lives, how it is created and
// brought up to date, the default masks and the one-time import of the legacy
// mask file. The mask table's operations are the MaskStore's (mask_store.h).
// Every statement runs through the CSQLite given to the constructor.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "photo/defaults.h"
#include "storage/sqlite.h"

namespace lx {

class Prompts;
class SettingsStore;

extern const char* const kDatabaseFileName;  // "Lorvexandrin.sq3"

// The folder of the database while none was chosen: the user's data folder.
std::string DefaultDatabaseFolder();

extern const char* const kLegacyMaskFileName;  // "MaskData.lmd"
constexpr int kStandardMaskCount = 4;          // masks 1 to 4 are the program's own

// UpgradeDatabase: the file is not a usable Lorvexandrin database.
constexpr int kDatabaseUnusable = -7;

struct StandardMask {
  const char* mask;
  const char* description;
};
extern const StandardMask kStandardMasks[kStandardMaskCount];

// Where the database lives and what the start-up check found.
class LorvexandrinDatabase {
 public:
  LorvexandrinDatabase(CSQLite& sqlite, SettingsStore& settings, Prompts& prompts);

  // Asks for the database folder when the stored path is "Undefined"; nullopt means cancel.
  using FolderChooser = std::function<std::optional<std::string>()>;

  // Start-up: resolves the path ("LXDbPath", else chooseFolder), creates the
  // file when it is missing and upgrades it. True when the database can be used.
  bool CheckDatabasePath(const FolderChooser& chooseFolder);
  // "Connected to Quorin Lorvexandrin Database at <path>" once the check passed.
  const std::string& StatusText() const { return statusText_; }

  int CreateDatabase();
  int UpgradeDatabase();
  int SeedDefaultMasks(const std::string& legacyPath);
  int ImportLegacyMaskFile(const std::string& legacyPath);

  // The information text (RTF body) and its display in the rich-text box.
  std::string DatabaseInfoText();
  void ShowDatabaseInfo();

  CSQLite& Sql() { return sqlite_; }

 private:
  std::string LegacyPath() const;

  CSQLite& sqlite_;
  SettingsStore& settings_;
  Prompts& prompts_;
  std::string statusText_;
};

// "1.2.3 bytes" for 1002003.
std::string FormatDatabaseSize(long long size);

}  // namespace lx
