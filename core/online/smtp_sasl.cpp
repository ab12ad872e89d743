// The choice of login mechanism, the challenge of a "334" reply, and PLAIN.
#include "online/smtp_sasl.h"

#include "online/base64.h"
#include "platform/text.h"

namespace lx {

bool IsKeywordSupported(const std::string& reply, const std::string& keyword) {
  if (keyword.empty() || reply.size() < keyword.size()) return false;
  std::string text = ToUpperAscii(reply);
  std::string key = ToUpperAscii(keyword);
  for (size_t pos = text.find(key, 1); pos != std::string::npos; pos = text.find(key, pos + 1)) {
    char before = text[pos - 1];
    if (before != ' ' && before != '-' && before != '=') continue;
    size_t after = pos + key.size();
    if (after >= text.size()) continue;
    char next = text[after];
    if (next == ' ' || next == '=') return true;
    if (next == '\r' && after + 1 < text.size() && text[after + 1] == '\n') return true;
  }
  return false;
}

SaslMechanism ChooseSaslMechanism(const std::string& ehloReply) {
  if (IsKeywordSupported(ehloReply, "LOGIN")) return SaslMechanism::Login;
  if (IsKeywordSupported(ehloReply, "PLAIN")) return SaslMechanism::Plain;
  if (IsKeywordSupported(ehloReply, "CRAM-MD5")) return SaslMechanism::CramMd5;
  if (IsKeywordSupported(ehloReply, "DIGEST-MD5")) return SaslMechanism::DigestMd5;
  return SaslMechanism::None;
}

std::string SaslChallenge(const std::string& reply) {
  if (reply.size() <= 4) return {};
  size_t end = reply.find("\r\n", 4);
  auto decoded = Base64Decode(reply.substr(4, end == std::string::npos ? std::string::npos : end - 4));
  return decoded ? *decoded : std::string();
}

std::string PlainAnswer(const std::string& login, const std::string& password) {
  return login + '\0' + login + '\0' + password;
}

}  // namespace lx
