#include "masks/stored_mask.h"

#include <gtest/gtest.h>

#include "photo/defaults.h"

namespace lx {
namespace {

TEST(StoredMaskTest, RepairsAndDefaults) {
  const std::pair<std::string, std::string> cases[] = {
      {"", kStandardMask},
      {"Undefined", kStandardMask},
      {"Undefined Mask", kStandardMask},
      {"%d-%b-%Y-%H-%H-%S", "%d-%b-%Y-%H-%M-%S"},
      {"%Y%m%d_%H%M%S", "%Y%m%d_%H%M%S"},
  };
  for (const auto& [stored, expected] : cases) EXPECT_EQ(RepairStoredMask(stored), expected) << stored;
}

}  // namespace
}  // namespace lx
