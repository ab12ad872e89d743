// The database file "Lorvexandrin.sq3": where it lives, how it is created and
// brought up to date, the default masks, the one-time import of the legacy mask
// file, and the operations on the mask table. Every statement runs through the
// CSQLite given to the constructor.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "photo/defaults.h"
#include "storage/sqlite.h"

namespace lx {

class Prompts;
class SettingsStore;

extern const char* const kDatabaseFileName;    // "Lorvexandrin.sq3"

// The folder of the database while none was chosen: the user's data folder.
std::string DefaultDatabaseFolder();

extern const char* const kLegacyMaskFileName;  // "MaskData.lmd"
constexpr int kStandardMaskCount = 4;          // masks 1 to 4 are the program's own
constexpr int kMaskParkingId = 125000;         // id a mask holds while two ids are swapped

// UpgradeDatabase: the file is not a usable Lorvexandrin database.
constexpr int kDatabaseUnusable = -7;

struct StandardMask {
  const char* mask;
  const char* description;
};
extern const StandardMask kStandardMasks[kStandardMaskCount];

// One entry of the mask box: mask, description and the mask id as item data.
struct MaskComboItem {
  int id = 0;
  std::string mask;
  std::string description;
};

struct MaskComboContent {
  std::vector<MaskComboItem> items;
  int selectedIndex = -1;  // -1 when the database could not be opened
  std::string maskToUse;   // empty when the database could not be opened
};

// A stored mask as the rename view looks it up.
struct StoredMask {
  int id = -1;
  std::string description;
  int status = -1;
};

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

  int AddMask(const std::string& mask, const std::string& description);
  int UpdateMask(int id, const std::string& mask, const std::string& description);
  int SwapMaskIds(int a, int b);
  // Soft delete (status 0); ExecuteSQL's result.
  int DeleteMask(int id);
  // Id of the stored mask with this text (any status), or -1.
  int FindMaskId(const std::string& mask);
  // The mask's id, description and status; id -1 when it is not stored.
  StoredMask LookupMask(const std::string& mask);
  // The active masks in id order (the mask list's rows), as UpdateListCtrl gives them.
  int ListMasks(SqlTable& table);
  // Ids of the active masks in display order.
  std::vector<int> ActiveMaskIds();

  // The mask box's items and the mask to use with it.
  MaskComboContent FillMaskCombo(const std::string& currentMask);

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

// The mask statements shared with the mask dialogs.
extern const char* const kMaskListStatement;

// "1.2.3 bytes" for 1002003.
std::string FormatDatabaseSize(long long size);

}  // namespace lx
