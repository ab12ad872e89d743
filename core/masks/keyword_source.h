// Where %Kx and %KAx elements find their keywords. The database implements it;
// without a database every lookup answers "Undefined".
#pragma once

#include <string>

namespace lx {

class KeywordSource {
 public:
  virtual ~KeywordSource() = default;
  // The active keyword (or its abbreviation) with this id; "Undefined" when
  // there is none or the database cannot be opened.
  virtual std::string Keyword(int keywordId) = 0;
  virtual std::string KeywordAbbreviation(int keywordId) = 0;
};

class NoKeywordSource : public KeywordSource {
 public:
  std::string Keyword(int) override { return "Undefined"; }
  std::string KeywordAbbreviation(int) override { return "Undefined"; }
};

}  // namespace lx
