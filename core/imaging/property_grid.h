// The rows of a read-only property grid as the core builds them: groups in
// display order, each with its rows (name, value, description). The desktop
// program shows them in its grid widgets, the command line prints them.
#pragma once

#include <string>
#include <vector>

namespace lx {

struct GridRow {
  std::string name;
  std::string value;
  std::string description;
};

struct GridGroup {
  std::string title;
  std::vector<GridRow> rows;
};

using PropertyGrid = std::vector<GridGroup>;

}  // namespace lx
