#include "storage/database.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <set>

#include "base/log.h"
#include "base/prompts.h"
#include "base/rich_text.h"
#include "base/version.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "storage/legacy_mask_file.h"
#include "storage/mask_store.h"
#include "storage/settings_store.h"

namespace lx {

const char* const kDatabaseFileName = "Lorvexandrin.sq3";
const char* const kLegacyMaskFileName = "MaskData.lmd";

std::string DefaultDatabaseFolder() { return DataHome() + "/Quorin Lorvexandrin"; }

const StandardMask kStandardMasks[kStandardMaskCount] = {
    {kStandardMask, "Standard Renaming Mask of Lorvexandrin 4.0"},
    {"%d-%b-%Y-%H-%M-%S", "Standard Renaming Mask of Lorvexandrin 2.0"},
    {"%Y%m%dT%H%M%S", "Base ISO 8601 Standard Mask"},
    {"%Y-%b-%dT%H.%M.%S", "Extended ISO 8601 Standard Mask (with Time Separator : Replaced by .)"},
};

namespace {

const char* const kVersion1 = "UPDATE Config SET Config_IntData = 1 WHERE Config_Mnemo = 'DB_Version'; ";
const char* const kVersion2 = "UPDATE Config SET Config_IntData = 2 WHERE Config_Mnemo = 'DB_Version'; ";
const char* const kCreationErrorHead =
    "{\\f1\\cb5\\cf5\\b Error occured while Creating Quorin Lorvexandrin Database} \\par\\par \\fs18 %s is unable to "
    "provide standard features ... \\par ";

std::string KeywordInsert(const char* keyword, const char* abbreviation) {
  return SqlFormat(
      "INSERT INTO LXKeyword( LXKeyword_Keyword, LXKeyword_AbbrKeyword, LXKeyword_Status) VALUES( '%q', '%q', %d); ",
      keyword, abbreviation, 1);
}

}  // namespace

std::string FormatDatabaseSize(long long size) {
  return StrFormat("%lld.%lld.%lld bytes", size / 1000000, (size / 1000) % 1000, size % 1000);
}

LorvexandrinDatabase::LorvexandrinDatabase(CSQLite& sqlite, SettingsStore& settings, Prompts& prompts)
    : sqlite_(sqlite), settings_(settings), prompts_(prompts) {}

std::string LorvexandrinDatabase::LegacyPath() const {
  PathParts parts = SplitPath(sqlite_.DatabasePath());
  return StrFormat("%s%s%s", parts.drive.c_str(), parts.dir.c_str(), kLegacyMaskFileName);
}

bool LorvexandrinDatabase::CheckDatabasePath(const FolderChooser& chooseFolder) {
  statusText_.clear();
  std::string path = settings_.GetText(setting::kLXDbPath);
  LogFormat("Checking for Path of Quorin Lorvexandrin Database ... Path: %s ", path.c_str());
  if (path.find("Undefined") != std::string::npos) {
    std::optional<std::string> folder = chooseFolder ? chooseFolder() : std::nullopt;
    if (!folder) {
      RichTextRequest request;
      request.title = "Quorin Lorvexandrin Database Path Error";
      request.body =
          "{\\f1\\cb5\\cf5\\b Unable to Get Lorvexandrin Database Path} \\par\\par \\fs18 Without Database, "
          "Lorvexandrin is unable to work ... End of Job ... " +
          StrFormat("\\par \\par {\\f1 \\b Please Restart %s and Provide a Valid Path to Lorvexandrin.sq3} \\par}",
                    kAppTitle) +
          StrFormat(
              "\\par \\par {\\f1 \\b If a Valid Path to Lorvexandrin.sq3 is Not available, please Reinstall "
              "%s} \\par}",
              kAppTitle);
      prompts_.RichTextMessage(request);
      return false;
    }
    path = JoinPath(*folder, kDatabaseFileName);
    settings_.WriteRegString(kRegTypeExpandSz, kSettingsKey, setting::kLXDbPath.name, path);
  }
  sqlite_.SetDatabasePath(path);

  bool found = FileExists(path);
  LogFormat("Checking for Quorin Lorvexandrin Database at %s - %s", path.c_str(),
            found && path.find(kDatabaseFileName) != std::string::npos ? "Lorvexandrin.sq3 Already Exists ..."
                                                                       : "Lorvexandrin.sq3 does NOT Exist !!!");
  if (!found && CreateDatabase() != kSqlExecuted) return false;
  if (UpgradeDatabase() == kDatabaseUnusable) return false;
  statusText_ = "Connected to Quorin Lorvexandrin Database at " + path;
  return true;
}

int LorvexandrinDatabase::CreateDatabase() {
  const std::string& path = sqlite_.DatabasePath();
  // The tables are written under a temporary name and the file takes its
  // real name only when they are all there: a start killed in the middle
  // must not leave an empty file that passes for a database ever after.
  const std::string creating = StrFormat("%s.creating-%d", path.c_str(), static_cast<int>(::getpid()));
  ::unlink(creating.c_str());  // a leftover of a killed process with our pid
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(creating.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    std::string reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    PathParts parts = SplitPath(path);
    RichTextRequest request;
    request.title = StrFormat("Quorin Lorvexandrin Database (%s) Creation Error", path.c_str());
    request.body = StrFormat(kCreationErrorHead, kAppTitle) +
                   StrFormat("\\par Drive: {\\b %s} ", RtfEscape(parts.drive).c_str()) +
                   StrFormat("\\par File: {\\b %s%s} ", RtfEscape(parts.title).c_str(), RtfEscape(parts.ext).c_str()) +
                   StrFormat("\\par \\par Error: {\\b %s}", RtfEscape(reason).c_str()) +
                   "\\par \\par {\\f1 \\b Please Check if SQL Path is Valid} \\par}";
    LogFormat("Error Opening Database %s - Reason: %s ", path.c_str(), reason.c_str());
    sqlite3_close(db);
    ::unlink(creating.c_str());
    prompts_.RichTextMessage(request);
    return kSqlCreateFailed;
  }
  sqlite_.AdoptConnection(db);
  std::string script =
      "BEGIN TRANSACTION;"
      "DROP Table IF EXISTS Config; "
      "DROP Index IF EXISTS IdxConfig; "
      "DROP Table IF EXISTS LXMask; "
      "DROP Index IF EXISTS IdxLXMask; "
      "DROP TABLE IF EXISTS KbdEntry; "
      "DROP INDEX IF EXISTS IdxKbdEntry; "
      "CREATE TABLE Config( Config_Id INTEGER PRIMARY KEY, Config_Mnemo VARCHAR(25) UNIQUE, Config_DataType "
      "INTEGER, Config_IntData INTEGER, Config_FloatData FLOAT, Config_StrData VARCHAR( 500)); "
      "CREATE UNIQUE INDEX IdxConfig ON Config( 'Config_Mnemo'); "
      "CREATE TABLE LXMask( LXMask_Id INTEGER PRIMARY KEY, LXMask_Mask VARCHAR( 500), LXMask_Descr VARCHAR(200), "
      "LXMask_Status INTEGER); "
      "CREATE UNIQUE INDEX IdxLXMask ON LXMask( 'LXMask_Mask'); "
      "CREATE TABLE LXKeyword( LXKeyword_KeywordId INTEGER PRIMARY KEY, LXKeyword_Keyword VARCHAR( 100), "
      "LXKeyword_AbbrKeyword VARCHAR( 20), LXKeyword_Status INTEGER); "
      "CREATE UNIQUE INDEX IdxLXKeyword ON LXKeyword( 'LXKeyword_Keyword'); "
      "CREATE TABLE KbdEntry( KbdEntry_Id INTEGER PRIMARY KEY, KbdEntry_Text VARCHAR( 500), KbdEntry_Date "
      "VARCHAR(15), KbdEntry_Time VARCHAR(15)); "
      "CREATE UNIQUE INDEX IdxKbdEntry ON KbdEntry( 'KbdEntry_Text'); ";
  script += KeywordInsert("Quorin Lorvexandrin", "Quorin LX");
  script += KeywordInsert("Empty Keyword", "Empty");
  script +=
      "INSERT INTO Config( Config_Id, Config_Mnemo, Config_DataType, Config_IntData, Config_FloatData, "
      "Config_StrData) vALUES ( 1, 'DB_Version', 0, -1, -1.00, 'Undefined'); "
      "COMMIT;";
  int result = sqlite_.ExecuteSQL(script, false, true);
  if (result == kSqlExecuted) {
    // Never over a database another process made meanwhile: that one is kept.
    if (const int error = RenameNoReplace(creating, path); error != 0) {
      ::unlink(creating.c_str());
      if (error != EEXIST) {
        LogFormat("Error Creating Database %s%s", path.c_str(), FormatSystemError(error).c_str());
        return kSqlFailed;
      }
    }
    LogFormat("Quorin Lorvexandrin Database Created Successfully (File: %s) ", path.c_str());
    return result;
  }
  ::unlink(creating.c_str());
  RichTextRequest request;
  request.title = "Quorin Lorvexandrin Database Creation Error";
  request.body = StrFormat(kCreationErrorHead, kAppTitle) +
                 StrFormat("\\par nFile: {\\b %s} ", RtfEscape(path).c_str()) +
                 StrFormat("\\par Error: {\\b %s}", RtfEscape(sqlite_.LastFailure()).c_str()) +
                 "\\par \\par {\\f1 \\b Please Check if File 'sqlite3.dll' is Present in Quorin Lorvexandrin "
                 "Directory} \\par}";
  prompts_.RichTextMessage(request);
  return kSqlFailed;
}

int LorvexandrinDatabase::UpgradeDatabase() {
  if (sqlite_.OpenDatabase() == kSqlOpened) {
    SqlVariant version;
    int rc = sqlite_.GetConfigData("DB_Version", version);
    std::string reason = sqlite_.LastErrorMessage();
    sqlite_.CloseDatabase();
    if (rc == kSqlOpened && version.AsInteger() == 2) return 0;
    if (rc > 0) {
      // Not our database (or not a database at all): seeding it would only
      // fail statement by statement, and it must not be touched.
      LogFormat("Unable to Use Quorin Lorvexandrin Database %s - Reason: %s ", sqlite_.DatabasePath().c_str(),
                reason.c_str());
      prompts_.Beep();
      return kDatabaseUnusable;
    }
  }
  std::string legacyPath = LegacyPath();
  LogFormat("Checking Mask Data File of Quorin Lorvexandrin 3.4 - Path: %s ", legacyPath.c_str());
  if (!FileExists(legacyPath)) {
    SeedDefaultMasks(legacyPath);
  } else {
    int rc = ImportLegacyMaskFile(legacyPath);
    if (rc != 0) return rc;
  }
  sqlite_.ExecuteSQL(kVersion2, true, true);
  return 0;
}

int LorvexandrinDatabase::SeedDefaultMasks(const std::string& legacyPath) {
  LogFormat("Mask Data File %s Not Found ... Setting Default Mask ...", legacyPath.c_str());
  std::string script = "BEGIN TRANSACTION;";
  for (const auto& m : kStandardMasks) script += MaskInsertStatement(m.mask, m.description);
  script += kVersion1;
  script += "COMMIT;";
  return sqlite_.ExecuteSQL(script, true, true);
}

int LorvexandrinDatabase::ImportLegacyMaskFile(const std::string& legacyPath) {
  LegacyMaskData data = ReadLegacyMaskFile(legacyPath);
  if (data.status == LegacyMaskStatus::BadSignature) {
    prompts_.ShowWarning("Invalid Signature of Lorvexandri Mask Data File !!! Unable to Load Data ...", kAppTitle);
    return kSqlNoConfigRow;
  }
  if (data.status != LegacyMaskStatus::Ok) {
    // A file cut short is left alone like one with a wrong signature: the
    // user can replace it and the import runs at the next start.
    prompts_.ShowWarning(
        StrFormat("Unable to Read Lorvexandrin Mask Data File %s !!! Unable to Load Data ...", legacyPath.c_str()),
        kAppTitle);
    return kSqlNoConfigRow;
  }
  std::string script = "BEGIN TRANSACTION;";
  script += MaskInsertStatement(kStandardMask, kStandardMasks[0].description);
  // The standard mask counts as seen: a second copy would break the unique
  // index and lose the whole import.
  std::set<std::string> seen{kStandardMask};
  int inserted = 0;
  for (const auto& entry : data.entries) {
    if (!seen.insert(entry.mask).second) continue;
    script += MaskInsertStatement(entry.mask, entry.description);
    ++inserted;
  }
  script += kVersion1;
  script += "COMMIT;";
  if (sqlite_.ExecuteSQL(script, true, true) == kSqlExecuted) {
    LogFormat("Transfer Mask Data File (%s) successfully .. (%d Mask%sfound)", legacyPath.c_str(), inserted,
              inserted >= 2 ? "s " : " ");
  } else {
    LogFormat("Fail to Transfer Mask Data from File %s !!! ", legacyPath.c_str());
  }
  return 0;
}

std::string LorvexandrinDatabase::DatabaseInfoText() {
  const std::string& path = sqlite_.DatabasePath();
  std::string size = "Unknown Size";
  std::string date = "Unknown";
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    size = FormatDatabaseSize(static_cast<long long>(st.st_size));
    std::tm tm{};
    time_t mtime = st.st_mtime;
    char buffer[128];
    if (localtime_r(&mtime, &tm) && std::strftime(buffer, sizeof buffer, "%d %B %Y %H:%M:%S", &tm) > 0) date = buffer;
  }
  std::string text = "{\\f1\\cb5\\cf1\\b Quorin Lorvexandrin Database Information's} ";
  text += StrFormat("\\par\\par Database Location: {\\b %s} ", RtfEscape(path).c_str());
  text += StrFormat("\\par\\par Database Size: {\\b %s} ", size.c_str());
  text += StrFormat("\\par\\par Date Modified: {\\b %s} ", date.c_str());
  struct Count {
    const char* sql;
    const char* line;
  };
  const Count counts[] = {
      {"SELECT count(*) from LXMask WHERE LXMask_Status = 1",
       "\\par\\par Number of Masks in Database Table: {\\b %s} "},
      {"SELECT count(*) from LXKeyword WHERE LXKeyword_Status = 1",
       "\\par\\par Number of Keywords in Database Table: {\\b %s} "},
      {"SELECT count(*) from KbdEntry", "\\par\\par Number of Keywbaord Entries: {\\b %s} "},
  };
  for (const auto& c : counts) {
    std::string value;
    FormatVariant(sqlite_.GetQueryData(c.sql, true, true), value);
    text += StrFormat(c.line, value.c_str());
  }
  text += "\\par \\par {\\f1 \\b } \\par}";
  return text;
}

void LorvexandrinDatabase::ShowDatabaseInfo() {
  RichTextRequest request;
  request.title = "Quorin Lorvexandrin Database";
  request.body = DatabaseInfoText();
  prompts_.RichTextMessage(request);
}

}  // namespace lx
