#include <gtest/gtest.h>

#include "base/log.h"
#include "cli_runner.h"
#include "online/feedback_mail.h"
#include "storage/settings_store.h"
#include "temp_dir.h"
#include "test_servers.h"

namespace lx {
namespace {

using test::TempDir;

TEST(FeedbackMail, CompositionOfTheThreeModes) {
  TimeT when = *MakeLocalTime(2021, 3, 5, 14, 7, 9);
  FeedbackRequest request;
  request.userName = "Ada King Lovelace";
  request.email = "ada@example.org";
  request.message = "Nice tool";
  MailText feedback = ComposeFeedbackMail(request, when);
  EXPECT_EQ(feedback.subject, "Feedback on Quorin Lorvexandrin 4.1");
  EXPECT_EQ(feedback.body,
            "Quorin Feedback\r\nDate of Mail: 2021-03-05 14:07:09\r\nFrom: Ada King Lovelace\r\n"
            "Mail: ada@example.org\r\nApplication: Lorvexandrin 4.1\r\nMessage: \r\nNice tool\r\n");

  request.mode = 2;
  EXPECT_EQ(ComposeFeedbackMail(request, when).subject, "Support Request for Quorin Lorvexandrin 4.1 VHF");

  request.mode = 3;
  request.userName = "Ada";
  request.videoName = "Lorvexandrin40_EditMask.flv";
  request.verdict = 1;
  MailText video = ComposeFeedbackMail(request, when);
  EXPECT_EQ(video.subject, "Feedback on Quorin Lorvexandrin 4.1 VHF");
  EXPECT_EQ(video.body,
            "Quorin VHF Feedback\r\nDate of Mail: 2021-03-05 14:07:09\r\nFrom: Ada \r\nMail: ada@example.org\r\n"
            "Visual Help File: Lorvexandrin40_EditMask.flv\r\nFeedback Type: Positive Feedback\r\n"
            "Message: \r\nNice tool\r\n");
  request.verdict = 0;
  EXPECT_NE(ComposeFeedbackMail(request, when).body.find("Feedback Type: Negative Feedback\r\n"), std::string::npos);

  EXPECT_EQ(FeedbackSentText(1, 12), "Mail of Feedback Sent in 12 msec. to Quorin. Thank you for your feedback");
  EXPECT_EQ(FeedbackSentText(2, 12),
            "Mail of Support Request Sent in 12 msec. to Quorin. Thank you for your using Quorin Lorvexandrin 4.1");
  EXPECT_EQ(FeedbackSentText(3, 12),
            "Mail of Visual Help Feedback Sent in 12 msec. to Quorin. Thank you for your feedback");
}

TEST(FeedbackMail, AccountComesFromSettingsAndEnvironment) {
  TempDir config;
  SettingsStore settings(config.Path());
  MailAccount account;
  std::string message;
  EXPECT_FALSE(LoadMailAccount(settings, account, message));
  EXPECT_NE(message.find("SmtpServer"), std::string::npos);
  settings.SetText("SmtpServer", "mail.example.org");
  EXPECT_FALSE(LoadMailAccount(settings, account, message));
  EXPECT_NE(message.find("FeedbackMailbox"), std::string::npos);
  settings.SetText("FeedbackMailbox", "box@example.org");
  test::ScopedEnv login("LX_SMTP_LOGIN", "me@example.org");
  test::ScopedEnv password("LX_SMTP_PASSWORD", "pw");
  ASSERT_TRUE(LoadMailAccount(settings, account, message));
  EXPECT_EQ(account.port, 465);
  EXPECT_EQ(account.security, 2);
  EXPECT_TRUE(account.verifyPeer);
  EXPECT_EQ(account.login, "me@example.org");
  EXPECT_EQ(account.password, "pw");
  // The account never lands in the settings file.
  std::string stored = test::ReadFile(settings.KeyFilePath(kSettingsKey));
  EXPECT_EQ(stored.find("pw"), std::string::npos);
  EXPECT_EQ(stored.find("me@example.org"), std::string::npos);
}

class FeedbackServerTest : public testing::Test {
 protected:
  void SetUp() override {
    server = std::make_unique<test::ChildServer>(std::vector<std::string>{
        test::ScriptPath("smtp_server.py"), "--out", dir.File("mails"), "--login", "me@test", "--password", "pw"});
  }
  std::map<std::string, std::string> Env() {
    return {{"LX_SMTP_LOGIN", "me@test"}, {"LX_SMTP_PASSWORD", "pw"}, {"XDG_CONFIG_HOME", dir.File("config")}};
  }
  void Configure() {
    for (auto args :
         std::vector<std::vector<std::string>>{{"settings", "set", "SmtpServer", "127.0.0.1"},
                                               {"settings", "set", "SmtpPort", std::to_string(server->Port())},
                                               {"settings", "set", "SmtpSecurity", "0"},
                                               {"settings", "set", "FeedbackMailbox", "box@test"}})
      ASSERT_EQ(test::RunCli(args, Env()).exitCode, 0);
  }

  TempDir dir;
  std::unique_ptr<test::ChildServer> server;
};

TEST_F(FeedbackServerTest, CliSendsTheMailAndPrintsTheLogLine) {
  Configure();
  auto result = test::RunCli({"send-feedback", "--mode", "3", "--name", "Ada Lovelace", "--email", "ada@test",
                              "--message", "Clear video", "--video", "Lorvexandrin40_EditMask.flv", "--verdict", "1"},
                             Env());
  ASSERT_EQ(result.exitCode, 0) << result.err;
  auto lines = test::Lines(result.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("Mail of Visual Help Feedback Sent in ", 0), 0u) << lines[0];
  std::string mails = test::ReadFile(dir.File("mails"));
  EXPECT_EQ(mails.rfind("me@test|box@test|", 0), 0u);
  EXPECT_NE(mails.find("Subject: Feedback on Quorin Lorvexandrin 4.1 VHF\r\n"), std::string::npos);
  EXPECT_NE(mails.find("From: me@test <me@test>\r\nX-Mailer: 127.0.0.1\r\nReply-To: me@test\r\n"), std::string::npos);
  EXPECT_NE(mails.find("From: Ada Lovelace\r\nMail: ada@test\r\n"), std::string::npos);
  EXPECT_EQ(result.err.find("pw"), std::string::npos);
}

TEST_F(FeedbackServerTest, VideoRequestMailIsLogged) {
  MailAccount account;
  account.server = "127.0.0.1";
  account.port = static_cast<unsigned short>(server->Port());
  account.security = 0;
  account.login = "me@test";
  account.password = "pw";
  account.mailbox = "box@test";
  account.maxWaitMs = 5000;
  CapturingLogSink log;
  ScopedLogSink attach(log);
  MailOutcome sent = SendVideoRequest(account, "Ada", "Lovelace", "ada@test", "Lorvexandrin40_EditMask.flv",
                                      *MakeLocalTime(2021, 3, 5, 14, 7, 9));
  ASSERT_TRUE(sent.ok) << sent.text;
  EXPECT_TRUE(log.Contains(VideoRequestSentText(sent.elapsedMs)));
  std::string mails = test::ReadFile(dir.File("mails"));
  EXPECT_NE(mails.find("Subject: Quorin Lorvexandrin 4.1 - Request VH File: Lorvexandrin40_EditMask.flv\r\n"),
            std::string::npos);
  EXPECT_NE(mails.find("\r\n\r\nQuorin VHF Request\r\nDate of Mail: 2021-03-05 14:07:09\r\n"), std::string::npos);

  account.password = "wrong";
  MailOutcome failed = SendVideoRequest(account, "Ada", "Lovelace", "ada@test", "X.flv", 0);
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.errorCode, 406);
  EXPECT_TRUE(log.Contains("Error Occured while Sending Mail !!! Reason: Bad login or password "));
}

TEST_F(FeedbackServerTest, CliRefusals) {
  auto notConfigured = test::RunCli({"send-feedback", "--mode", "1", "--email", "a@test", "--message", "m"}, Env());
  EXPECT_EQ(notConfigured.exitCode, 1);
  EXPECT_NE(notConfigured.err.find("SmtpServer"), std::string::npos);

  Configure();
  auto noEmail = test::RunCli({"send-feedback", "--mode", "1", "--name", "A B", "--message", "m"}, Env());
  EXPECT_EQ(noEmail.exitCode, 1);
  EXPECT_NE(noEmail.err.find("Please Enter a Valid Email Adress to Send Feedback/Request !!!"), std::string::npos);

  EXPECT_EQ(test::RunCli({"send-feedback", "--mode", "4", "--email", "a@test"}, Env()).exitCode, 2);
  EXPECT_EQ(test::RunCli({"send-feedback", "--mode", "3", "--email", "a@test"}, Env()).exitCode, 2);

  auto env = Env();
  env["LX_SMTP_PASSWORD"] = "wrong";
  auto badLogin = test::RunCli({"send-feedback", "--mode", "2", "--email", "a@test", "--message", "m"}, env);
  EXPECT_EQ(badLogin.exitCode, 1);
  EXPECT_NE(badLogin.err.find("Error Occured while Sending Mail !!! Reason: Bad login or password "),
            std::string::npos);
  EXPECT_TRUE(badLogin.out.empty());
}

TEST(UpdateCheckCli, PrintsOneLineOrSaysWhatIsMissing) {
  TempDir dir, web;
  std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", dir.File("config")}};
  auto missing = test::RunCli({"update-check", "--force"}, env);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("UpdateCheckUrl"), std::string::npos);

  test::WriteFile(web.File("v.txt"), "9|0|2|Get it");
  test::ChildServer server({test::ScriptPath("http_server.py"), "--root", web.Path()});
  ASSERT_EQ(
      test::RunCli(
          {"settings", "set", "UpdateCheckUrl", "http://127.0.0.1:" + std::to_string(server.Port()) + "/v.txt"}, env)
          .exitCode,
      0);
  auto forced = test::RunCli({"update-check", "--force"}, env);
  ASSERT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(forced.out,
            "1\t4.1\t9.0b\tA new Version is Available from Internet. Please Click on the Link to Get More "
            "Informations and Download the Latest release of Lorvexandrin\n");
  // Checked just now: the automatic check waits, and says nothing about the web.
  auto automatic = test::RunCli({"update-check"}, env);
  ASSERT_EQ(automatic.exitCode, 0);
  EXPECT_EQ(automatic.out, "0\t4.1\tUnknown\t \n");
  EXPECT_EQ(test::RunCli({"update-check", "extra"}, env).exitCode, 2);
}

}  // namespace
}  // namespace lx
