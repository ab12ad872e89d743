#include <gtest/gtest.h>

#include <chrono>

#include "base/log.h"
#include "online/video_help.h"
#include "platform/paths.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"
#include "test_servers.h"

namespace lx {
namespace {

using test::TempDir;

std::vector<VideoEntry> Entries(int n) {
  std::vector<VideoEntry> entries;
  for (int i = 0; i < n; ++i) entries.push_back({"Lorvexandrin40_Video" + std::to_string(i) + ".flv", 1000 + i});
  return entries;
}

TEST(VideoData, KeepsTheFirstHundredAndTheCountAsRead) {
  TempDir dir;
  test::WriteFile(dir.File("data.lxd"), BuildVideoFileData(Entries(120)));
  VideoTable table;
  test::ScriptedPrompts prompts;
  ASSERT_TRUE(LoadVideoFileData(dir.File("data.lxd"), table, &prompts));
  EXPECT_EQ(table.count, 120);
  EXPECT_EQ(table.entries.size(), 100u);
  EXPECT_EQ(table.GetVHFName(99), "Lorvexandrin40_Video99.flv");
  EXPECT_EQ(table.GetVHFSize(99), 1099);
  EXPECT_EQ(table.GetVHFName(100), "Illegal VHF Index");
  EXPECT_EQ(table.GetVHFSize(100), -1);
  EXPECT_TRUE(prompts.messages.empty());

  // Names of 255 bytes and more use the longer length prefix.
  std::string longName(300, 'v');
  VideoTable longTable;
  ASSERT_EQ(ParseVideoFileData(BuildVideoFileData({{longName, 7}}), longTable), VideoDataStatus::Ok);
  EXPECT_EQ(longTable.GetVHFName(0), longName);
}

TEST(VideoData, ForeignDamagedAndMissingFiles) {
  TempDir dir;
  std::string good = BuildVideoFileData(Entries(3));
  std::string foreign = good;
  foreign[5] = 'X';
  struct Case {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"foreign", foreign, "Invalid Signature of Lorvexandrin Video Data File !!! Unable to Load Data ..."},
      {"truncated", good.substr(0, good.size() - 2),
       "Damaged Lorvexandrin Video Data File !!! Unable to Load Data ..."},
      {"empty", "", "Invalid Signature of Lorvexandrin Video Data File !!! Unable to Load Data ..."},
  };
  for (const auto& c : cases) {
    test::WriteFile(dir.File(c.name), c.bytes);
    VideoTable table;
    test::ScriptedPrompts prompts;
    EXPECT_FALSE(LoadVideoFileData(dir.File(c.name), table, &prompts)) << c.name;
    EXPECT_EQ(table.count, 0) << c.name;
    EXPECT_TRUE(table.entries.empty()) << c.name;
    ASSERT_EQ(prompts.messages.size(), 1u) << c.name;
    EXPECT_NE(prompts.messages[0].find(c.message), std::string::npos) << prompts.messages[0];
  }
  VideoTable table;
  test::ScriptedPrompts prompts;
  EXPECT_FALSE(LoadVideoFileData(dir.File("missing"), table, &prompts));
  EXPECT_TRUE(prompts.messages.empty());
}

TEST(VideoData, RequestMailText) {
  MailText mail = ComposeVideoRequestMail("Ada", "Lovelace", "ada@example.org", "Lorvexandrin40_EditMask.flv",
                                          *MakeLocalTime(2021, 3, 5, 14, 7, 9));
  EXPECT_EQ(mail.subject, "Quorin Lorvexandrin 4.1 - Request VH File: Lorvexandrin40_EditMask.flv");
  EXPECT_EQ(mail.body,
            "Quorin VHF Request\r\nDate of Mail: 2021-03-05 14:07:09\r\nFrom: Ada Lovelace\r\n"
            "Mail: ada@example.org\r\nApplication: Lorvexandrin 4.1\r\nVHF: Lorvexandrin40_EditMask.flv\r\n");
  EXPECT_EQ(VideoProgressText(10, -1), "10 bytes Loaded");
  EXPECT_EQ(VideoProgressText(10, 20), "10 bytes on 20 bytes Loaded");
}

class VideoWebTest : public testing::Test {
 protected:
  void SetUp() override {
    server = std::make_unique<test::ChildServer>(std::vector<std::string>{
        test::ScriptPath("http_server.py"), "--root", web.Path(), "--log", web.File("requests.log")});
    settings.SetText("WebSiteUrl", "http://127.0.0.1:" + std::to_string(server->Port()) + "/");
    settings.SetText("LXDataFilePath", local.File("Lorvexandrin.lxd"));
    options.http.connectTimeoutMs = 2000;
    options.http.totalTimeoutMs = 4000;
    options.http.stallTimeoutMs = 1000;
    options.now = [this] { return now; };
  }

  std::string WebFile(const std::string& name) { return web.File("applications/lorvexandrin/visualhelp/" + name); }
  size_t Requests() {
    if (!FileExists(web.File("requests.log"))) return 0;
    std::string log = test::ReadFile(web.File("requests.log"));
    return static_cast<size_t>(std::count(log.begin(), log.end(), '\n'));
  }

  TempDir web{"lx-web"};
  TempDir local{"lx-local"};
  TempDir config{"lx-config"};
  SettingsStore settings{config.Path()};
  test::ScriptedPrompts prompts;
  VideoHelpOptions options;
  TimeT now = 1700000000;
  std::unique_ptr<test::ChildServer> server;
};

TEST_F(VideoWebTest, RefreshAtMostOnceADay) {
  test::WriteFile(local.File("Lorvexandrin.lxd"), BuildVideoFileData(Entries(2)));
  test::WriteFile(WebFile("Lorvexandrin.lxd"), BuildVideoFileData(Entries(5)));
  VideoTable table;

  settings.SetNumber("LastGetVideoDataTime", static_cast<std::uint32_t>(now - 86399));
  EXPECT_FALSE(RefreshVideoData(settings, table, &prompts, options));
  EXPECT_EQ(table.count, 2);  // the local file is still loaded
  EXPECT_EQ(Requests(), 0u);

  settings.SetNumber("LastGetVideoDataTime", static_cast<std::uint32_t>(now - 86400));
  EXPECT_TRUE(RefreshVideoData(settings, table, &prompts, options));
  EXPECT_EQ(table.count, 5);
  EXPECT_EQ(Requests(), 1u);
  EXPECT_EQ(settings.FindNumber("LastGetVideoDataTime").value_or(0), static_cast<std::uint32_t>(now));
  EXPECT_EQ(test::ReadFile(local.File("Lorvexandrin.lxd")), BuildVideoFileData(Entries(5)));
}

TEST_F(VideoWebTest, BadAnswersNeverReplaceTheLocalFile) {
  std::string good = BuildVideoFileData(Entries(2));
  test::WriteFile(local.File("Lorvexandrin.lxd"), good);
  struct Case {
    const char* name;
    std::function<void()> setUp;
  } cases[] = {
      {"error page", [&] { test::WriteFile(WebFile("Lorvexandrin.lxd.status"), "404"); }},
      {"foreign file", [&] { test::WriteFile(WebFile("Lorvexandrin.lxd"), "<html>not a data file</html>"); }},
      {"too long",
       [&] { test::WriteFile(WebFile("Lorvexandrin.lxd"), BuildVideoFileData(Entries(2)) + std::string(20000, 'x')); }},
      {"cut short",
       [&] {
         test::WriteFile(WebFile("Lorvexandrin.lxd"), BuildVideoFileData(Entries(9)));
         test::WriteFile(WebFile("Lorvexandrin.lxd.cut"), "20");
       }},
  };
  for (const auto& c : cases) {
    std::remove(WebFile("Lorvexandrin.lxd.status").c_str());
    std::remove(WebFile("Lorvexandrin.lxd.cut").c_str());
    c.setUp();
    now += 86400;
    VideoTable table;
    EXPECT_TRUE(RefreshVideoData(settings, table, &prompts, options)) << c.name;
    EXPECT_EQ(table.count, 2) << c.name;
    EXPECT_EQ(test::ReadFile(local.File("Lorvexandrin.lxd")), good) << c.name;
    // The attempt counts: the next one waits a day.
    EXPECT_EQ(settings.FindNumber("LastGetVideoDataTime").value_or(0), static_cast<std::uint32_t>(now)) << c.name;
  }
}

TEST_F(VideoWebTest, MissingWebSiteSaysSo) {
  settings.SetText("WebSiteUrl", "");
  CapturingLogSink log;
  ScopedLogSink attach(log);
  VideoTable table;
  EXPECT_FALSE(RefreshVideoData(settings, table, &prompts, options));
  EXPECT_TRUE(log.Contains("WebSiteUrl"));
  EXPECT_FALSE(settings.FindNumber("LastGetVideoDataTime"));
  std::string path;
  EXPECT_FALSE(DownloadVideo(settings, table, "Lorvexandrin40_EditMask.flv", &prompts, {}, options.http, path));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].find("WebSiteUrl"), std::string::npos);
}

TEST_F(VideoWebTest, DownloadCacheAndRefetchOfAnInterruptedFile) {
  const std::string name = "Lorvexandrin40_EditMask.flv";
  const std::string video(300000, 'v');
  test::WriteFile(WebFile(name), video);
  VideoTable table;
  ASSERT_EQ(ParseVideoFileData(BuildVideoFileData({{name, static_cast<int>(video.size())}}), table),
            VideoDataStatus::Ok);
  std::string cache = VideoCacheFolder(local.File("Lorvexandrin.lxd"));
  EXPECT_EQ(cache, local.Slash() + "VisualHelp/");
  EXPECT_FALSE(IsVideoCached(table, cache, name));

  // Interrupted: the partial file stays and does not count as cached.
  test::WriteFile(WebFile(name + ".cut"), "1000");
  CapturingLogSink log;
  ScopedLogSink attach(log);
  std::string path;
  EXPECT_FALSE(DownloadVideo(settings, table, name, &prompts, {}, options.http, path));
  EXPECT_EQ(path, cache + name);
  EXPECT_TRUE(log.Contains("File " + name + " Not in Local Cache. Loading File from Web Site 127.0.0.1..."));
  EXPECT_TRUE(FileExists(path));
  EXPECT_LT(test::ReadFile(path).size(), video.size());
  EXPECT_FALSE(IsVideoCached(table, cache, name));

  std::remove(WebFile(name + ".cut").c_str());
  std::uint64_t lastLoaded = 0;
  std::int64_t lastTotal = 0;
  EXPECT_TRUE(DownloadVideo(
      settings, table, name, &prompts,
      [&](std::uint64_t loaded, std::int64_t total) {
        lastLoaded = loaded;
        lastTotal = total;
      },
      options.http, path));
  EXPECT_EQ(lastLoaded, video.size());
  EXPECT_EQ(lastTotal, static_cast<std::int64_t>(video.size()));
  EXPECT_TRUE(IsVideoCached(table, cache, name));

  // One byte less than listed: no longer cached.
  test::WriteFile(path, video.substr(1));
  EXPECT_FALSE(IsVideoCached(table, cache, name));
  EXPECT_FALSE(IsVideoCached(table, cache, "Lorvexandrin40_Unlisted.flv"));
}

TEST_F(VideoWebTest, HttpStatusMessagesAndStalls) {
  VideoTable table;
  std::string path;
  struct Case {
    const char* status;
    const char* message;
  } cases[] = {
      {"401", "Not Authorized to Download Visual Help File - Error 401 - Please Contact Quorin"},
      {"404", "No Such Visual Help File - Error 404 - Please Contact Quorin"},
      {"500", "Internal Server Error - Error 500 - Please Contact Quorin"},
      {"503", "Unhandled Error in GetInternetHandle - Please Contact Quorin"},
  };
  for (const auto& c : cases) {
    prompts.messages.clear();
    test::WriteFile(WebFile("Video.flv.status"), c.status);
    EXPECT_FALSE(DownloadVideo(settings, table, "Video.flv", &prompts, {}, options.http, path));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], c.message);
    EXPECT_FALSE(FileExists(path)) << c.status;  // an error page never lands in the cache
  }

  test::WriteFile(WebFile("Slow.flv"), "x");
  test::WriteFile(WebFile("Slow.flv.stall"), "");
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(DownloadVideo(settings, table, "Slow.flv", &prompts, {}, options.http, path));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));

  prompts.messages.clear();
  EXPECT_FALSE(DownloadVideo(settings, table, "../escape.flv", &prompts, {}, options.http, path));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_FALSE(FileExists(local.File("escape.flv")));

  settings.SetText("WebSiteUrl", "http://127.0.0.1:1/");
  prompts.messages.clear();
  EXPECT_FALSE(DownloadVideo(settings, table, "Video.flv", &prompts, {}, options.http, path));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].rfind("Error Opening Internet File http://127.0.0.1:1/applications/lorvexandrin/"
                                      "visualhelp/Video.flv - Error: 7 - Reason: ",
                                      0),
            0u);
}

}  // namespace
}  // namespace lx
