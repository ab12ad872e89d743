#include <gtest/gtest.h>

#include "base/prompts.h"
#include "online/update_check.h"
#include "platform/paths.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"
#include "test_servers.h"

namespace lx {
namespace {

using test::TempDir;

constexpr TimeT kNow = 1700000000;
constexpr std::uint32_t kV41 = (4u << 16) | 1u;

TEST(VersionFile, ParsingFollowsAtoi) {
  struct Case {
    std::string content;
    std::uint32_t high, low;
    std::string text;
  } cases[] = {
      {"4|1|0|Release notes", kV41, 0, "Release notes"},
      {"4|1|3|x\r\n", kV41, 3u << 16, "x"},
      {" 5abc|+2|7z|", (5u << 16) | 2u, 7u << 16, ""},
      {"four|one|zero|text", 0, 0, "text"},
      {"4|1", kV41, 0, ""},
      {"4|70000|0|x", (4u << 16) | (70000u & 0xFFFF), 0, "x"},
      {"", 0, 0, ""},
  };
  for (const auto& c : cases) {
    VersionFileData data = ParseVersionFile(c.content);
    EXPECT_EQ(data.high, c.high) << c.content;
    EXPECT_EQ(data.low, c.low) << c.content;
    EXPECT_EQ(data.text, c.text) << c.content;
  }
  // Only the first 511 bytes count.
  VersionFileData longOne = ParseVersionFile("4|1|2|" + std::string(505, 'a') + "TAIL");
  EXPECT_EQ(longOne.text, std::string(505, 'a'));
}

TEST(VersionFile, Texts) {
  EXPECT_EQ(FormatVersionText(kV41, 0), "4.1");
  EXPECT_EQ(FormatVersionText(kV41, 3u << 16), "4.1c");
  EXPECT_EQ(FormatVersionText(kV41, 1u << 16), "4.1a");
  EXPECT_EQ(FormatVersionText(ProgramVersionHigh(), ProgramVersionLow()), "4.1");
}

class UpdateCheckTest : public testing::Test {
 protected:
  void SetUp() override {
    server = std::make_unique<test::ChildServer>(std::vector<std::string>{
        test::ScriptPath("http_server.py"), "--root", web.Path(), "--log", web.File("requests.log")});
    settings.SetText("UpdateCheckUrl", Url("version/lorvexandrin_version.txt"));
  }

  std::string Url(const std::string& path) { return "http://127.0.0.1:" + std::to_string(server->Port()) + "/" + path; }
  void Serve(const std::string& content) { test::WriteFile(web.File("version/lorvexandrin_version.txt"), content); }
  size_t Requests() {
    std::string log = FileExists(web.File("requests.log")) ? test::ReadFile(web.File("requests.log")) : "";
    size_t n = 0;
    for (char c : log) n += c == '\n';
    return n;
  }

  std::unique_ptr<CUpdateCheck> Run(bool force, TimeT now = kNow) {
    auto check = std::make_unique<CUpdateCheck>(settings, &prompts);
    check->SetClock([now] { return now; });
    check->SetProgramVersion(kV41, 0);
    HttpOptions options;
    options.connectTimeoutMs = 2000;
    options.totalTimeoutMs = 3000;
    options.stallTimeoutMs = 1000;
    check->SetHttpOptions(options);
    check->Check(kUpdateUrlResource, force);
    return check;
  }

  TempDir web{"lx-web"};
  TempDir config{"lx-config"};
  SettingsStore settings{config.Path()};
  test::ScriptedPrompts prompts;
  std::unique_ptr<test::ChildServer> server;
};

TEST_F(UpdateCheckTest, ComparesWithTheProgramVersion) {
  struct Case {
    const char* file;
    int status;
    const char* remote;
    const char* message;
  } cases[] = {
      {"4|1|0|Release notes", 2, "4.1", "You are using the latest version of Lorvexandrin"},
      {"4|2|0|x", 1, "4.2",
       "A new Version is Available from Internet. Please Click on the Link to Get More "
       "Informations and Download the Latest release of Lorvexandrin"},
      {"4|1|3|x", 1, "4.1c", nullptr},
      {"4|0|9|x", 2, "4.0i", nullptr},
  };
  for (const auto& c : cases) {
    Serve(c.file);
    auto check = Run(true);
    EXPECT_EQ(check->status, c.status) << c.file;
    EXPECT_EQ(check->LocalVersionText(), "4.1");
    EXPECT_EQ(check->RemoteVersionText(), c.remote) << c.file;
    if (c.message) {
      EXPECT_EQ(check->MessageLine(), c.message) << c.file;
    }
  }
  EXPECT_NE(test::ReadFile(web.File("requests.log")).find("/version/lorvexandrin_version.txt Lorvexandrin"),
            std::string::npos);
}

TEST_F(UpdateCheckTest, NoAnswerMeansNoResultButTheTimeMovesOn) {
  test::WriteFile(web.File("version/lorvexandrin_version.txt.status"), "404");
  auto notFound = Run(true);
  EXPECT_EQ(notFound->status, 0);  // an error page is not a version file
  EXPECT_EQ(notFound->RemoteVersionText(), "Unknown");
  EXPECT_EQ(notFound->MessageLine(), " ");
  EXPECT_EQ(settings.FindNumber("LastCheckTime").value_or(0), static_cast<std::uint32_t>(kNow));

  std::remove(web.File("version/lorvexandrin_version.txt.status").c_str());
  Serve("");
  EXPECT_EQ(Run(true, kNow + 5)->status, 0);
  EXPECT_EQ(settings.FindNumber("LastCheckTime").value_or(0), static_cast<std::uint32_t>(kNow + 5));

  settings.SetText("UpdateCheckUrl", "http://127.0.0.1:1/version.txt");  // nobody listens there
  auto unreachable = Run(true, kNow + 9);
  EXPECT_EQ(unreachable->status, 0);
  EXPECT_EQ(unreachable->RemoteVersionText(), "Unknown");
  EXPECT_EQ(settings.FindNumber("LastCheckTime").value_or(0), static_cast<std::uint32_t>(kNow + 9));
}

TEST_F(UpdateCheckTest, TwentyEightDayRuleAndSwitch) {
  Serve("4|2|0|x");
  settings.SetNumber("CurrentVersion", 41);
  settings.SetNumber("LastCheckTime", static_cast<std::uint32_t>(kNow - 27 * 86400));
  EXPECT_EQ(Run(false)->status, 0);
  EXPECT_EQ(Requests(), 0u);
  EXPECT_EQ(Run(true)->status, 1);  // the manual check ignores the interval
  EXPECT_EQ(Requests(), 1u);
  EXPECT_EQ(settings.FindNumber("LastCheckTime").value_or(0), static_cast<std::uint32_t>(kNow));

  settings.SetNumber("LastCheckTime", static_cast<std::uint32_t>(kNow - kUpdateCheckInterval));
  EXPECT_EQ(Run(false)->status, 1);
  EXPECT_EQ(Requests(), 2u);

  settings.SetNumber("NoUpdateCheck", 1);
  settings.SetNumber("LastCheckTime", 0);
  EXPECT_EQ(Run(false)->status, 0);
  EXPECT_EQ(Requests(), 2u);
  EXPECT_EQ(Run(true)->status, 1);
}

TEST_F(UpdateCheckTest, NewReleaseTurnsTheCheckOnAgain) {
  Serve("4|1|0|x");
  settings.SetNumber("CurrentVersion", 40);
  settings.SetNumber("NoUpdateCheck", 1);
  EXPECT_EQ(Run(false)->status, 2);
  EXPECT_EQ(settings.FindNumber("NoUpdateCheck"), 0u);
  EXPECT_EQ(settings.FindNumber("CurrentVersion"), 41u);
}

TEST_F(UpdateCheckTest, MissingAddressSaysSoAndChangesNothing) {
  settings.SetText("UpdateCheckUrl", "");
  auto check = Run(true);
  EXPECT_TRUE(check->notConfigured);
  EXPECT_NE(check->notConfiguredMessage.find("UpdateCheckUrl"), std::string::npos);
  EXPECT_EQ(check->status, 0);
  EXPECT_FALSE(settings.FindNumber("LastCheckTime"));
  EXPECT_EQ(Requests(), 0u);
}

}  // namespace
}  // namespace lx
