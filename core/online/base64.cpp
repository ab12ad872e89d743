#include "online/base64.h"

#include <openssl/evp.h>

#include <vector>

namespace lx {

std::string Base64Encode(std::string_view bytes) {
  if (bytes.empty()) return {};
  std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                          reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
  out.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return out;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\r' && c != '\n' && c != '\t') clean += c;
  if (clean.empty()) return std::string();
  if (clean.size() % 4 != 0) return std::nullopt;
  size_t padding = 0;
  if (clean.back() == '=') ++padding;
  if (clean.size() > 1 && clean[clean.size() - 2] == '=') ++padding;
  std::vector<unsigned char> out(clean.size() / 4 * 3 + 1);
  int n =
      EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(clean.data()), static_cast<int>(clean.size()));
  if (n < 0 || static_cast<size_t>(n) < padding) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(out.data()), static_cast<size_t>(n) - padding);
}

}  // namespace lx
