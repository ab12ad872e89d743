// The history of texts typed in for the keyboard-entry element, kept in the
// KbdEntry table: one row per distinct text with the date and time it was
// first typed.
#pragma once

#include <string>

#include "storage/sqlite.h"

namespace lx {

// Sort keys of the history list: by id (default), text, date and time.
extern const char* const kTypedTextSortKeys[3];

// The placeholders of the text field; neither can be confirmed as a text.
extern const char* const
    kTypedTextPlaceholderWithHistory;            // "Type In Free Text Here or Select a Text from Data Entry List"
extern const char* const kTypedTextPlaceholder;  // "Type In Free Text Here"

// True when the text may be confirmed: not empty and not a placeholder.
bool IsConfirmableTypedText(const std::string& text);

class TypedTextStore {
 public:
  explicit TypedTextStore(CSQLite& sqlite) : sqlite_(sqlite) {}

  int FillHistory(SqlTable& table, int sortIndex = 0);
  // Stores the text with the current local date and time; an existing text
  // keeps its first date. ExecuteSQL's result.
  int AddText(const std::string& text);
  int DeleteText(const std::string& text);
  // Number of rows with exactly this text (0 or 1), -1 when the database cannot be read.
  int CountText(const std::string& text);

 private:
  CSQLite& sqlite_;
};

}  // namespace lx
