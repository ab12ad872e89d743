// Dates as a camera's clock shows them: the fields of an Exif or XMP date
// text read as they stand, a UTC instant broken down in local time, and the
// list's "dd-mm-yyyy hh-mm-ss" text made from such fields. Nothing here goes
// through mktime, so a time inside a daylight-saving gap keeps its hour.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/times.h"

namespace lx {

// "YYYY:MM:DD HH:MM:SS" (Exif). Year, month and day must be set; fields out of
// range mean no date. A field that does not start with a digit reads 0.
std::optional<LocalFields> ParseExifDateFields(std::string_view text);

// An XMP date, "YYYY", "YYYY-MM", "YYYY-MM-DD" or "YYYY-MM-DDThh:mm[:ss[.s]][zone]".
// The clock reading is kept as written; the zone designator is ignored. Missing
// month or day count as 1, a missing time as midnight.
std::optional<LocalFields> ParseXmpDateFields(std::string_view text);

// A UTC instant broken down in local time (videos store their creation time in UTC).
std::optional<LocalFields> UtcToLocalFields(TimeT utc);

// A UTC instant broken down in UTC, for containers whose date is shown as written.
std::optional<LocalFields> UtcFields(TimeT utc);

// The fields with their weekday filled in (proleptic Gregorian calendar).
LocalFields WithWeekday(LocalFields fields);

// "dd-mm-yyyy hh-mm-ss" of the fields.
std::string FormatFieldsText(const LocalFields& fields);

}  // namespace lx
