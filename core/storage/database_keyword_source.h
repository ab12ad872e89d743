// %Kx and %KAx look their keyword up in the keyword table: one open, query and
// close per lookup, so that edits made meanwhile (by this program or another)
// are seen at once.
#pragma once

#include "masks/keyword_source.h"
#include "storage/sqlite.h"

namespace lx {

class DatabaseKeywordSource : public KeywordSource {
 public:
  explicit DatabaseKeywordSource(CSQLite& sqlite) : sqlite_(sqlite) {}

  std::string Keyword(int keywordId) override;
  std::string KeywordAbbreviation(int keywordId) override;

 private:
  CSQLite& sqlite_;
};

}  // namespace lx
