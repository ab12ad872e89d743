// The catalogue of every format element, as the element picker
// and the CLI's "catalogue" command show it.
#pragma once

#include <string>
#include <vector>

#include "platform/times.h"

namespace lx {

struct MaskCatalogueRow {
  std::string scope;  // group name on a group's first row, "    ''" on the others
  std::string format;
  std::string description;
  std::string sample;
};

// The 53 rows in display order; date samples show `now` in local time.
std::vector<MaskCatalogueRow> MaskCatalogue(TimeT now);

}  // namespace lx
