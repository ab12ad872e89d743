// CRAM-MD5 (RFC 2195): the login and the HMAC-MD5 of the server's challenge.
#include "online/md5.h"
#include "online/smtp_sasl.h"

namespace lx {

std::string CramMd5Answer(const std::string& challenge, const std::string& login, const std::string& password) {
  return login + " " + HmacMd5Hex(password, challenge);
}

}  // namespace lx
