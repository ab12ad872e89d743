#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "online/base64.h"
#include "online/md5.h"
#include "online/smtp.h"
#include "platform/times.h"
#include "temp_dir.h"
#include "test_servers.h"

namespace lx {
namespace {

using test::ChildServer;
using test::ScriptPath;
using test::TempDir;

TEST(Md5, DigestsAndMisuse) {
  EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Hex("The quick brown fox jumps over the lazy dog"), "9e107d9d372bb6826bd81d3542a419d6");
  MD5 incremental;
  incremental.update(std::string_view("The quick brown fox "));
  incremental.update(std::string_view("jumps over the lazy dog"));

  testing::internal::CaptureStderr();
  EXPECT_STREQ(incremental.hex_digest().get(), "");
  incremental.finalize();
  incremental.update(std::string_view("ignored"));
  incremental.finalize();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_STREQ(incremental.hex_digest().get(), "9e107d9d372bb6826bd81d3542a419d6");
  EXPECT_NE(err.find("MD5::hex_digest:  Can't get digest if you haven't finalized the digest!"), std::string::npos);
  EXPECT_NE(err.find("MD5::update:  Can't update a finalized digest!"), std::string::npos);
  EXPECT_NE(err.find("MD5::finalize:  Already finalized this digest!"), std::string::npos);
}

TEST(Base64, RoundTripAndRejects) {
  EXPECT_EQ(Base64Encode(std::string("tim\0tim\0pw", 10)), "dGltAHRpbQBwdw==");
  EXPECT_EQ(Base64Decode("dGltAHRpbQBwdw=="), std::string("tim\0tim\0pw", 10));
  EXPECT_EQ(Base64Decode("Zm9v\r\n"), "foo");
  EXPECT_FALSE(Base64Decode("Zm9"));
  EXPECT_FALSE(Base64Decode("Zm!v"));
}

TEST(SmtpErrors, Texts) {
  EXPECT_EQ(ECSmtp(0).GetErrorText(), "");
  EXPECT_EQ(ECSmtp(402).GetErrorText(), "Server not responding");
  EXPECT_EQ(ECSmtp(417).GetErrorText(), "AUTH LOGIN is not supported by the server");
  EXPECT_EQ(ECSmtp(403).GetErrorText(), "Undefined error id");
  EXPECT_EQ(ECSmtp(109).GetErrorText(), "Undefined error id");
  EXPECT_EQ(ECSmtp(999).GetErrorText(), "Undefined error id");
  EXPECT_EQ(FindCommandEntry(command_DATAEND).recvTimeout, 600);
  EXPECT_EQ(FindCommandEntry(command_DATA).validReplyCode, 354);
}

TEST(SmtpHeader, Composition) {
  CSmtp smtp;
  smtp.SetFixedTime(*MakeLocalTime(2021, 3, 5, 14, 7, 9));
  smtp.SetSenderMail("me@example.org");
  smtp.AddRecipient("a@example.org");
  smtp.AddRecipient("b@example.org");
  EXPECT_EQ(smtp.ComposeHeader(),
            "Date: 05 Mar 2021 14:07:09\r\n"
            "From: <me@example.org>\r\n"
            "X-Priority: 3 (Normal)\r\n"
            "To: <a@example.org>,<b@example.org>\r\n"
            "Subject:  \r\n"
            "MIME-Version: 1.0\r\n"
            "Content-type: text/plain; charset=\"US-ASCII\"\r\n"
            "Content-Transfer-Encoding: 7bit\r\n\r\n");
  smtp.SetSenderName("Me");
  smtp.SetXMailer("mx.example.org");
  smtp.SetReplyTo("reply@example.org");
  smtp.SetXPriority(2);
  smtp.SetSubject("Hello\r\nBcc: evil@example.org");  // a line end cannot add a header
  std::string header = smtp.ComposeHeader();
  EXPECT_NE(header.find("From: Me <me@example.org>\r\nX-Mailer: mx.example.org\r\nReply-To: reply@example.org\r\n"
                        "X-Priority: 2 (High)\r\n"),
            std::string::npos);
  EXPECT_NE(header.find("Subject: Hello  Bcc: evil@example.org\r\n"), std::string::npos);
  smtp.SetXPriority(4);
  EXPECT_NE(smtp.ComposeHeader().find("X-Priority: 4 (Low)\r\n"), std::string::npos);
}

// ---- against servers on loopback ----

struct ReceivedMail {
  std::string from, to, data;
};

std::vector<ReceivedMail> ReadMails(const std::string& path) {
  std::vector<ReceivedMail> mails;
  std::string all = test::ReadFile(path);
  size_t pos = 0;
  while (pos < all.size()) {
    size_t nl = all.find('\n', pos);
    if (nl == std::string::npos) break;
    std::string head = all.substr(pos, nl - pos);
    size_t a = head.find('|'), b = head.find('|', a + 1);
    size_t length = std::stoul(head.substr(b + 1));
    mails.push_back({head.substr(0, a), head.substr(a + 1, b - a - 1), all.substr(nl + 1, length)});
    pos = nl + 1 + length;
  }
  return mails;
}

class SmtpServerTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::MakeTestCertificate(dir.Path(), cert, key)); }

  std::unique_ptr<ChildServer> Start(std::vector<std::string> extra) {
    std::vector<std::string> args = {ScriptPath("smtp_server.py"),
                                     "--out",
                                     dir.File("mails"),
                                     "--log",
                                     dir.File("auth.log"),
                                     "--login",
                                     "user@test",
                                     "--password",
                                     "s3cret"};
    args.insert(args.end(), extra.begin(), extra.end());
    return std::make_unique<ChildServer>(args);
  }

  void Configure(CSmtp& smtp, int port, int security) {
    smtp.SetSMTPServer("127.0.0.1", static_cast<unsigned short>(port));
    smtp.SetSecurityType(security);
    smtp.SetCaFile(cert);
    smtp.SetMaxWaitMs(5000);
    smtp.SetLogin("user@test");
    smtp.SetPassword("s3cret");
    smtp.SetSenderMail("user@test");
    smtp.SetSubject("Test");
    smtp.AddRecipient("box@test");
  }

  TempDir dir;
  std::string cert, key;
};

TEST_F(SmtpServerTest, MailArrivesByteForByteOverEachSecurity) {
  struct Case {
    int security;
    std::vector<std::string> args;
    const char* mechanism;
  } cases[] = {
      {NO_SECURITY, {}, "LOGIN"},
      {USE_TLS, {"--starttls", "--cert", cert, "--key", key, "--exclude", "LOGIN"}, "PLAIN"},
      {USE_SSL, {"--smtps", "--cert", cert, "--key", key}, "LOGIN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.security);
    std::remove(dir.File("mails").c_str());
    std::remove(dir.File("auth.log").c_str());
    auto server = Start(c.args);
    {
      CSmtp smtp;
      Configure(smtp, server->Port(), c.security);
      smtp.SetFixedTime(*MakeLocalTime(2021, 3, 5, 14, 7, 9));
      smtp.AddBodyLine("First line");
      smtp.AddBodyLine(".starts with a dot\r\n.\r\nMAIL FROM:<x@y>");
      smtp.Send();
      EXPECT_TRUE(smtp.IsConnected());
    }
    auto mails = ReadMails(dir.File("mails"));
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].from, "user@test");
    EXPECT_EQ(mails[0].to, "box@test");
    EXPECT_EQ(mails[0].data,
              "Date: 05 Mar 2021 14:07:09\r\n"
              "From: <user@test>\r\n"
              "X-Priority: 3 (Normal)\r\n"
              "To: <box@test>\r\n"
              "Subject: Test\r\n"
              "MIME-Version: 1.0\r\n"
              "Content-type: text/plain; charset=\"US-ASCII\"\r\n"
              "Content-Transfer-Encoding: 7bit\r\n"
              "\r\n"
              "First line\r\n"
              ".starts with a dot\r\n"
              ".\r\n"
              "MAIL FROM:<x@y>\r\n"
              "\r\n");
    EXPECT_NE(test::ReadFile(dir.File("auth.log")).find(std::string("AUTH ") + c.mechanism + " True"),
              std::string::npos);
  }
}

TEST_F(SmtpServerTest, NoBodyLinesSendsOneBlank) {
  auto server = Start({});
  {
    CSmtp smtp;
    Configure(smtp, server->Port(), NO_SECURITY);
    smtp.Send();
  }
  auto mails = ReadMails(dir.File("mails"));
  ASSERT_EQ(mails.size(), 1u);
  const std::string tail = "Content-Transfer-Encoding: 7bit\r\n\r\n \r\n\r\n";
  ASSERT_GE(mails[0].data.size(), tail.size());
  EXPECT_EQ(mails[0].data.substr(mails[0].data.size() - tail.size()), tail);
}

bool HasIpv6Loopback() {
  int fd = socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in6 address{};
  address.sin6_family = AF_INET6;
  address.sin6_addr = in6addr_loopback;
  const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return bound;
}

int SendError(CSmtp& smtp) {
  try {
    smtp.Send();
  } catch (const ECSmtp& e) {
    return e.GetErrorNum();
  }
  return 0;
}

TEST_F(SmtpServerTest, DigestLoginsAgainstRfcChallenges) {
  for (const char* mechanism : {"CRAM-MD5", "DIGEST-MD5"}) {
    SCOPED_TRACE(mechanism);
    std::remove(dir.File("mails").c_str());
    std::string other = std::string(mechanism) == "CRAM-MD5" ? "DIGEST-MD5" : "CRAM-MD5";
    auto server = Start({"--exclude", "LOGIN,PLAIN," + other});
    {
      CSmtp smtp;
      Configure(smtp, server->Port(), NO_SECURITY);
      smtp.AddBodyLine("digest");
      EXPECT_EQ(SendError(smtp), 0);
    }
    EXPECT_EQ(ReadMails(dir.File("mails")).size(), 1u);
    {
      CSmtp smtp;
      Configure(smtp, server->Port(), NO_SECURITY);
      smtp.SetPassword("wrong");
      // CRAM-MD5 fails on its answer, DIGEST-MD5 already on its response.
      EXPECT_EQ(SendError(smtp), std::string(mechanism) == "CRAM-MD5" ? 406 : 306);
      EXPECT_FALSE(smtp.IsConnected());
    }
  }
}

TEST_F(SmtpServerTest, LoginFailuresAndMissingAccount) {
  auto server = Start({});
  struct Case {
    const char* login;
    const char* password;
    int error;
  } cases[] = {{"user@test", "bad", 406}, {"", "s3cret", 204}, {"user@test", "", 205}};
  for (const auto& c : cases) {
    CSmtp smtp;
    Configure(smtp, server->Port(), NO_SECURITY);
    smtp.SetLogin(c.login);
    smtp.SetPassword(c.password);
    EXPECT_EQ(SendError(smtp), c.error) << c.login << "/" << c.password;
  }
  auto noMethod = Start({"--exclude", "LOGIN,PLAIN,CRAM-MD5,DIGEST-MD5"});
  {
    CSmtp smtp;
    Configure(smtp, noMethod->Port(), NO_SECURITY);
    EXPECT_EQ(SendError(smtp), 417);
  }
  auto noAuth = Start({"--no-auth"});
  CSmtp smtp;
  Configure(smtp, noAuth->Port(), NO_SECURITY);
  EXPECT_EQ(SendError(smtp), 0);  // no AUTH offered: the mail goes without logging in
}

TEST_F(SmtpServerTest, UntrustedCertificateAndMissingStartTls) {
  auto tls = Start({"--smtps", "--cert", cert, "--key", key});
  {
    CSmtp smtp;
    Configure(smtp, tls->Port(), USE_SSL);
    smtp.SetCaFile("");  // the system's store does not know the test certificate
    EXPECT_EQ(SendError(smtp), 414);
  }
  {
    CSmtp smtp;
    Configure(smtp, tls->Port(), USE_SSL);
    smtp.SetCaFile("");
    smtp.SetVerifyPeer(false);
    EXPECT_EQ(SendError(smtp), 0);
  }
  auto plain = Start({});
  CSmtp smtp;
  Configure(smtp, plain->Port(), USE_TLS);
  EXPECT_EQ(SendError(smtp), 416);
}

TEST_F(SmtpServerTest, SilentServerGives402WithinTheWait) {
  for (const char* mode : {"mute", "stall"}) {
    for (int security : {NO_SECURITY, USE_SSL}) {
      if (std::string(mode) == "stall" && security == USE_SSL) continue;
      SCOPED_TRACE(std::string(mode) + " " + std::to_string(security));
      ChildServer server({ScriptPath("smtp_server.py"), "--mode", mode});
      CSmtp smtp;
      Configure(smtp, server.Port(), security);
      smtp.SetMaxWaitMs(300);
      auto start = std::chrono::steady_clock::now();
      EXPECT_EQ(SendError(smtp), 402);
      auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
      EXPECT_LT(ms, 3000);
    }
  }
}

// Bare codes end a reply, dashed lines continue it, and a reply may arrive in pieces.
TEST(SmtpReplies, BareCodesDashesAndSplitReplies) {
  ChildServer server({ScriptPath("smtp_server.py"), "--mode", "terse"});
  CSmtp smtp;
  smtp.SetSMTPServer("127.0.0.1", static_cast<unsigned short>(server.Port()));
  smtp.SetMaxWaitMs(3000);
  smtp.SetSenderMail("a@test");
  smtp.AddRecipient("b@test");
  smtp.AddRecipient("c@test");
  smtp.AddBodyLine("body");
  EXPECT_NO_THROW(smtp.Send());
  EXPECT_EQ(smtp.LastReply(), "250 queued\r\n");
  smtp.Disconnect();
  EXPECT_FALSE(smtp.IsConnected());
  EXPECT_EQ(smtp.LastReply(), "221\r\n");
}

// A server reached over IPv6: the name resolves to ::1, and the DIGEST-MD5
// login names the server by its IPv6 address.
TEST_F(SmtpServerTest, MailArrivesOverIpv6Loopback) {
  if (!HasIpv6Loopback()) GTEST_SKIP() << "no IPv6 loopback on this machine";
  for (const char* mechanism : {"LOGIN", "DIGEST-MD5"}) {
    SCOPED_TRACE(mechanism);
    std::remove(dir.File("mails").c_str());
    std::vector<std::string> args = {"--host", "::1"};
    if (std::string(mechanism) == "DIGEST-MD5") args.insert(args.end(), {"--exclude", "LOGIN,PLAIN,CRAM-MD5"});
    auto server = Start(args);
    {
      CSmtp smtp;
      Configure(smtp, server->Port(), NO_SECURITY);
      smtp.SetSMTPServer("::1", static_cast<unsigned short>(server->Port()));
      smtp.AddBodyLine("over IPv6");
      EXPECT_EQ(SendError(smtp), 0);
    }
    auto mails = ReadMails(dir.File("mails"));
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_NE(mails[0].data.find("over IPv6\r\n"), std::string::npos);
  }
}

TEST(SmtpConnect, RefusedAndUnknownServer) {
  // A port nobody listens on: bind one, note it, close it.
  int port = 0;
  {
    ChildServer server({ScriptPath("smtp_server.py"), "--mode", "mute"});
    port = server.Port();
  }
  CSmtp smtp;
  smtp.SetSMTPServer("127.0.0.1", static_cast<unsigned short>(port));
  smtp.SetSenderMail("a@b");
  smtp.AddRecipient("c@d");
  smtp.SetMaxWaitMs(2000);
  EXPECT_EQ(SendError(smtp), 104);
  CSmtp nameless;
  nameless.SetSMTPServer("");
  EXPECT_EQ(SendError(nameless), 105);
}

}  // namespace
}  // namespace lx
