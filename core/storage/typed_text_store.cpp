#include "storage/typed_text_store.h"

#include <ctime>

#include "platform/text.h"

namespace lx {

const char* const kTypedTextSortKeys[3] = {"KbdEntry_Id", "KbdEntry_Text", "KbdEntry_Date, KbdEntry_Time"};
const char* const kTypedTextPlaceholderWithHistory = "Type In Free Text Here or Select a Text from Data Entry List";
const char* const kTypedTextPlaceholder = "Type In Free Text Here";

bool IsConfirmableTypedText(const std::string& text) {
  return !text.empty() && text != kTypedTextPlaceholderWithHistory && text != kTypedTextPlaceholder;
}

int TypedTextStore::FillHistory(SqlTable& table, int sortIndex) {
  const char* key = kTypedTextSortKeys[(sortIndex >= 0 && sortIndex < 3) ? sortIndex : 0];
  std::string sql = StrFormat(
      "SELECT KbdEntry_Id AS 'Text Id', KbdEntry_Text AS 'Text Entry', KbdEntry_Date || ' ' || KbdEntry_Time AS "
      "'Date & Time' FROM KbdEntry ORDER BY %s",
      key);
  return sqlite_.UpdateListCtrl(sql, table, true, true);
}

int TypedTextStore::AddText(const std::string& text) {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char date[32] = "", time[32] = "";
  std::strftime(date, sizeof date, "%Y-%m-%d", &tm);
  std::strftime(time, sizeof time, "%H:%M:%S", &tm);
  std::string sql = SqlFormat(
      "INSERT OR IGNORE INTO KbdEntry( KbdEntry_Text, KbdEntry_Date, KbdEntry_Time) VALUES( '%q', '%s', '%s'); ",
      text.c_str(), date, time);
  return sqlite_.ExecuteSQL(sql, true, true);
}

int TypedTextStore::DeleteText(const std::string& text) {
  return sqlite_.ExecuteSQL(SqlFormat("DELETE FROM KbdEntry WHERE KbdEntry_Text = '%q'; ", text.c_str()), true, true);
}

int TypedTextStore::CountText(const std::string& text) {
  SqlVariant count = sqlite_.GetQueryData(
      SqlFormat("SELECT count(*) FROM KbdEntry WHERE KbdEntry_Text = '%q'", text.c_str()), true, true);
  return static_cast<int>(count.AsInteger(-1));
}

}  // namespace lx
