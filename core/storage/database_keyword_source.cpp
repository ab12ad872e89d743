#include "storage/database_keyword_source.h"

#include "platform/text.h"

namespace lx {

std::string DatabaseKeywordSource::Keyword(int keywordId) {
  if (sqlite_.DatabasePath().empty()) return "Undefined";
  return sqlite_.GetQueryString(
      StrFormat("SELECT LXKeyword_Keyword FROM LXKeyword WHERE (LXKeyword_KeywordId = %d AND LXKeyword_Status = %d); ",
                keywordId, 1),
      true, true);
}

std::string DatabaseKeywordSource::KeywordAbbreviation(int keywordId) {
  if (sqlite_.DatabasePath().empty()) return "Undefined";
  return sqlite_.GetQueryString(
      StrFormat("SELECT LXKeyword_AbbrKeyword FROM LXKeyword WHERE (LXKeyword_KeywordId = %d AND LXKeyword_Status = "
                "%d); ",
                keywordId, 1),
      true, true);
}

}  // namespace lx
