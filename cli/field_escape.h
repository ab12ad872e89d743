// Escaping of a TAB-output field, so that one record is always one line and
// the fields of a record stay apart whatever a file name holds: "\n", "\t",
// "\\" and "\xHH" for the other control characters (and DEL). Bytes of 0x80
// and above pass as they are (UTF-8 names stay readable).
#pragma once

#include <string>
#include <string_view>

namespace lx::cli {

std::string EscapeField(std::string_view text);

}  // namespace lx::cli
