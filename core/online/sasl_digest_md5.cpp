// DIGEST-MD5 (RFC 2831): the response value and the answer to a challenge.
#include "online/md5.h"
#include "online/smtp_error.h"
#include "online/smtp_sasl.h"

namespace lx {

namespace {

// The value between double quotes that starts seven characters after the
// first occurrence of key (past `key="`).
bool QuotedValue(const std::string& text, const std::string& key, std::string& value, bool& found) {
  size_t pos = text.find(key);
  found = pos != std::string::npos;
  if (!found) return false;
  size_t start = pos + 7;
  if (start > text.size()) return false;
  size_t end = text.find('"', start);
  if (end == std::string::npos) return false;
  value = text.substr(start, end - start);
  return true;
}

}  // namespace

std::string DigestMd5ResponseValue(const std::string& login, const std::string& realm, const std::string& password,
                                   const std::string& nonce, const std::string& cnonce, const std::string& nc,
                                   const std::string& qop, const std::string& digestUri) {
  std::string a1 = Md5Raw(login + ":" + realm + ":" + password) + ":" + nonce + ":" + cnonce;
  std::string a2 = "AUTHENTICATE:" + digestUri;
  return Md5Hex(Md5Hex(a1) + ":" + nonce + ":" + nc + ":" + cnonce + ":" + qop + ":" + Md5Hex(a2));
}

std::string DigestMd5Answer(const std::string& challenge, const std::string& login, const std::string& password,
                            const std::string& cnonce, const std::string& digestUri) {
  std::string nonce, realm;
  bool hasNonce = false, hasRealm = false;
  if (!QuotedValue(challenge, "nonce", nonce, hasNonce)) throw ECSmtp(ECSmtp::BAD_DIGEST_RESPONSE);
  if (!QuotedValue(challenge, "realm", realm, hasRealm) && hasRealm) throw ECSmtp(ECSmtp::BAD_DIGEST_RESPONSE);
  const std::string nc = "00000001";
  const std::string qop = "auth";
  std::string response = DigestMd5ResponseValue(login, realm, password, nonce, cnonce, nc, qop, digestUri);
  std::string text = "charset=utf-8,username=\"" + login + "\"";
  if (hasRealm) text += ",realm=\"" + realm + "\"";
  text += ",nonce=\"" + nonce + "\"";
  text += ",nc=" + nc;
  text += ",cnonce=\"" + cnonce + "\"";
  text += ",digest-uri=\"" + digestUri + "\"";
  text += ",response=" + response;
  text += ",qop=" + qop;
  return text;
}

}  // namespace lx
