// The logins (SASL mechanisms) of the SMTP client: which one a server's EHLO
// reply offers, and the answers each one sends. The conversation around them
// is CSmtp's; the answers here are the texts before Base64.
#pragma once

#include <string>

namespace lx {

// The mechanisms in the order they are preferred.
enum class SaslMechanism { None, Login, Plain, CramMd5, DigestMd5 };

// True when the reply lists the keyword: compared without case, not at the
// reply's first character, after a blank, "-" or "=", and before a blank,
// "=" or the line end.
bool IsKeywordSupported(const std::string& reply, const std::string& keyword);

// The first mechanism of the preferred order that the EHLO reply offers.
SaslMechanism ChooseSaslMechanism(const std::string& ehloReply);

// The decoded challenge of a "334 " reply; empty when it is not Base64.
std::string SaslChallenge(const std::string& reply);

// PLAIN (RFC 4616): authorisation and authentication identity are both the login.
std::string PlainAnswer(const std::string& login, const std::string& password);

// The answer to a decoded CRAM-MD5 challenge (before Base64): login, a blank, the HMAC.
std::string CramMd5Answer(const std::string& challenge, const std::string& login, const std::string& password);

// The response value of a DIGEST-MD5 login (RFC 2831), 32 hexadecimal digits.
std::string DigestMd5ResponseValue(const std::string& login, const std::string& realm, const std::string& password,
                                   const std::string& nonce, const std::string& cnonce, const std::string& nc,
                                   const std::string& qop, const std::string& digestUri);

// The whole answer text to a decoded DIGEST-MD5 challenge (before Base64).
// Throws ECSmtp 207 when the challenge has no usable nonce or realm.
std::string DigestMd5Answer(const std::string& challenge, const std::string& login, const std::string& password,
                            const std::string& cnonce, const std::string& digestUri);

}  // namespace lx
