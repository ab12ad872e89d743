#include "rename/rename_plan.h"

#include <unistd.h>

#include <unordered_map>

#include "platform/text.h"

namespace lx {

std::vector<PlanStep> OrderRenames(const std::vector<PlannedRename>& renames) {
  const int count = static_cast<int>(renames.size());
  std::unordered_map<std::string, int> byFrom;
  for (int i = 0; i < count; ++i)
    if (renames[i].from != renames[i].to) byFrom.emplace(renames[i].from, i);
  // The rename that must go first because it frees the name i wants; -1 for none.
  auto blocker = [&](int i) {
    if (renames[i].from == renames[i].to) return -1;
    auto it = byFrom.find(renames[i].to);
    return it == byFrom.end() || it->second == i ? -1 : it->second;
  };

  // Each name is wanted by at most one rename here (equal new names were
  // numbered before), so the blockers form simple chains, some closing into
  // a cycle. Walk each chain to its end and do it backwards.
  enum : char { kNew, kOnPath, kDone };
  std::vector<char> state(static_cast<size_t>(count), kNew);
  std::vector<PlanStep> steps;
  steps.reserve(renames.size());
  std::vector<int> path;
  for (int start = 0; start < count; ++start) {
    if (state[start] != kNew) continue;
    path.clear();
    for (int cur = start;;) {
      state[cur] = kOnPath;
      path.push_back(cur);
      const int next = blocker(cur);
      if (next < 0 || state[next] == kDone) break;
      if (state[next] == kOnPath) {
        steps.push_back({next, true});  // the cycle closes: move its first file out of the way
        break;
      }
      cur = next;
    }
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
      steps.push_back({*it, false});
      state[*it] = kDone;
    }
  }
  return steps;
}

std::string ParkingName(const std::string& name) {
  std::string parked = StrFormat("lx-moving-%d-", static_cast<int>(::getpid())) + name;
  if (parked.size() > 255) parked.resize(255);
  return parked;
}

}  // namespace lx
