// The order of the renames of one run in one folder. A rename whose new name
// is still the current name of another file of the run waits until that file
// has moved on (1.jpg -> 2.jpg after 2.jpg -> 3.jpg), and a cycle (a -> b,
// b -> a) is broken by first moving one of its files to a temporary name in
// the same folder. Only names that stay taken once the plan is done are refused.
#pragma once

#include <string>
#include <vector>

namespace lx {

struct PlannedRename {
  std::string from;  // current name in the folder
  std::string to;    // new name in the same folder
};

struct PlanStep {
  int index;          // into the planned renames
  bool park = false;  // move the file to its temporary name now; its rename comes later
};

// The steps in the order they are safe to do: every rename once, with a park
// step before it for each file that breaks a cycle. Renames with from == to,
// or whose new name no planned rename frees, keep their list order.
std::vector<PlanStep> OrderRenames(const std::vector<PlannedRename>& renames);

// A temporary name for parking a file of a cycle: visible and recognisable, so
// that a run killed in the middle leaves the photo in sight under a name that
// still holds its old one.
std::string ParkingName(const std::string& name);

}  // namespace lx
