// Standard Base64 (RFC 4648) on OpenSSL's encoder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lx {

std::string Base64Encode(std::string_view bytes);
// Blanks and line ends are skipped; nullopt for text that is not Base64.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace lx
