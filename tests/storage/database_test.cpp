#include "storage/database.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "base/log.h"
#include "scripted_prompts.h"
#include "storage/legacy_mask_file.h"
#include "storage/mask_store.h"
#include "storage/settings_store.h"
#include "store_world.h"
#include "temp_dir.h"

namespace lx {
namespace {

std::string Le32(std::int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i)
    s[static_cast<size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  return s;
}

std::string LegacyFile(const std::vector<std::pair<std::string, std::string>>& entries, int count = -1,
                       const std::string& signature = kLegacyMaskSignature) {
  std::string bytes =
      WriteArchiveString(signature) + Le32(7) + Le32(count < 0 ? static_cast<int>(entries.size()) : count);
  for (const auto& [mask, description] : entries) bytes += WriteArchiveString(mask) + WriteArchiveString(description);
  return bytes;
}

class DatabaseTest : public test::StoreWorld {
 protected:
  long long Version() {
    return sql_.GetQueryData("SELECT Config_IntData FROM Config WHERE Config_Mnemo = 'DB_Version'", true, true)
        .AsInteger(-99);
  }
};

TEST_F(DatabaseTest, FreshDatabaseHoldsExactlyTheDefaults) {
  ASSERT_TRUE(Check());
  std::string path = dir_.File("Lorvexandrin.sq3");
  EXPECT_EQ(settings_.GetText("LXDbPath"), path);
  EXPECT_EQ(sql_.DatabasePath(), path);
  EXPECT_EQ(db_.StatusText(), "Connected to Quorin Lorvexandrin Database at " + path);
  EXPECT_TRUE(
      log_.Contains("Checking for Quorin Lorvexandrin Database at " + path + " - Lorvexandrin.sq3 does NOT Exist !!!"));
  EXPECT_TRUE(log_.Contains("Quorin Lorvexandrin Database Created Successfully (File: " + path + ") "));
  EXPECT_TRUE(log_.Contains("Mask Data File " + dir_.File("MaskData.lmd") + " Not Found ... Setting Default Mask ..."));

  using Rows = std::vector<std::vector<std::string>>;
  EXPECT_EQ(this->Rows("SELECT * FROM LXKeyword"),
            (Rows{{"1", "Quorin Lorvexandrin", "Quorin LX", "1"}, {"2", "Empty Keyword", "Empty", "1"}}));
  Rows masks;
  for (int i = 0; i < kStandardMaskCount; ++i)
    masks.push_back({std::to_string(i + 1), kStandardMasks[i].mask, kStandardMasks[i].description, "1"});
  EXPECT_EQ(this->Rows("SELECT * FROM LXMask"), masks);
  EXPECT_EQ(Version(), 2);
  EXPECT_TRUE(this->Rows("SELECT * FROM KbdEntry").empty());

  // A second start finds the file and changes nothing.
  log_.Clear();
  ASSERT_TRUE(Check());
  EXPECT_TRUE(log_.Contains("Lorvexandrin.sq3 Already Exists ..."));
  EXPECT_FALSE(log_.Contains("Setting Default Mask"));
  EXPECT_EQ(this->Rows("SELECT * FROM LXMask").size(), 4u);
}

TEST_F(DatabaseTest, CancelledPathDialogStopsWithTheExplanation) {
  EXPECT_FALSE(db_.CheckDatabasePath([]() -> std::optional<std::string> { return std::nullopt; }));
  ASSERT_EQ(prompts_.richTextRequests.size(), 1u);
  EXPECT_EQ(prompts_.richTextRequests[0].title, "Quorin Lorvexandrin Database Path Error");
  EXPECT_NE(prompts_.richTextRequests[0].body.find("Please Restart Lorvexandrin 4.1 and Provide a Valid Path"),
            std::string::npos);
  EXPECT_EQ(settings_.GetText("LXDbPath"), "Undefined");
}

TEST_F(DatabaseTest, FileThatIsNotSqliteIsReportedAndKept) {
  std::string path = dir_.File("Lorvexandrin.sq3");
  const std::string junk = "this is a text file, not a database\n";
  test::WriteFile(path, junk);
  settings_.SetText("LXDbPath", path);
  EXPECT_FALSE(Check());
  EXPECT_TRUE(
      log_.Contains("Unable to Use Quorin Lorvexandrin Database " + path + " - Reason: file is not a database "));
  EXPECT_EQ(test::ReadFile(path), junk);
  EXPECT_TRUE(db_.StatusText().empty());
}

TEST_F(DatabaseTest, UncreatableFileIsReported) {
  settings_.SetText("LXDbPath", dir_.File("missing/folder/Lorvexandrin.sq3"));
  EXPECT_FALSE(Check());
  ASSERT_EQ(prompts_.richTextRequests.size(), 1u);
  EXPECT_NE(prompts_.richTextRequests[0].title.find("Creation Error"), std::string::npos);
  EXPECT_NE(prompts_.richTextRequests[0].body.find("\\par File: {\\b Lorvexandrin.sq3} "), std::string::npos);
}

TEST_F(DatabaseTest, LegacyImport) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> masks;  // stored after the standard mask
    std::string logTail;
  };
  const std::string std0 = kStandardMask;
  const Case cases[] = {
      {"duplicates",
       LegacyFile({{"%Y_%C3", "a"}, {"%d %b", "b"}, {"%Y_%C3", "c"}}),
       {"%Y_%C3", "%d %b"},
       "(2 Masks found)"},
      {"one distinct", LegacyFile({{"%Y_%C3", "a"}, {"%Y_%C3", "again"}}), {"%Y_%C3"}, "(1 Mask found)"},
      {"count 0", LegacyFile({}, 0), {}, "(0 Mask found)"},
      // The standard mask again would break the unique index and lose everything.
      {"standard mask inside", LegacyFile({{std0, "old"}, {"it's %C", "quote"}}), {"it's %C"}, "(1 Mask found)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    test::WriteFile(dir.File("MaskData.lmd"), c.bytes);
    CapturingLogSink log;
    ScopedLogSink attached(log);
    ASSERT_TRUE(db_.CheckDatabasePath([&]() -> std::optional<std::string> { return dir.Path(); }));
    settings_.SetText("LXDbPath", "Undefined");
    std::vector<std::vector<std::string>> expected{{std0}};
    for (const auto& m : c.masks) expected.push_back({m});
    EXPECT_EQ(Rows("SELECT LXMask_Mask FROM LXMask ORDER BY LXMask_Id"), expected);
    EXPECT_TRUE(
        log.Contains("Transfer Mask Data File (" + dir.File("MaskData.lmd") + ") successfully .. " + c.logTail));
    EXPECT_EQ(Version(), 2);
  }
}

TEST_F(DatabaseTest, LegacyFileWithBadSignatureChangesNothing) {
  test::WriteFile(dir_.File("MaskData.lmd"), LegacyFile({{"%Y", "a"}}, -1, "Something else"));
  EXPECT_TRUE(Check());
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0], "Invalid Signature of Lorvexandri Mask Data File !!! Unable to Load Data ...");
  EXPECT_TRUE(Rows("SELECT * FROM LXMask").empty());
  EXPECT_EQ(Version(), -1);  // tried again at the next start
  EXPECT_EQ(db_.UpgradeDatabase(), kSqlNoConfigRow);

  // Once the file is replaced, the next start imports it.
  test::WriteFile(dir_.File("MaskData.lmd"), LegacyFile({{"%Y", "a"}}));
  EXPECT_EQ(db_.UpgradeDatabase(), 0);
  EXPECT_EQ(Rows("SELECT LXMask_Mask FROM LXMask").size(), 2u);
}

TEST(LegacyMaskFile, ArchiveStringForms) {
  for (size_t n :
       {size_t{0}, size_t{37}, size_t{254}, size_t{255}, size_t{300}, size_t{0xFFFD}, size_t{0xFFFE}, size_t{70000}}) {
    std::string text(n, 'x');
    std::string bytes = WriteArchiveString(text) + "tail";
    size_t pos = 0;
    std::string read;
    ASSERT_TRUE(ReadArchiveString(bytes, pos, read)) << n;
    EXPECT_EQ(read, text);
    EXPECT_EQ(bytes.substr(pos), "tail");
  }
  EXPECT_EQ(WriteArchiveString(kLegacyMaskSignature)[0], '\x25');

  // UTF-16 form: 0xFF 0xFFFE, then the length in 16-bit units and the units.
  std::string wide = std::string("\xFF\xFE\xFF\x03", 4) + std::string("A\0\xE9\0\xAC\x20", 6);
  size_t pos = 0;
  std::string read;
  ASSERT_TRUE(ReadArchiveString(wide, pos, read));
  EXPECT_EQ(read, "A\xC3\xA9\xE2\x82\xAC");  // "Aé€"
  EXPECT_EQ(pos, wide.size());

  // Cut short: the length promises more than there is.
  std::string cut = std::string("\x05", 1) + "abc";
  pos = 0;
  EXPECT_FALSE(ReadArchiveString(cut, pos, read));
}

TEST(LegacyMaskFile, AtMostSixtyEntriesAndDamagedFiles) {
  std::vector<std::pair<std::string, std::string>> many;
  for (int i = 0; i < 70; ++i) many.push_back({"%Y-" + std::to_string(i), "d"});
  LegacyMaskData data = ParseLegacyMaskFile(LegacyFile(many));
  EXPECT_EQ(data.status, LegacyMaskStatus::Ok);
  EXPECT_EQ(data.announcedCount, 70);
  EXPECT_EQ(data.entries.size(), 60u);

  std::string whole = LegacyFile({{"%Y", "a"}, {"%m", "b"}});
  EXPECT_EQ(ParseLegacyMaskFile(whole.substr(0, whole.size() - 1)).status, LegacyMaskStatus::Damaged);
  EXPECT_EQ(ParseLegacyMaskFile("").status, LegacyMaskStatus::BadSignature);
  EXPECT_EQ(ParseLegacyMaskFile(LegacyFile({}, -5)).entries.size(), 0u);
}

class DatabaseInfoTest : public DatabaseTest {
 protected:
  void SetUp() override { ASSERT_TRUE(Check()); }
};

TEST_F(DatabaseInfoTest, DatabaseInformation) {
  EXPECT_EQ(FormatDatabaseSize(1002003), "1.2.3 bytes");
  EXPECT_EQ(FormatDatabaseSize(999), "0.0.999 bytes");
  masks_.AddMask("%Y", "d");
  std::string text = db_.DatabaseInfoText();
  EXPECT_EQ(text.rfind("{\\f1\\cb5\\cf1\\b Quorin Lorvexandrin Database Information's} ", 0), 0u);
  EXPECT_NE(text.find("Database Location: {\\b " + sql_.DatabasePath() + "} "), std::string::npos);
  EXPECT_NE(text.find("Number of Masks in Database Table: {\\b 5} "), std::string::npos);
  EXPECT_NE(text.find("Number of Keywords in Database Table: {\\b 2} "), std::string::npos);
  EXPECT_NE(text.find("Number of Keywbaord Entries: {\\b 0} "), std::string::npos);
  EXPECT_NE(text.find(" bytes} "), std::string::npos);

  db_.ShowDatabaseInfo();
  ASSERT_EQ(prompts_.richTextRequests.size(), 1u);
  EXPECT_EQ(prompts_.richTextRequests[0].title, "Quorin Lorvexandrin Database");
}

}  // namespace
}  // namespace lx
