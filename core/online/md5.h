// An incremental MD5 digest (RFC 1321) for the SMTP digest logins, computed on
// OpenSSL's digest. Misuse (updating a finished digest, asking for a digest
// before it is finished) is reported on standard error and changes nothing.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

struct evp_md_ctx_st;

namespace lx {

class MD5 {
 public:
  MD5();
  // Digest of the bytes, finalized at once.
  explicit MD5(std::string_view bytes);
  ~MD5();
  MD5(const MD5&) = delete;
  MD5& operator=(const MD5&) = delete;

  void update(const unsigned char* input, size_t length);
  void update(std::string_view bytes) { update(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()); }
  void finalize();

  // 16 bytes; a one-byte empty text before finalize.
  std::unique_ptr<unsigned char[]> raw_digest() const;
  // 32 lower-case hexadecimal digits and a terminating zero; "" before finalize.
  std::unique_ptr<char[]> hex_digest() const;

  // Conveniences over the two above.
  std::string raw_digest_string() const;  // 16 bytes, "" before finalize
  std::string hex_digest_string() const;

 private:
  evp_md_ctx_st* ctx_ = nullptr;
  unsigned char digest_[16] = {};
  bool finalized_ = false;
};

std::string Md5Hex(std::string_view bytes);
std::string Md5Raw(std::string_view bytes);

// HMAC-MD5 (RFC 2104) as 32 lower-case hexadecimal digits; a key longer than
// 64 bytes is first replaced by its MD5.
std::string HmacMd5Hex(std::string_view key, std::string_view text);

}  // namespace lx
