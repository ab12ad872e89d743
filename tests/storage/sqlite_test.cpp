#include "storage/sqlite.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "base/log.h"
#include "scripted_prompts.h"
#include "temp_dir.h"

namespace lx {
namespace {

// A scratch database with one table of mixed values.
class SqliteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("t.sq3");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE T(a INTEGER, b FLOAT, c TEXT, d, e);"
                           "INSERT INTO T VALUES(70000, 1.5, 'one', NULL, x'00');"
                           "INSERT INTO T VALUES(2, 2.5, 'two', NULL, NULL);"
                           "INSERT INTO T VALUES(3, 3.5, 'three', NULL, NULL);"
                           "CREATE TABLE Config( Config_Id INTEGER PRIMARY KEY, Config_Mnemo VARCHAR(25) UNIQUE, "
                           "Config_DataType INTEGER, Config_IntData INTEGER, Config_FloatData FLOAT, Config_StrData "
                           "VARCHAR( 500));"
                           "INSERT INTO Config VALUES(1, 'DB_Version', 0, 2, -1, 'x');"
                           "INSERT INTO Config VALUES(2, 'Pi', 1, 0, 3.25, 'x');"
                           "INSERT INTO Config VALUES(3, 'Name''s', 2, 0, 0, 'text');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    sql_.SetDatabasePath(path_);
  }

  test::TempDir dir_;
  std::string path_;
  test::ScriptedPrompts prompts_;
  CSQLite sql_{&prompts_};
  CapturingLogSink log_;
  ScopedLogSink attached_{log_};
};

TEST(SqlLogText, ShortensLongStatementsAt200Characters) {
  std::string exact(200, 'a');
  EXPECT_EQ(ShortenSqlForLog(exact), exact);
  std::string longer = std::string(150, 'h') + std::string(26, 'm') + std::string(25, 't');
  ASSERT_EQ(longer.size(), 201u);
  EXPECT_EQ(ShortenSqlForLog(longer), std::string(150, 'h') + "..." + std::string(25, 't'));
}

TEST_F(SqliteTest, ExecuteLogsStartAndDurationOrFailureWithBeep) {
  EXPECT_EQ(sql_.ExecuteSQL("INSERT INTO T(a) VALUES(9);", true, true), kSqlExecuted);
  EXPECT_TRUE(log_.Contains("Executing SQL Transaction: INSERT INTO T(a) VALUES(9);"));
  EXPECT_TRUE(log_.Contains("SQL Query Executed in "));
  EXPECT_FALSE(sql_.IsOpen());

  EXPECT_EQ(sql_.ExecuteSQL("INSERT INTO Nowhere VALUES(1);", true, true), kSqlFailed);
  EXPECT_TRUE(log_.Contains("SQL Query Failed: no such table: Nowhere "));
  EXPECT_EQ(prompts_.beeps, 1);
}

TEST_F(SqliteTest, FailedScriptLeavesNoTransactionOpenOnTheConnection) {
  EXPECT_EQ(sql_.ExecuteSQL("BEGIN TRANSACTION; INSERT INTO T(a) VALUES(10); INSERT INTO Nowhere VALUES(1); COMMIT;",
                            true, false),
            kSqlFailed);
  ASSERT_TRUE(sql_.IsOpen());
  EXPECT_TRUE(sqlite3_get_autocommit(sql_.Connection()));
  EXPECT_EQ(sql_.GetQueryData("SELECT count(*) FROM T WHERE a = 10", false, true).AsInteger(), 0);
}

TEST_F(SqliteTest, SingleValueKeepsFullIntegersAndTakesTheLastRow) {
  // Whole numbers are not cut to 16 bits.
  EXPECT_EQ(sql_.GetQueryData("SELECT a FROM T WHERE c = 'one'", true, true), SqlVariant::Int64(70000));
  EXPECT_EQ(sql_.GetQueryData("SELECT c FROM T ORDER BY a", true, true), SqlVariant::Text("one"));
  EXPECT_EQ(sql_.GetQueryData("SELECT b FROM T ORDER BY a", true, true), SqlVariant::Float64(1.5));
  EXPECT_EQ(sql_.GetQueryData("SELECT c FROM T WHERE a = 2", true, true), SqlVariant::Text("two"));
  EXPECT_TRUE(sql_.GetQueryData("SELECT a FROM T WHERE a = 99", true, true).IsSentinel(kSqlNoValue));
  EXPECT_TRUE(sql_.GetQueryData("SELECT d FROM T", true, true).IsSentinel(kSqlNoValue));
  EXPECT_TRUE(sql_.GetQueryData("SELEC nonsense", true, true).IsSentinel(kSqlNotPrepared));
  EXPECT_TRUE(log_.Contains("SQL Query Failed: SQL error or missing database "));
}

TEST_F(SqliteTest, QueryStringAndInstanceCount) {
  EXPECT_EQ(sql_.GetQueryString("SELECT c FROM T ORDER BY a DESC", true, true), "two");
  EXPECT_EQ(sql_.GetQueryString("SELECT c FROM T WHERE a = 99", true, true), "Undefined");
  EXPECT_EQ(sql_.GetQueryString("SELECT d FROM T", true, true), "");
  ASSERT_EQ(sql_.OpenDatabase(), kSqlOpened);
  EXPECT_EQ(sql_.GetInstanceCount("SELECT * FROM T"), 3);
  EXPECT_EQ(sql_.GetInstanceCount("SELECT * FROM Nowhere"), kSqlPrepareFailed);
  sql_.CloseDatabase();

  CSQLite missing;
  missing.SetDatabasePath(dir_.File("no/such/folder/x.sq3"));
  EXPECT_EQ(missing.GetQueryString("SELECT 1", true, true), "Undefined");
  EXPECT_EQ(missing.OpenDatabase(), kSqlOpenFailed);
  EXPECT_TRUE(log_.Contains("Error Opening Database " + dir_.File("no/such/folder/x.sq3") + " - Reason: "));
}

TEST_F(SqliteTest, OpenNeverCreatesAFile) {
  CSQLite other;
  other.SetDatabasePath(dir_.File("absent.sq3"));
  EXPECT_EQ(other.OpenDatabase(), kSqlOpenFailed);
  EXPECT_NE(access(dir_.File("absent.sq3").c_str(), F_OK), 0);
}

TEST_F(SqliteTest, ConfigDataByTypeAndQuotedKeys) {
  ASSERT_EQ(sql_.OpenDatabase(), kSqlOpened);
  SqlVariant v;
  EXPECT_EQ(sql_.GetConfigData("DB_Version", v), kSqlOpened);
  EXPECT_EQ(v.AsInteger(), 2);
  EXPECT_EQ(sql_.GetConfigData("Pi", v), kSqlOpened);
  EXPECT_EQ(v, SqlVariant::Float64(3.25));
  // A key with an apostrophe is found, and none can widen the statement.
  EXPECT_EQ(sql_.GetConfigData("Name's", v), kSqlOpened);
  EXPECT_EQ(v, SqlVariant::Text("text"));
  EXPECT_EQ(sql_.GetConfigData("x' OR '1'='1", v), kSqlNoConfigRow);
  EXPECT_EQ(sql_.GetConfigData("Missing", v), kSqlNoConfigRow);
  sql_.CloseDatabase();

  EXPECT_EQ(sql_.GetSingleValue("Config", "Config_Id", "Config_Mnemo", "Name's", true, true).AsInteger(), 3);
  EXPECT_TRUE(
      sql_.GetSingleValue("Config", "Config_Id", "Config_Mnemo", "x' OR '1'='1", true, true).IsSentinel(kSqlNoValue));
}

TEST_F(SqliteTest, ArrayFormFillsUpToCapacity) {
  std::vector<SqlVariant> v;
  EXPECT_EQ(sql_.GetQueryData("SELECT a, b, c, d, e FROM T WHERE c = 'one'", v, 3, true, true), 3);
  EXPECT_EQ(v[0], SqlVariant::Int64(70000));
  EXPECT_EQ(v[1], SqlVariant::Float64(1.5));
  EXPECT_EQ(v[2], SqlVariant::Text("one"));

  EXPECT_EQ(sql_.GetQueryData("SELECT c, a FROM T ORDER BY a", v, 3, true, true), 2);
  EXPECT_EQ(v[0], SqlVariant::Text("one"));
  EXPECT_TRUE(v[2].IsSentinel(kSqlNoValue));

  EXPECT_EQ(sql_.GetQueryData("SELECT a FROM T WHERE a = 99", v, 3, true, true), 3);
  for (const auto& x : v) EXPECT_TRUE(x.IsSentinel(kSqlNoValue));

  EXPECT_EQ(sql_.GetQueryData("SELECT d, e FROM T WHERE c = 'one'", v, 2, true, true), 2);
  EXPECT_EQ(v[0], SqlVariant::Text("Unhandled Column Type"));
  EXPECT_EQ(v[1], SqlVariant::Text("Unhandled Column Type"));

  SqlTable t;
  CSQLite closed;
  closed.SetDatabasePath(dir_.File("nope/x.sq3"));
  EXPECT_EQ(closed.GetQueryData("SELECT 1", v, 2, true, true), kSqlOpenFailed);
  EXPECT_EQ(closed.UpdateListCtrl("SELECT 1", t, true, true), kSqlOpenFailed);
}

TEST_F(SqliteTest, ListTableTakesAliasesAndShowsEmptyResults) {
  SqlTable t;
  std::vector<bool> cursor;
  sql_.SetWaitCursorHook([&cursor](bool busy) { cursor.push_back(busy); });
  EXPECT_EQ(sql_.UpdateListCtrl("SELECT a AS 'Id', b, c, d FROM T ORDER BY a", t, true, true), 3);
  EXPECT_EQ(cursor, (std::vector<bool>{true, false}));
  EXPECT_EQ(t.headers, (std::vector<std::string>{"Id", "b", "c", "d"}));
  EXPECT_EQ(t.rows[0], (std::vector<std::string>{"2", "2.500000", "two", ""}));
  EXPECT_EQ(t.rows[2][0], "70000");
  EXPECT_FALSE(t.emptyTable);

  EXPECT_EQ(sql_.UpdateListCtrl("SELECT * FROM T WHERE a = 99", t, true, true), 0);
  EXPECT_TRUE(t.emptyTable);
  EXPECT_EQ(t.headers, std::vector<std::string>{"Empty Table"});
  EXPECT_EQ(t.rows, (std::vector<std::vector<std::string>>{{"There is No Data to Show ..."}}));

  EXPECT_EQ(sql_.UpdateListCtrl("SELECT * FROM Nowhere", t, true, true), 0);
  EXPECT_TRUE(t.emptyTable);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0], "SQL Error:  no such table: Nowhere!!!! \nSQL Statement: SELECT * FROM Nowhere");
}

TEST_F(SqliteTest, StepErrorEndsTheLoopWithLogAndSentinel) {
  // abs() of the smallest integer fails while stepping, every time.
  const char* failing = "SELECT abs(-9223372036854775807 - 1)";
  EXPECT_TRUE(sql_.GetQueryData(failing, true, true).IsSentinel(kSqlNoValue));
  EXPECT_TRUE(log_.Contains("Step Error integer overflow"));
  std::vector<SqlVariant> v;
  EXPECT_EQ(sql_.GetQueryData(failing, v, 2, true, true), 2);
  SqlTable t;
  EXPECT_EQ(sql_.UpdateListCtrl(failing, t, true, true), 0);
  EXPECT_TRUE(t.emptyTable);
  EXPECT_EQ(sql_.GetQueryString(failing, true, true), "Undefined");
  EXPECT_GE(prompts_.beeps, 3);
}

TEST(SqlResultCodeText, KnownAndUnknownCodes) {
  EXPECT_EQ(CSQLite::GetResultCodeText(0), "Successful result");
  EXPECT_EQ(CSQLite::GetResultCodeText(5), "The database file is locked");
  EXPECT_EQ(CSQLite::GetResultCodeText(26), "File opened that is not a database file");
  EXPECT_EQ(CSQLite::GetResultCodeText(100), "sqlite3_step() has another row ready");
  EXPECT_EQ(CSQLite::GetResultCodeText(101), "sqlite3_step() has finished executing");
  EXPECT_EQ(CSQLite::GetResultCodeText(27), "Unknown Error");
  EXPECT_EQ(CSQLite::GetResultCodeText(-1), "Unknown Error");
}

TEST(SqlFormatVariant, EveryKind) {
  struct Case {
    SqlVariant value;
    std::string text;
    bool supported;
  };
  const Case cases[] = {
      {SqlVariant(), "COleVariant Empty", false},
      {SqlVariant::Int16(-2), "-2", true},
      {SqlVariant::Int32(70000), "70000", true},
      {SqlVariant::Int64(5000000000LL), "5000000000", true},
      {SqlVariant::Float32(1.5f), "1.500000", true},
      {SqlVariant::Float64(2.25), "2.250000", true},
      {SqlVariant::Date({2009, 12, 31, 14, 5, 9}), "31-12-2009 14:05:09", true},
      {SqlVariant::Text("abc"), "abc", true},
      {SqlVariant::Bool(true), "True", true},
      {SqlVariant::Bool(false), "False", true},
      {SqlVariant::Null(), "Unhandled format (1)", false},
  };
  for (const auto& c : cases) {
    std::string text;
    EXPECT_EQ(FormatVariant(c.value, text), c.supported) << c.text;
    EXPECT_EQ(text, c.text);
  }
}

TEST(SqlFormat, QuotesUserText) { EXPECT_EQ(SqlFormat("'%q' %d", "O'Brien", 3), "'O''Brien' 3"); }

// A child process that opens the database, starts a transaction with
// beginSql and holds it for holdMs before committing.
class LockHoldingChild {
 public:
  LockHoldingChild(const std::string& path, const char* beginSql, int holdMs) {
    int ready[2];
    if (pipe(ready) != 0) return;
    child_ = fork();
    if (child_ == 0) {
      close(ready[0]);
      sqlite3* db = nullptr;
      bool ok = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
                sqlite3_exec(db, beginSql, nullptr, nullptr, nullptr) == SQLITE_OK;
      char c = ok ? 'y' : 'n';
      if (write(ready[1], &c, 1) != 1) _exit(3);
      std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
      ok = ok && sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
      sqlite3_close(db);
      _exit(ok ? 0 : 2);
    }
    close(ready[1]);
    char c = 0;
    holding_ = child_ > 0 && read(ready[0], &c, 1) == 1 && c == 'y';
    close(ready[0]);
  }
  // True once the child holds its transaction.
  bool Holding() const { return holding_; }
  // Waits for the child; true when it committed and ended cleanly.
  bool Finished() {
    int status = 0;
    return child_ > 0 && waitpid(child_, &status, 0) == child_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

 private:
  pid_t child_ = -1;
  bool holding_ = false;
};

std::string DatabaseWithTableK(const test::TempDir& dir) {
  std::string path = dir.File("shared.sq3");
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE K(v INTEGER);", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return path;
}

// Another process holds an exclusive write lock for a while: reads wait it
// out in logged steps, writes wait too, and the file stays sound.
TEST(SqliteTwoProcesses, WaitingSideLogsBusyAndNothingIsLost) {
  test::TempDir dir;
  std::string path = DatabaseWithTableK(dir);
  LockHoldingChild child(path, "BEGIN EXCLUSIVE; INSERT INTO K VALUES(1);", 1200);
  ASSERT_TRUE(child.Holding());

  CapturingLogSink log;
  ScopedLogSink attached(log);
  test::ScriptedPrompts prompts;
  CSQLite sql(&prompts);
  sql.SetDatabasePath(path);
  sql.SetBusyWaitMs(200);
  EXPECT_EQ(sql.GetQueryData("SELECT count(*) FROM K", true, true).AsInteger(), 1);
  EXPECT_TRUE(log.Contains("Hit SQLITE_BUSY in CSQLite::GetQueryData"));
  EXPECT_GE(prompts.beeps, 1);
  EXPECT_EQ(sql.ExecuteSQL("INSERT INTO K VALUES(2);", true, true), kSqlExecuted);

  EXPECT_TRUE(child.Finished());
  EXPECT_EQ(sql.GetQueryString("PRAGMA integrity_check", true, true), "ok");
  EXPECT_EQ(sql.GetQueryData("SELECT count(*) FROM K", true, true).AsInteger(), 2);
}

TEST(SqliteTwoProcesses, WriteWaitsForTheOtherWriterThenSucceeds) {
  test::TempDir dir;
  std::string path = DatabaseWithTableK(dir);
  LockHoldingChild child(path, "BEGIN IMMEDIATE; INSERT INTO K VALUES(1);", 800);
  ASSERT_TRUE(child.Holding());

  CapturingLogSink log;
  ScopedLogSink attached(log);
  CSQLite sql;
  sql.SetDatabasePath(path);
  sql.SetBusyWaitMs(100);
  EXPECT_EQ(sql.ExecuteSQL("INSERT INTO K VALUES(2);", true, true), kSqlExecuted);
  EXPECT_TRUE(log.Contains("Hit SQLITE_BUSY in CSQLite::ExecuteSQL"));
  EXPECT_TRUE(child.Finished());
  EXPECT_EQ(sql.GetQueryData("SELECT count(*) FROM K", true, true).AsInteger(), 2);
}

}  // namespace
}  // namespace lx
