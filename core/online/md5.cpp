#include "online/md5.h"

#include <openssl/evp.h>

#include <cstdio>
#include <cstring>
#include <iostream>

namespace lx {

namespace {
const char* const kNotFinalized = "finalized the digest!";
}

MD5::MD5() {
  ctx_ = EVP_MD_CTX_new();
  if (ctx_) EVP_DigestInit_ex(ctx_, EVP_md5(), nullptr);
}

MD5::MD5(std::string_view bytes) : MD5() {
  update(bytes);
  finalize();
}

MD5::~MD5() { EVP_MD_CTX_free(ctx_); }

void MD5::update(const unsigned char* input, size_t length) {
  if (finalized_) {
    std::cerr << "MD5::update:  Can't update a finalized digest!" << std::endl;
    return;
  }
  if (ctx_ && length > 0) EVP_DigestUpdate(ctx_, input, length);
}

void MD5::finalize() {
  if (finalized_) {
    std::cerr << "MD5::finalize:  Already finalized this digest!" << std::endl;
    return;
  }
  unsigned int size = 0;
  if (ctx_) EVP_DigestFinal_ex(ctx_, digest_, &size);
  finalized_ = true;
}

std::unique_ptr<unsigned char[]> MD5::raw_digest() const {
  if (!finalized_) {
    std::cerr << "MD5::raw_digest:  Can't get digest if you haven't " << kNotFinalized << std::endl;
    auto empty = std::make_unique<unsigned char[]>(1);
    empty[0] = 0;
    return empty;
  }
  auto out = std::make_unique<unsigned char[]>(16);
  std::memcpy(out.get(), digest_, 16);
  return out;
}

std::unique_ptr<char[]> MD5::hex_digest() const {
  if (!finalized_) {
    std::cerr << "MD5::hex_digest:  Can't get digest if you haven't " << kNotFinalized << std::endl;
    auto empty = std::make_unique<char[]>(1);
    empty[0] = 0;
    return empty;
  }
  auto out = std::make_unique<char[]>(33);
  for (int i = 0; i < 16; ++i) std::snprintf(out.get() + i * 2, 3, "%02x", digest_[i]);
  out[32] = 0;
  return out;
}

std::string MD5::raw_digest_string() const {
  if (!finalized_) return std::string(reinterpret_cast<const char*>(raw_digest().get()));
  return std::string(reinterpret_cast<const char*>(digest_), 16);
}

std::string MD5::hex_digest_string() const { return std::string(hex_digest().get()); }

std::string Md5Hex(std::string_view bytes) { return MD5(bytes).hex_digest_string(); }
std::string Md5Raw(std::string_view bytes) { return MD5(bytes).raw_digest_string(); }

std::string HmacMd5Hex(std::string_view key, std::string_view text) {
  std::string k(key);
  if (k.size() > 64) k = Md5Raw(k);
  k.resize(64, '\0');
  std::string ipad(64, '\0'), opad(64, '\0');
  for (int i = 0; i < 64; ++i) {
    ipad[i] = static_cast<char>(k[i] ^ 0x36);
    opad[i] = static_cast<char>(k[i] ^ 0x5c);
  }
  std::string inner = Md5Raw(ipad + std::string(text));
  return Md5Hex(opad + inner);
}

}  // namespace lx
