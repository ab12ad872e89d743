// Monotonic tick counts for the durations the log reports.
#pragma once

#include <cstdint>

namespace lx {

std::uint64_t TickCountMs();
std::uint64_t TickCountUs();

}  // namespace lx
