// CSQLite: the thin layer every database statement of the program goes
// through. Callers build the complete SQL text (user text quoted with
// SqlFormat's %q) and hand it to one operation; the layer opens the file, runs
// the statement, turns the result into a variant, a text, a count or a table,
// logs what it did and closes the file again. Nothing is cached.
//
// The programs own one CSQLite each (no process-wide instance). It is not
// shared between threads.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace lx {

class Prompts;

// Status codes of the operations.
constexpr int kSqlOpened = 0;          // database opened; configuration row found
constexpr int kSqlExecuted = 1;        // statement (script) executed
constexpr int kSqlPrepareFailed = -1;  // GetInstanceCount: statement refused
constexpr int kSqlOpenFailed = -3;
constexpr int kSqlCreateFailed = -4;
constexpr int kSqlFailed = -5;
constexpr int kSqlNoConfigRow = -6;

// Variant sentinels (16-bit integers).
constexpr int kSqlNoValue = -1;      // no row, NULL, failed open, step error
constexpr int kSqlNotPrepared = -2;  // statement SQLite refused to prepare

struct SqlDate {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The value of one result cell, with the kinds the layer and its callers use.
class SqlVariant {
 public:
  enum class Kind { Empty, Null, Int16, Int32, Int64, Float32, Float64, Date, Text, Bool };

  SqlVariant() = default;
  static SqlVariant Int16(int value);
  static SqlVariant Int32(std::int32_t value);
  static SqlVariant Int64(std::int64_t value);
  static SqlVariant Float32(float value);
  static SqlVariant Float64(double value);
  static SqlVariant Text(std::string value);
  static SqlVariant Date(const SqlDate& value);
  static SqlVariant Bool(bool value);
  static SqlVariant Null();

  Kind kind() const { return kind_; }
  bool IsInteger() const { return kind_ == Kind::Int16 || kind_ == Kind::Int32 || kind_ == Kind::Int64; }
  // Whole number of an integer kind; the fallback for any other kind.
  std::int64_t AsInteger(std::int64_t fallback = kSqlNoValue) const { return IsInteger() ? integer_ : fallback; }
  double AsDouble() const { return real_; }
  const std::string& AsText() const { return text_; }
  const SqlDate& AsDate() const { return date_; }
  bool AsBool() const { return integer_ != 0; }
  // True for the 16-bit integer sentinel given.
  bool IsSentinel(int sentinel) const { return kind_ == Kind::Int16 && integer_ == sentinel; }

  bool operator==(const SqlVariant& other) const;

 private:
  Kind kind_ = Kind::Empty;
  std::int64_t integer_ = 0;
  double real_ = 0;
  std::string text_;
  SqlDate date_;
};

// Writes the variant's text; false (with an explanatory text) for unsupported kinds.
bool FormatVariant(const SqlVariant& value, std::string& text);

// A whole result set as texts, as the list views and the CLI show it: header
// texts are the column names (aliases included), every cell is formatted.
struct SqlTable {
  std::vector<std::string> headers;
  std::vector<std::vector<std::string>> rows;
  bool emptyTable = false;  // the "Empty Table" / "There is No Data to Show ..." stand-in

  void Clear() {
    headers.clear();
    rows.clear();
    emptyTable = false;
  }
};

// sqlite3_mprintf into a std::string: %q doubles quotes, %Q adds them, %d/%s as printf.
std::string SqlFormat(const char* format, ...);

// "SELECT ..." shortened for the log: whole up to 200 characters, else the first
// 150, "..." and the last 25.
std::string ShortenSqlForLog(const std::string& sql);

class CSQLite {
 public:
  // prompts (may be null) receives the beeps and the error box of UpdateListCtrl.
  explicit CSQLite(Prompts* prompts = nullptr);
  ~CSQLite();
  CSQLite(const CSQLite&) = delete;
  CSQLite& operator=(const CSQLite&) = delete;

  void SetDatabasePath(const std::string& path);
  const std::string& DatabasePath() const { return path_; }
  void SetPrompts(Prompts* prompts) { prompts_ = prompts; }

  int OpenDatabase();
  void CloseDatabase();
  bool IsOpen() const { return db_ != nullptr; }
  // The raw connection, for callers that open the file themselves (database creation).
  sqlite3* Connection() const { return db_; }
  void AdoptConnection(sqlite3* db);

  int ExecuteSQL(const std::string& sql, bool openFirst, bool closeAfter);
  int GetConfigData(const std::string& key, SqlVariant& value);
  int GetInstanceCount(const std::string& sql);
  std::string GetQueryString(const std::string& sql, bool openFirst, bool closeAfter);
  SqlVariant GetSingleValue(const std::string& table, const std::string& column, const std::string& keyColumn,
                            const std::string& keyValue, bool openFirst, bool closeAfter);
  SqlVariant GetQueryData(const std::string& sql, bool openFirst, bool closeAfter);
  int GetQueryData(const std::string& sql, std::vector<SqlVariant>& values, int maxCount, bool openFirst,
                   bool closeAfter);
  int UpdateListCtrl(const std::string& sql, SqlTable& table, bool openFirst, bool closeAfter);

  // sqlite3_prepare_v2 on the open connection that waits out a busy
  // database like the step loops (logged under the operation's name).
  int Prepare(const std::string& sql, sqlite3_stmt** stmt, const char* operation);

  static std::string GetResultCodeText(int code);

  int LastDuration() const { return lastDuration_; }
  // The connection's last error text (empty when closed).
  std::string LastErrorMessage() const;
  // The last error text seen by ExecuteSQL or a failed open, kept after the close.
  const std::string& LastFailure() const { return lastFailure_; }

  // Called with true before and false after the longer operations, so that a
  // desktop program can show its wait cursor meanwhile.
  void SetWaitCursorHook(std::function<void(bool busy)> hook) { waitCursor_ = std::move(hook); }

  // Pause between two tries on a busy database, 1000 ms unless a test shortens it.
  void SetBusyWaitMs(int ms) { busyWaitMs_ = ms; }
  // How long ExecuteSQL waits for a lock held by another process before it fails.
  void SetWriteBusyLimitMs(int ms) { writeBusyLimitMs_ = ms; }

 private:
  std::uint64_t LogQueryStart(const std::string& text);
  void LogQueryDone(std::uint64_t start, std::uint64_t end);
  void LogQueryFailed(const std::string& text);
  void HitBusy(const char* operation);
  // Steps through every row, waiting out a busy database; returns SQLITE_DONE
  // or the error that ended the statement.
  int StepRows(sqlite3_stmt* stmt, const char* operation, const std::function<void(sqlite3_stmt*)>& onRow);
  void LogStepError();
  void Beep();
  static int ExecuteBusyHandler(void* self, int count);

  sqlite3* db_ = nullptr;
  std::string path_;
  int lastDuration_ = 0;
  Prompts* prompts_ = nullptr;
  int busyWaitMs_ = 1000;
  int writeBusyLimitMs_ = 30000;
  std::string lastFailure_;
  std::function<void(bool)> waitCursor_;

  friend class WaitCursor;
};

}  // namespace lx
