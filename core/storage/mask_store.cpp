// The mask table's operations. Every statement runs through the CSQLite given
// to the store, which opens and closes the database around it.
#include "storage/mask_store.h"

#include <sqlite3.h>

#include "photo/defaults.h"
#include "platform/text.h"

namespace lx {

const char* const kMaskListStatement =
    "SELECT LXMask_Id AS 'Mask Id', LXMask_Mask AS 'Renaming Mask Format', LXMask_Descr AS 'Mask Description' "
    "FROM LXMask WHERE LXMask_Status = 1 ORDER BY LXMask_Id";

std::string MaskInsertStatement(const std::string& mask, const std::string& description) {
  return SqlFormat("INSERT INTO LXMask( LXMask_Mask, LXMask_Descr, LXMask_Status) VALUES( '%q', '%q', %d); ",
                   mask.c_str(), description.c_str(), 1);
}

int MaskStore::AddMask(const std::string& mask, const std::string& description) {
  if (sqlite_.ExecuteSQL(MaskInsertStatement(mask, description), true, false) != kSqlExecuted) {
    sqlite_.CloseDatabase();
    return -1;
  }
  SqlVariant id = sqlite_.GetSingleValue("LXMask", "LXMask_Id", "LXMask_Mask", mask, false, true);
  return static_cast<int>(id.AsInteger(-1));
}

int MaskStore::UpdateMask(int id, const std::string& mask, const std::string& description) {
  std::string sql =
      SqlFormat("UPDATE LXMask Set LXMask_Mask = '%q', LXMask_Descr = '%q', LXMask_Status = %d WHERE LXMask_Id = %d; ",
                mask.c_str(), description.c_str(), 1, id);
  return sqlite_.ExecuteSQL(sql, true, true) == kSqlExecuted ? id : -1;
}

int MaskStore::SwapMaskIds(int a, int b) {
  std::string script = "BEGIN TRANSACTION; ";
  const char* update = "UPDATE LXMask Set LXMask_Id = %d WHERE LXMask_Id = %d; ";
  script += StrFormat(update, kMaskParkingId, a);
  script += StrFormat(update, a, b);
  script += StrFormat(update, b, kMaskParkingId);
  script += "COMMIT; ";
  return sqlite_.ExecuteSQL(script, true, true);
}

int MaskStore::DeleteMask(int id) {
  return sqlite_.ExecuteSQL(StrFormat("UPDATE LXMask SET LXMask_Status = %d WHERE LXMask_Id = %d; ", 0, id), true,
                            true);
}

int MaskStore::FindMaskId(const std::string& mask) {
  SqlVariant id = sqlite_.GetQueryData(
      SqlFormat("SELECT LXMask_Id FROM LXMask WHERE LXMask_Mask = '%q' LIMIT 1;", mask.c_str()), true, true);
  return static_cast<int>(id.AsInteger(-1));
}

StoredMask MaskStore::LookupMask(const std::string& mask) {
  std::vector<SqlVariant> values;
  sqlite_.GetQueryData(
      SqlFormat("SELECT LXMask_Id, LXMask_Descr, LXMask_Status FROM LXMask WHERE LXMask_Mask = '%q';", mask.c_str()),
      values, 3, true, true);
  StoredMask stored;
  if (values.size() == 3 && values[0].IsInteger() && values[0].AsInteger() > 0) {
    stored.id = static_cast<int>(values[0].AsInteger());
    stored.description = values[1].kind() == SqlVariant::Kind::Text ? values[1].AsText() : "";
    stored.status = static_cast<int>(values[2].AsInteger(-1));
  }
  return stored;
}

int MaskStore::ListMasks(SqlTable& table) { return sqlite_.UpdateListCtrl(kMaskListStatement, table, true, true); }

std::vector<int> MaskStore::ActiveMaskIds() {
  std::vector<int> ids;
  for (const auto& item : FillMaskCombo("").items) ids.push_back(item.id);
  return ids;
}

MaskComboContent MaskStore::FillMaskCombo(const std::string& currentMask) {
  MaskComboContent content;
  if (sqlite_.OpenDatabase() != kSqlOpened) return content;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite_.Prepare(kMaskListStatement, &stmt, "FillMaskCombo") == SQLITE_OK) {
    for (;;) {
      int rc = sqlite3_step(stmt);
      if (rc == SQLITE_ROW) {
        MaskComboItem item;
        item.id = sqlite3_column_int(stmt, 0);
        const unsigned char* mask = sqlite3_column_text(stmt, 1);
        const unsigned char* descr = sqlite3_column_text(stmt, 2);
        item.mask = mask ? reinterpret_cast<const char*>(mask) : "";
        item.description = descr ? reinterpret_cast<const char*>(descr) : "";
        if (content.selectedIndex < 0 && item.mask == currentMask)
          content.selectedIndex = static_cast<int>(content.items.size());
        content.items.push_back(std::move(item));
      } else if (rc == SQLITE_BUSY) {
        sqlite3_sleep(100);
      } else {
        break;
      }
    }
  }
  sqlite3_finalize(stmt);
  sqlite_.CloseDatabase();
  if (content.selectedIndex < 0) {
    content.maskToUse = kStandardMask;
    content.selectedIndex = content.items.empty() ? -1 : 0;
  } else {
    content.maskToUse = currentMask;
  }
  return content;
}

}  // namespace lx
