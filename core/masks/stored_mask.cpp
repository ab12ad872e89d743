#include "masks/stored_mask.h"

#include "photo/defaults.h"

namespace lx {

std::string RepairStoredMask(const std::string& stored) {
  if (stored.empty() || stored.find("Undefined") != std::string::npos) return kStandardMask;
  if (stored == "%d-%b-%Y-%H-%H-%S") return "%d-%b-%Y-%H-%M-%S";
  return stored;
}

}  // namespace lx
