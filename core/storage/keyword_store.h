// The keyword table behind the keyword editor, the keyword picker and the
// confirmation shown before a keyword that masks still use is deleted.
// Keywords are never removed: deletion sets their status to 0, and adding the
// same keyword text again brings the row back with its old id.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/sqlite.h"

namespace lx {

// Sort keys of the keyword lists: by id (default), keyword, abbreviation.
extern const char* const kKeywordSortKeys[3];

struct KeywordRow {
  int id = 0;
  std::string keyword;
  std::string abbreviation;
  int status = 0;
};

enum class KeywordResult {
  Added,        // a new row
  Reactivated,  // a deleted row came back with its old id and abbreviation
  Modified,
  Deleted,
  AlreadyActive,  // adding a keyword that is in the list already
  Protected,      // keywords 1 and 2
  NotFound,       // no active keyword with this id
  EmptyText,      // keyword or abbreviation empty after trimming
  Failed,         // the statement failed (logged by CSQLite)
};

// True when the mask has a %Kx (which 0), %KAx (which 1) or either (which 2)
// element naming this keyword id: %K12 names 12, never 1 or 123.
bool MaskUsesKeyword(std::string_view mask, int keywordId, int which);

// Registers LXMaskUsesKeyword(mask, id, which) on a connection.
void RegisterMaskKeywordFunction(sqlite3* db);

class KeywordStore {
 public:
  explicit KeywordStore(CSQLite& sqlite) : sqlite_(sqlite) {}

  static bool IsProtected(int id) { return id == 1 || id == 2; }

  // The active keywords as the list views show them; sortIndex picks kKeywordSortKeys.
  int FillKeywordList(SqlTable& table, int sortIndex = 0);
  std::vector<KeywordRow> ActiveKeywords();
  // The row with this id, whatever its status.
  std::optional<KeywordRow> FindKeyword(int id);

  // Texts are trimmed first. id receives the keyword's id when known.
  KeywordResult AddKeyword(const std::string& keyword, const std::string& abbreviation, int* id = nullptr);
  KeywordResult ModifyKeyword(int id, const std::string& keyword, const std::string& abbreviation);
  // Number of stored masks whose %Kx or %KAx element names the keyword.
  int CountMasksUsingKeyword(int id);
  // The two lists of the confirmation: masks with %Kx, masks with %KAx.
  void MasksUsingKeyword(int id, SqlTable& keywordMasks, SqlTable& abbreviationMasks);
  // Sets status 0; the caller has asked for confirmation when masks use it.
  KeywordResult DeleteKeyword(int id);

 private:
  CSQLite& sqlite_;
};

}  // namespace lx
