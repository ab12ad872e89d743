#include "online/smtp_sasl.h"

#include <gtest/gtest.h>

#include "online/md5.h"
#include "online/smtp_error.h"

namespace lx {
namespace {

// The example exchanges of RFC 2195 (CRAM-MD5) and RFC 2831 (DIGEST-MD5).
TEST(SmtpAuth, RfcExampleExchanges) {
  EXPECT_EQ(CramMd5Answer("<1896.697170952@postoffice.reston.mci.net>", "tim", "tanstaaftanstaaf"),
            "tim b913a602c7eda7a495b4e6e7334d3890");
  EXPECT_EQ(DigestMd5ResponseValue("chris", "elwood.innosoft.com", "secret", "OA6MG9tEQGm2hh", "OA6MHXh6VqTrRk",
                                   "00000001", "auth", "imap/elwood.innosoft.com"),
            "d388dad90d4bbd760a152321f2143af7");
  // A key over 64 bytes is replaced by its MD5 first (RFC 2202 test case 6).
  EXPECT_EQ(HmacMd5Hex(std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First"),
            "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd");
}

TEST(SmtpAuth, DigestAnswerText) {
  std::string withRealm = DigestMd5Answer(
      "realm=\"elwood.innosoft.com\",nonce=\"OA6MG9tEQGm2hh\",qop=\"auth\",algorithm=md5-sess,charset=utf-8", "chris",
      "secret", "OA6MHXh6VqTrRk", "imap/elwood.innosoft.com");
  EXPECT_EQ(withRealm,
            "charset=utf-8,username=\"chris\",realm=\"elwood.innosoft.com\",nonce=\"OA6MG9tEQGm2hh\",nc=00000001,"
            "cnonce=\"OA6MHXh6VqTrRk\",digest-uri=\"imap/elwood.innosoft.com\","
            "response=d388dad90d4bbd760a152321f2143af7,qop=auth");
  // Without a realm: no realm item, but A1 still holds the empty realm between its colons.
  std::string noRealm = DigestMd5Answer("nonce=\"abc\",qop=\"auth\"", "u", "p", "1f", "smtp/127.0.0.1");
  EXPECT_EQ(noRealm.find("realm"), std::string::npos);
  EXPECT_NE(noRealm.find("response=" +
                         DigestMd5ResponseValue("u", "", "p", "abc", "1f", "00000001", "auth", "smtp/127.0.0.1")),
            std::string::npos);
  for (const char* bad : {"qop=\"auth\"", "nonce=\"unclosed", "realm=\"open,nonce=x"}) {
    try {
      DigestMd5Answer(bad, "u", "p", "1", "smtp/1.2.3.4");
      ADD_FAILURE() << bad;
    } catch (const ECSmtp& e) {
      EXPECT_EQ(e.GetErrorNum(), 207) << bad;
    }
  }
}

TEST(SmtpAuth, KeywordTest) {
  struct Case {
    const char* reply;
    const char* keyword;
    bool listed;
  } cases[] = {
      {"250-test\r\n250-AUTH LOGIN PLAIN\r\n250 OK\r\n", "LOGIN", true},
      {"250-test\r\n250-AUTH=LOGIN\r\n250 OK\r\n", "LOGIN", true},
      {"250-test\r\n250-AUTH XLOGIN PLAIN\r\n250 OK\r\n", "LOGIN", false},
      {"250-test\r\n250-AUTH PLAIN CRAM-MD5\r\n250 OK\r\n", "LOGIN", false},
      {"250-test\r\n250-auth plain\r\n250 OK\r\n", "PLAIN", true},
      {"250-test\r\n250 STARTTLS\r\n", "STARTTLS", true},
      {"250-test\r\n250-STARTTLSX\r\n", "STARTTLS", false},
      {"AUTH LOGIN\r\n", "AUTH", false},  // never at the reply's first character
  };
  for (const auto& c : cases) EXPECT_EQ(IsKeywordSupported(c.reply, c.keyword), c.listed) << c.reply << c.keyword;
}

TEST(SmtpAuth, MechanismPreferenceAndPlainAnswer) {
  EXPECT_EQ(ChooseSaslMechanism("250-x\r\n250 AUTH DIGEST-MD5 CRAM-MD5 PLAIN LOGIN\r\n"), SaslMechanism::Login);
  EXPECT_EQ(ChooseSaslMechanism("250-x\r\n250 AUTH DIGEST-MD5 CRAM-MD5\r\n"), SaslMechanism::CramMd5);
  EXPECT_EQ(ChooseSaslMechanism("250-x\r\n250 AUTH XOAUTH2\r\n"), SaslMechanism::None);
  EXPECT_EQ(PlainAnswer("tim", "pw"), std::string("tim\0tim\0pw", 10));
  EXPECT_EQ(SaslChallenge("334 Zm9v\r\n"), "foo");
  EXPECT_EQ(SaslChallenge("334 !!\r\n"), "");
}

}  // namespace
}  // namespace lx
