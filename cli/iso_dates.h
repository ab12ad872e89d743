// Dates for the JSON output: ISO 8601 in local time with the zone's offset,
// such as "2024-05-01T10:00:00+02:00", given beside the program's own texts.
#pragma once

#include <string>

#include "platform/times.h"
#include "table.h"

namespace lx::cli {

// Null when the time cannot be broken down.
TableCell IsoLocalTime(TimeT t);

// The ISO form of a date text of the program ("dd-mm-yyyy hh-mm-ss", or
// "yyyy-mm-dd hh:mm:ss" as the typed texts keep it); null for any other text.
TableCell IsoFromDateText(const std::string& text);

}  // namespace lx::cli
