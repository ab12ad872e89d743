#include "storage/sqlite.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <thread>

#include "base/log.h"
#include "base/prompts.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "storage/keyword_store.h"

namespace lx {

// ---------------------------------------------------------------- variant

SqlVariant SqlVariant::Int16(int value) {
  SqlVariant v;
  v.kind_ = Kind::Int16;
  v.integer_ = static_cast<std::int16_t>(value);
  return v;
}

SqlVariant SqlVariant::Int32(std::int32_t value) {
  SqlVariant v;
  v.kind_ = Kind::Int32;
  v.integer_ = value;
  return v;
}

SqlVariant SqlVariant::Int64(std::int64_t value) {
  SqlVariant v;
  v.kind_ = Kind::Int64;
  v.integer_ = value;
  return v;
}

SqlVariant SqlVariant::Float32(float value) {
  SqlVariant v;
  v.kind_ = Kind::Float32;
  v.real_ = value;
  return v;
}

SqlVariant SqlVariant::Float64(double value) {
  SqlVariant v;
  v.kind_ = Kind::Float64;
  v.real_ = value;
  return v;
}

SqlVariant SqlVariant::Text(std::string value) {
  SqlVariant v;
  v.kind_ = Kind::Text;
  v.text_ = std::move(value);
  return v;
}

SqlVariant SqlVariant::Date(const SqlDate& value) {
  SqlVariant v;
  v.kind_ = Kind::Date;
  v.date_ = value;
  return v;
}

SqlVariant SqlVariant::Bool(bool value) {
  SqlVariant v;
  v.kind_ = Kind::Bool;
  v.integer_ = value ? 1 : 0;
  return v;
}

SqlVariant SqlVariant::Null() {
  SqlVariant v;
  v.kind_ = Kind::Null;
  return v;
}

bool SqlVariant::operator==(const SqlVariant& o) const {
  if (kind_ != o.kind_) return false;
  switch (kind_) {
    case Kind::Empty:
    case Kind::Null:
      return true;
    case Kind::Float32:
    case Kind::Float64:
      return real_ == o.real_;
    case Kind::Text:
      return text_ == o.text_;
    case Kind::Date:
      return date_.year == o.date_.year && date_.month == o.date_.month && date_.day == o.date_.day &&
             date_.hour == o.date_.hour && date_.minute == o.date_.minute && date_.second == o.date_.second;
    default:
      return integer_ == o.integer_;
  }
}

bool FormatVariant(const SqlVariant& value, std::string& text) {
  using K = SqlVariant::Kind;
  switch (value.kind()) {
    case K::Empty:
      text = "COleVariant Empty";
      return false;
    case K::Int16:
      text = StrFormat("%d", static_cast<int>(value.AsInteger()));
      return true;
    case K::Int32:
      text = StrFormat("%ld", static_cast<long>(value.AsInteger()));
      return true;
    case K::Int64:
      text = StrFormat("%lld", static_cast<long long>(value.AsInteger()));
      return true;
    case K::Float32:
    case K::Float64:
      text = StrFormat("%f", static_cast<double>(static_cast<float>(value.AsDouble())));
      return true;
    case K::Date: {
      const SqlDate& d = value.AsDate();
      text = StrFormat("%d-%d-%d %d:%02d:%02d", d.day, d.month, d.year, d.hour, d.minute, d.second);
      return true;
    }
    case K::Text:
      text = value.AsText();
      return true;
    case K::Bool:
      text = value.AsBool() ? "True" : "False";
      return true;
    case K::Null:
      text = StrFormat("Unhandled format (%ld)", 1L);  // the variant kind number of a null
      return false;
  }
  return false;
}

// ---------------------------------------------------------------- helpers

std::string SqlFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* raw = sqlite3_vmprintf(format, args);
  va_end(args);
  std::string text = raw ? raw : "";
  sqlite3_free(raw);
  return text;
}

std::string ShortenSqlForLog(const std::string& sql) {
  if (sql.size() <= 200) return sql;
  return sql.substr(0, 150) + "..." + sql.substr(sql.size() - 25);
}

namespace {

// The cell of column i as a variant: whole numbers keep their full width.
SqlVariant ColumnValue(sqlite3_stmt* stmt, int i, bool nullAsSentinel, const char* otherText) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
      return SqlVariant::Int64(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT:
      return SqlVariant::Float64(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT: {
      const unsigned char* t = sqlite3_column_text(stmt, i);
      return SqlVariant::Text(t ? reinterpret_cast<const char*>(t) : "");
    }
    case SQLITE_NULL:
      if (nullAsSentinel) return SqlVariant::Int16(kSqlNoValue);
      [[fallthrough]];
    default:
      return otherText ? SqlVariant::Text(otherText) : SqlVariant();
  }
}

std::string CellText(sqlite3_stmt* stmt, int i) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
      return StrFormat("%lld", static_cast<long long>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
      return StrFormat("%f", sqlite3_column_double(stmt, i));
    case SQLITE_TEXT: {
      const unsigned char* t = sqlite3_column_text(stmt, i);
      return t ? reinterpret_cast<const char*>(t) : "";
    }
    default:
      return "";  // NULL and BLOB cells show empty
  }
}

void SleepMs(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

// ---------------------------------------------------------------- CSQLite

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  explicit WaitCursor(const CSQLite& sql) : hook_(sql.waitCursor_) {
    if (hook_) hook_(true);
  }
  ~WaitCursor() {
    if (hook_) hook_(false);
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  const std::function<void(bool)>& hook_;
};

CSQLite::CSQLite(Prompts* prompts) : prompts_(prompts) {}

CSQLite::~CSQLite() { CloseDatabase(); }

void CSQLite::SetDatabasePath(const std::string& path) { path_ = path; }

void CSQLite::Beep() {
  if (prompts_) prompts_->Beep();
}

int CSQLite::OpenDatabase() {
  CloseDatabase();  // a connection left open by a caller is not leaked
  sqlite3* db = nullptr;
  // Only CreateDatabase makes a new file: an open that created an empty file
  // would later pass for an existing database without tables.
  int rc = sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    lastFailure_ = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    LogFormat("Error Opening Database %s - Reason: %s ", path_.c_str(), lastFailure_.c_str());
    sqlite3_close(db);
    return kSqlOpenFailed;
  }
  db_ = db;
  RegisterMaskKeywordFunction(db_);
  return kSqlOpened;
}

void CSQLite::CloseDatabase() {
  if (db_) {
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

void CSQLite::AdoptConnection(sqlite3* db) {
  CloseDatabase();
  db_ = db;
}

std::string CSQLite::LastErrorMessage() const { return db_ ? sqlite3_errmsg(db_) : std::string(); }

std::uint64_t CSQLite::LogQueryStart(const std::string& text) {
  LogFormat("Executing SQL Transaction: %s", text.c_str());
  return TickCountMs();
}

void CSQLite::LogQueryDone(std::uint64_t start, std::uint64_t end) {
  lastDuration_ = static_cast<int>(end - start);
  LogFormat("SQL Query Executed in %d msec.", lastDuration_);
}

void CSQLite::LogQueryFailed(const std::string& text) {
  LogFormat("SQL Query Failed: %s ", text.c_str());
  Beep();
}

void CSQLite::HitBusy(const char* operation) {
  Beep();
  LogMessage(std::string("Hit SQLITE_BUSY in CSQLite::") + operation);
  SleepMs(busyWaitMs_);
}

int CSQLite::StepRows(sqlite3_stmt* stmt, const char* operation, const std::function<void(sqlite3_stmt*)>& onRow) {
  for (;;) {
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
      onRow(stmt);
    } else if (rc == SQLITE_BUSY) {
      HitBusy(operation);
    } else {
      // Done, or an error: stepping again would restart the statement or
      // repeat the same error for ever.
      return rc;
    }
  }
}

void CSQLite::LogStepError() {
  Beep();
  LogMessage(std::string("Step Error ") + sqlite3_errmsg(db_));
}

int CSQLite::Prepare(const std::string& sql, sqlite3_stmt** stmt, const char* operation) {
  if (!db_) return SQLITE_MISUSE;
  for (;;) {
    int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, stmt, nullptr);
    // Reading the schema needs the lock that another process's write holds.
    if (rc != SQLITE_BUSY) return rc;
    sqlite3_finalize(*stmt);
    *stmt = nullptr;
    HitBusy(operation);
  }
}

int CSQLite::ExecuteBusyHandler(void* self, int count) {
  auto* me = static_cast<CSQLite*>(self);
  // Writes wait for another process's lock as reads do, but not for ever:
  // sqlite3_exec cannot be resumed part-way through a script.
  long long waited = static_cast<long long>(count) * (me->busyWaitMs_ > 0 ? me->busyWaitMs_ : 1);
  if (waited >= me->writeBusyLimitMs_) return 0;
  me->HitBusy("ExecuteSQL");
  return 1;
}

int CSQLite::ExecuteSQL(const std::string& sql, bool openFirst, bool closeAfter) {
  WaitCursor wait(*this);
  if (openFirst) {
    int rc = OpenDatabase();
    if (rc != kSqlOpened) return rc;
  }
  int result = kSqlFailed;
  std::uint64_t start = LogQueryStart(ShortenSqlForLog(sql));
  if (db_) {
    sqlite3_busy_handler(db_, &CSQLite::ExecuteBusyHandler, this);
    char* error = nullptr;
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error);
    sqlite3_busy_handler(db_, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      lastFailure_ = error ? error : sqlite3_errmsg(db_);
      LogQueryFailed(lastFailure_);
      sqlite3_free(error);
      // A script that opened its own transaction must not leave it open on a
      // connection the caller goes on using.
      if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK;", nullptr, nullptr, nullptr);
    } else {
      LogQueryDone(start, TickCountMs());
      result = kSqlExecuted;
    }
  } else {
    lastFailure_ = "Database Not Open";
    LogQueryFailed(lastFailure_);
  }
  if (closeAfter) CloseDatabase();
  return result;
}

int CSQLite::GetConfigData(const std::string& key, SqlVariant& value) {
  if (!db_) return SQLITE_MISUSE;
  // The key is quoted so that no key can change the statement.
  std::string sql = SqlFormat(
      "SELECT Config_DataType, Config_IntData, Config_FloatData, Config_StrData FROM Config WHERE Config_Mnemo = "
      "'%q'",
      key.c_str());
  sqlite3_stmt* stmt = nullptr;
  int rc = Prepare(sql, &stmt, "GetConfigData");
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return rc;
  }
  int result = kSqlNoConfigRow;
  StepRows(stmt, "GetConfigData", [&](sqlite3_stmt* stmt) {
    switch (sqlite3_column_int(stmt, 0)) {
      case 0:
        value = SqlVariant::Int64(sqlite3_column_int64(stmt, 1));
        break;
      case 1:
        value = SqlVariant::Float64(sqlite3_column_double(stmt, 2));
        break;
      case 2: {
        const unsigned char* t = sqlite3_column_text(stmt, 3);
        value = SqlVariant::Text(t ? reinterpret_cast<const char*>(t) : "");
        break;
      }
      default:
        break;
    }
    result = kSqlOpened;
  });
  sqlite3_finalize(stmt);
  return result;
}

int CSQLite::GetInstanceCount(const std::string& sql) {
  if (!db_) return kSqlPrepareFailed;
  sqlite3_stmt* stmt = nullptr;
  if (Prepare(sql, &stmt, "GetInstanceCount") != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return kSqlPrepareFailed;
  }
  int count = 0;
  StepRows(stmt, "GetInstanceCount", [&](sqlite3_stmt*) { ++count; });
  sqlite3_finalize(stmt);
  return count;
}

std::string CSQLite::GetQueryString(const std::string& sql, bool openFirst, bool closeAfter) {
  WaitCursor wait(*this);
  std::string result = "Undefined";
  if (openFirst && OpenDatabase() != kSqlOpened) return result;
  sqlite3_stmt* stmt = nullptr;
  if (Prepare(sql, &stmt, "GetQueryString") == SQLITE_OK) {
    // A keyword lookup waits out a busy database like the other reads:
    // "Undefined" in a new file name because another process was writing would be wrong.
    StepRows(stmt, "GetQueryString", [&](sqlite3_stmt* stmt) {
      const unsigned char* t = sqlite3_column_text(stmt, 0);
      result = t ? reinterpret_cast<const char*>(t) : "";
    });
  }
  sqlite3_finalize(stmt);
  if (closeAfter) CloseDatabase();
  return result;
}

SqlVariant CSQLite::GetSingleValue(const std::string& table, const std::string& column, const std::string& keyColumn,
                                   const std::string& keyValue, bool openFirst, bool closeAfter) {
  WaitCursor wait(*this);
  if (openFirst && OpenDatabase() != kSqlOpened) return SqlVariant::Int16(kSqlNoValue);
  // Table and column names come from the program; the key value is quoted.
  std::string sql = SqlFormat("SELECT %s FROM %s WHERE %s = '%q' LIMIT 1;", column.c_str(), table.c_str(),
                              keyColumn.c_str(), keyValue.c_str());
  return GetQueryData(sql, false, closeAfter);
}

SqlVariant CSQLite::GetQueryData(const std::string& sql, bool openFirst, bool closeAfter) {
  SqlVariant result = SqlVariant::Int16(kSqlNoValue);
  if (openFirst && OpenDatabase() != kSqlOpened) return result;
  std::uint64_t start = LogQueryStart(sql);
  sqlite3_stmt* stmt = nullptr;
  int rc = Prepare(sql, &stmt, "GetQueryData");
  if (rc != SQLITE_OK) {
    LogQueryFailed(GetResultCodeText(rc));
    result = SqlVariant::Int16(kSqlNotPrepared);
  } else {
    rc = StepRows(stmt, "GetQueryData", [&](sqlite3_stmt* stmt) {
      if (sqlite3_column_type(stmt, 0) != SQLITE_BLOB) result = ColumnValue(stmt, 0, true, nullptr);
    });
    if (rc == SQLITE_DONE) {
      LogQueryDone(start, TickCountMs());
    } else {
      LogStepError();
      result = SqlVariant::Int16(kSqlNoValue);
    }
  }
  sqlite3_finalize(stmt);
  if (closeAfter) CloseDatabase();
  return result;
}

int CSQLite::GetQueryData(const std::string& sql, std::vector<SqlVariant>& values, int maxCount, bool openFirst,
                          bool closeAfter) {
  WaitCursor wait(*this);
  if (maxCount < 0) maxCount = 0;
  values.assign(static_cast<size_t>(maxCount), SqlVariant::Int16(kSqlNoValue));
  if (openFirst && OpenDatabase() != kSqlOpened) return kSqlOpenFailed;
  int count = maxCount;
  std::uint64_t start = LogQueryStart(sql);
  sqlite3_stmt* stmt = nullptr;
  int rc = Prepare(sql, &stmt, "GetQueryData");
  if (rc != SQLITE_OK) {
    LogQueryFailed(GetResultCodeText(rc));
  } else {
    rc = StepRows(stmt, "GetQueryData", [&](sqlite3_stmt* stmt) {
      int n = std::min(maxCount, sqlite3_column_count(stmt));
      count = n;
      for (int i = 0; i < n; ++i) values[static_cast<size_t>(i)] = ColumnValue(stmt, i, false, "Unhandled Column Type");
    });
    if (rc == SQLITE_DONE)
      LogQueryDone(start, TickCountMs());
    else
      LogStepError();
  }
  sqlite3_finalize(stmt);
  if (closeAfter) CloseDatabase();
  return count;
}

int CSQLite::UpdateListCtrl(const std::string& sql, SqlTable& table, bool openFirst, bool closeAfter) {
  WaitCursor wait(*this);
  table.Clear();
  if (openFirst && OpenDatabase() != kSqlOpened) return kSqlOpenFailed;
  std::uint64_t start = LogQueryStart(sql);
  sqlite3_stmt* stmt = nullptr;
  int rows = 0;
  int rc = Prepare(sql, &stmt, "UpdateListCtrl");
  if (rc != SQLITE_OK) {
    std::string reason = db_ ? sqlite3_errmsg(db_) : GetResultCodeText(rc);
    if (prompts_) prompts_->ShowMessage("SQL Error:  " + reason + "!!!! \nSQL Statement: " + sql, "");
  } else {
    rc = StepRows(stmt, "UpdateListCtrl", [&](sqlite3_stmt* stmt) {
      int columns = sqlite3_column_count(stmt);
      if (rows == 0) {
        for (int i = 0; i < columns; ++i) {
          const char* name = sqlite3_column_name(stmt, i);
          table.headers.emplace_back(name ? name : "");
        }
      }
      std::vector<std::string> row;
      row.reserve(static_cast<size_t>(columns));
      for (int i = 0; i < columns; ++i) row.push_back(CellText(stmt, i));
      table.rows.push_back(std::move(row));
      ++rows;
    });
    if (rc == SQLITE_DONE)
      LogQueryDone(start, TickCountMs());
    else
      LogStepError();
  }
  sqlite3_finalize(stmt);
  if (rows == 0) {
    table.headers = {"Empty Table"};
    table.rows = {{"There is No Data to Show ..."}};
    table.emptyTable = true;
  }
  if (closeAfter) CloseDatabase();
  return rows;
}

std::string CSQLite::GetResultCodeText(int code) {
  static const char* const kTexts[] = {
      "Successful result",
      "SQL error or missing database",
      "Internal logic error in SQLite",
      "Access permission denied",
      "Callback routine requested an abort",
      "The database file is locked",
      "A table in the database is locked",
      "A malloc() failed",
      "Attempt to write a readonly database",
      "Operation terminated by sqlite3_interrupt()",
      "Some kind of disk I/O error occurred",
      "The database disk image is malformed",
      "Unknown opcode in sqlite3_file_control()",
      "Insertion failed because database is full",
      "Unable to open the database file",
      "Database lock protocol error",
      "Database is empty",
      "The database schema changed",
      "String or BLOB exceeds size limit",
      "Abort due to constraint violation",
      "Data type mismatch",
      "Library used incorrectly",
      "Uses OS features not supported on host",
      "Authorization denied",
      "Auxiliary database format error",
      "2nd parameter to sqlite3_bind out of range",
      "File opened that is not a database file",
  };
  if (code >= 0 && code < static_cast<int>(sizeof(kTexts) / sizeof(kTexts[0]))) return kTexts[code];
  if (code == 100) return "sqlite3_step() has another row ready";
  if (code == 101) return "sqlite3_step() has finished executing";
  return "Unknown Error";
}

}  // namespace lx
