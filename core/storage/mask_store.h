// The mask table LXMask behind the mask box, the mask editor and the CLI's
// mask commands: adding, changing, soft-deleting, reordering and looking up
// stored masks. Masks are never removed: deletion sets their status to 0.
#pragma once

#include <string>
#include <vector>

#include "storage/sqlite.h"

namespace lx {

constexpr int kMaskParkingId = 125000;  // id a mask holds while two ids are swapped

// The active masks in id order, with the column titles of the mask list.
extern const char* const kMaskListStatement;

// The statement that stores one active mask, for scripts that add several.
std::string MaskInsertStatement(const std::string& mask, const std::string& description);

// One entry of the mask box: mask, description and the mask id as item data.
struct MaskComboItem {
  int id = 0;
  std::string mask;
  std::string description;
};

struct MaskComboContent {
  std::vector<MaskComboItem> items;
  int selectedIndex = -1;  // -1 when the database could not be opened
  std::string maskToUse;   // empty when the database could not be opened
};

// A stored mask as the rename view looks it up.
struct StoredMask {
  int id = -1;
  std::string description;
  int status = -1;
};

class MaskStore {
 public:
  explicit MaskStore(CSQLite& sqlite) : sqlite_(sqlite) {}

  // The new mask's id, or -1 (the mask text is unique).
  int AddMask(const std::string& mask, const std::string& description);
  // id, or -1 when the statement failed.
  int UpdateMask(int id, const std::string& mask, const std::string& description);
  int SwapMaskIds(int a, int b);
  // Soft delete (status 0); ExecuteSQL's result.
  int DeleteMask(int id);
  // Id of the stored mask with this text (any status), or -1.
  int FindMaskId(const std::string& mask);
  // The mask's id, description and status; id -1 when it is not stored.
  StoredMask LookupMask(const std::string& mask);
  // The active masks in id order (the mask list's rows), as UpdateListCtrl gives them.
  int ListMasks(SqlTable& table);
  // Ids of the active masks in display order.
  std::vector<int> ActiveMaskIds();

  // The mask box's items and the mask to use with it: the current mask when
  // it is stored and active, else the standard mask.
  MaskComboContent FillMaskCombo(const std::string& currentMask);

 private:
  CSQLite& sqlite_;
};

}  // namespace lx
