#include "storage/keyword_store.h"

#include <sqlite3.h>

#include <cstdlib>

#include "platform/text.h"

namespace lx {

const char* const kKeywordSortKeys[3] = {"LXKeyword_KeywordId", "LXKeyword_Keyword", "LXKeyword_AbbrKeyword"};

namespace {

const char* SortKey(int index) { return kKeywordSortKeys[(index >= 0 && index < 3) ? index : 0]; }

void MaskUsesKeywordSql(sqlite3_context* context, int argc, sqlite3_value** argv) {
  const unsigned char* mask = sqlite3_value_text(argv[0]);
  int id = sqlite3_value_int(argv[1]);
  int which = argc > 2 ? sqlite3_value_int(argv[2]) : 2;
  sqlite3_result_int(context, mask && MaskUsesKeyword(reinterpret_cast<const char*>(mask), id, which) ? 1 : 0);
}

// The mask statements: which 0 finds %Kx, 1 %KAx, 2 either.
std::string MasksUsingStatement(int id, int which) {
  return StrFormat("SELECT *  FROM LXMask WHERE LXMaskUsesKeyword(LXMask_Mask, %d, %d)", id, which);
}

}  // namespace

bool MaskUsesKeyword(std::string_view mask, int keywordId, int which) {
  size_t i = 0;
  while (i < mask.size()) {
    if (mask[i] != '%' || i + 1 >= mask.size()) {
      ++i;
      continue;
    }
    if (mask[i + 1] != 'K') {
      i += 2;  // any other two-character element
      continue;
    }
    size_t j = i + 2;
    bool abbreviation = j < mask.size() && mask[j] == 'A';
    if (abbreviation) ++j;
    long long number = 0;
    size_t digits = 0;
    while (j < mask.size() && mask[j] >= '0' && mask[j] <= '9') {
      if (number < 1000000000LL) number = number * 10 + (mask[j] - '0');
      ++j;
      ++digits;
    }
    if (digits > 0 && number == keywordId && (which == 2 || which == (abbreviation ? 1 : 0))) return true;
    i = j;
  }
  return false;
}

void RegisterMaskKeywordFunction(sqlite3* db) {
  if (!db) return;
  sqlite3_create_function(db, "LXMaskUsesKeyword", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &MaskUsesKeywordSql,
                          nullptr, nullptr);
}

int KeywordStore::FillKeywordList(SqlTable& table, int sortIndex) {
  std::string sql = StrFormat(
      "SELECT LXKeyword_KeywordId AS 'Keyword Id', LXKeyword_Keyword AS 'Keyword', LXKeyword_AbbrKeyword AS 'Abbr. "
      "Keyword' FROM LXKeyword WHERE LXKeyword_Status = %d ORDER BY %s",
      1, SortKey(sortIndex));
  return sqlite_.UpdateListCtrl(sql, table, true, true);
}

std::vector<KeywordRow> KeywordStore::ActiveKeywords() {
  std::vector<KeywordRow> rows;
  SqlTable table;
  if (FillKeywordList(table, 0) <= 0) return rows;
  for (const auto& r : table.rows) {
    if (r.size() < 3) continue;
    KeywordRow row;
    row.id = std::atoi(r[0].c_str());
    row.keyword = r[1];
    row.abbreviation = r[2];
    row.status = 1;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::optional<KeywordRow> KeywordStore::FindKeyword(int id) {
  std::vector<SqlVariant> values;
  int n = sqlite_.GetQueryData(
      StrFormat("SELECT LXKeyword_KeywordId, LXKeyword_Keyword, LXKeyword_AbbrKeyword, LXKeyword_Status FROM "
                "LXKeyword WHERE LXKeyword_KeywordId = %d",
                id),
      values, 4, true, true);
  if (n != 4 || !values[0].IsInteger() || values[0].AsInteger() != id) return std::nullopt;
  KeywordRow row;
  row.id = id;
  row.keyword = values[1].AsText();
  row.abbreviation = values[2].AsText();
  row.status = static_cast<int>(values[3].AsInteger(0));
  return row;
}

KeywordResult KeywordStore::AddKeyword(const std::string& keywordIn, const std::string& abbreviationIn, int* id) {
  std::string keyword = Trim(keywordIn);
  std::string abbreviation = Trim(abbreviationIn);
  if (keyword.empty() || abbreviation.empty()) return KeywordResult::EmptyText;
  SqlVariant count = sqlite_.GetQueryData(
      SqlFormat("SELECT Count(*) FROM LXKeyword WHERE LXKeyword_Keyword = '%q'", keyword.c_str()), true, true);
  if (!count.IsInteger() || count.AsInteger() < 0) return KeywordResult::Failed;
  KeywordResult result = KeywordResult::Added;
  std::string sql;
  if (count.AsInteger() == 0) {
    sql = SqlFormat(
        "INSERT INTO LXKeyword( LXKeyword_Keyword, LXKeyword_AbbrKeyword, LXKeyword_Status) VALUES( '%q', '%q', %d); ",
        keyword.c_str(), abbreviation.c_str(), 1);
  } else {
    SqlVariant status = sqlite_.GetQueryData(
        SqlFormat("SELECT LXKeyword_Status FROM LXKeyword WHERE LXKeyword_Keyword = '%q'", keyword.c_str()), true,
        true);
    result = status.AsInteger(0) == 1 ? KeywordResult::AlreadyActive : KeywordResult::Reactivated;
    sql = SqlFormat("UPDATE LXKeyword Set LXKeyword_Status = 1 WHERE LXKeyword_Keyword = '%q';", keyword.c_str());
  }
  if (result != KeywordResult::AlreadyActive && sqlite_.ExecuteSQL(sql, true, true) != kSqlExecuted)
    return KeywordResult::Failed;
  if (id) {
    SqlVariant found = sqlite_.GetQueryData(
        SqlFormat("SELECT LXKeyword_KeywordId FROM LXKeyword WHERE LXKeyword_Keyword = '%q'", keyword.c_str()), true,
        true);
    *id = static_cast<int>(found.AsInteger(-1));
  }
  return result;
}

KeywordResult KeywordStore::ModifyKeyword(int id, const std::string& keywordIn, const std::string& abbreviationIn) {
  if (IsProtected(id)) return KeywordResult::Protected;
  std::string keyword = Trim(keywordIn);
  std::string abbreviation = Trim(abbreviationIn);
  if (keyword.empty() || abbreviation.empty()) return KeywordResult::EmptyText;
  auto row = FindKeyword(id);
  if (!row || row->status != 1) return KeywordResult::NotFound;
  std::string sql = SqlFormat(
      "UPDATE LXKeyword Set LXKeyword_Keyword = '%q', LXKeyword_AbbrKeyword = '%q' WHERE LXKeyword_KeywordId = %d; ",
      keyword.c_str(), abbreviation.c_str(), id);
  return sqlite_.ExecuteSQL(sql, true, true) == kSqlExecuted ? KeywordResult::Modified : KeywordResult::Failed;
}

int KeywordStore::CountMasksUsingKeyword(int id) {
  if (sqlite_.OpenDatabase() != kSqlOpened) return kSqlPrepareFailed;
  int count = sqlite_.GetInstanceCount(MasksUsingStatement(id, 2));
  sqlite_.CloseDatabase();
  return count;
}

void KeywordStore::MasksUsingKeyword(int id, SqlTable& keywordMasks, SqlTable& abbreviationMasks) {
  sqlite_.UpdateListCtrl(MasksUsingStatement(id, 0), keywordMasks, true, true);
  sqlite_.UpdateListCtrl(MasksUsingStatement(id, 1), abbreviationMasks, true, true);
}

KeywordResult KeywordStore::DeleteKeyword(int id) {
  if (IsProtected(id)) return KeywordResult::Protected;
  auto row = FindKeyword(id);
  if (!row || row->status != 1) return KeywordResult::NotFound;
  return sqlite_.ExecuteSQL(StrFormat("UPDATE LXKeyword Set LXKeyword_Status = 0 WHERE LXKeyword_KeywordId = %d; ", id),
                            true, true) == kSqlExecuted
             ? KeywordResult::Deleted
             : KeywordResult::Failed;
}

}  // namespace lx
