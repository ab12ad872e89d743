// Tables of lorvexandrin-cli: names with control characters stay one escaped
// record in the TAB output, and --json gives one document with the documented
// keys for every command that prints a table.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "photo_factory.h"
#include "platform/file_ops.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace lx {
namespace {

using nlohmann::json;
using test::Lines;

class CliTables : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WritePhotoTakenAt(photos.File("a.jpg"), "2021:06:05 14:03:09");
    test::WritePhoto(photos.File("b\nc.jpg"));
    test::WritePhoto(photos.File("d\te\\f\x01.jpg"));
    test::WritePhoto(photos.File("z.jpg"));
  }
  test::CliResult Run(const std::vector<std::string>& args) { return test::RunCli(args, env); }
  json RunJson(const std::vector<std::string>& args) {
    auto r = Run(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return json::parse(r.out);  // throws (and fails the test) on anything but one JSON document
  }

  test::TempDir home{"lx-cli-tables"};
  test::TempDir photos{"lx-cli-tables-photos"};
  std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", home.File("config")},
                                         {"XDG_DATA_HOME", home.File("data")}};
};

TEST_F(CliTables, ControlCharactersAreEscapedSoEachRowIsOneLine) {
  auto r = Run({"list", "--mask", "%F", photos.Path()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto rows = Lines(r.out);
  ASSERT_EQ(rows.size(), 4u) << r.out;
  EXPECT_EQ(Split(rows[1], '\t')[0], "b\\nc.jpg");
  EXPECT_EQ(Split(rows[2], '\t')[0], "d\\te\\\\f\\x01.jpg");
  EXPECT_EQ(Split(rows[2], '\t')[1], "d\\te\\\\f\\x01.jpg");
  for (const auto& row : rows) EXPECT_EQ(Split(row, '\t').size(), 5u) << row;

  // The indices of the escaped list name the same rows for --select.
  auto renamed = Run({"rename", "--mask", "renamed", "--select", "2", photos.Path()});
  ASSERT_EQ(renamed.exitCode, 0) << renamed.err;
  EXPECT_TRUE(PathExists(photos.File("renamed-003.jpg")));  // the third of four rows with that name
  EXPECT_FALSE(PathExists(photos.File("d\te\\f\x01.jpg")));
  EXPECT_TRUE(PathExists(photos.File("b\nc.jpg")));
}

TEST_F(CliTables, JsonCarriesNamesAsTheyAreWithIsoDates) {
  json rows = RunJson({"list", "--json", "--mask", "%Y%m%d_%F", photos.Path()});
  ASSERT_TRUE(rows.is_array());
  ASSERT_EQ(rows.size(), 4u);
  const std::vector<std::string> keys = {"index",         "current_name", "new_name", "file_date",
                                         "exif_date",     "comments",     "path",     "file_date_iso",
                                         "exif_date_iso", "counter",      "renamed",  "error"};
  for (const auto& row : rows)
    for (const auto& key : keys) EXPECT_TRUE(row.contains(key)) << key;
  EXPECT_EQ(rows[0]["current_name"], "a.jpg");
  EXPECT_EQ(rows[0]["new_name"], "20210605_a.jpg");
  EXPECT_EQ(rows[0]["exif_date"], "05-06-2021 14-03-09");
  EXPECT_EQ(rows[0]["exif_date_iso"], "2021-06-05T14:03:09+02:00");  // TZ is Europe/Paris in the tests
  EXPECT_EQ(rows[0]["renamed"], false);
  EXPECT_TRUE(rows[1]["exif_date_iso"].is_null());
  EXPECT_EQ(rows[1]["current_name"], "b\nc.jpg");
  EXPECT_EQ(rows[2]["path"], photos.File("d\te\\f\x01.jpg"));
  EXPECT_EQ(rows[3]["index"], 3);
  const std::string fileIso = rows[3]["file_date_iso"];
  EXPECT_EQ(fileIso.size(), 25u) << fileIso;  // yyyy-mm-ddThh:mm:ss+hh:mm

  // rename --json: the rows after the run, the renamed ones marked, with their counter.
  json after = RunJson({"rename", "--json", "--mask", "P%C3", "--select", "0,3", photos.Path()});
  ASSERT_EQ(after.size(), 4u);
  EXPECT_EQ(after[0]["current_name"], "P001.jpg");
  EXPECT_EQ(after[0]["renamed"], true);
  EXPECT_EQ(after[0]["counter"], 1);
  EXPECT_EQ(after[1]["renamed"], false);
}

TEST_F(CliTables, EveryTableCommandGivesOneDocumentWithItsKeys) {
  test::TempDir devices{"lx-cli-tables-devices"};
  test::WritePhoto(devices.File("Camera/DCIM/IMG_1.JPG"));
  env["LX_FAKE_DEVICES"] = devices.Path();
  ASSERT_EQ(Run({"keywords", "add", "Sea", "S"}).exitCode, 0);
  ASSERT_EQ(Run({"texts", "add", "Trip"}).exitCode, 0);

  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> keys;
  } cases[] = {
      {{"details", photos.File("a.jpg")}, {"group", "property", "value", "description", "value_iso"}},
      {{"attributes", photos.File("a.jpg")}, {"group", "property", "value", "description", "value_iso"}},
      {{"settings", "list"}, {"name", "value"}},
      {{"keywords", "list"}, {"keyword_id", "keyword", "abbreviation"}},
      {{"texts", "list"}, {"text_id", "text", "date", "date_iso"}},
      {{"masks", "list"}, {"mask_id", "mask", "description"}},
      {{"devices"}, {"friendly_name", "device_id"}},
      {{"mask", "%Y-%m"}, {"spec_id", "spec_mask", "spec_type", "spec_sub_type", "additional_data", "spec_error"}},
      {{"catalogue"}, {"scope", "format", "description", "sample"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("--json");
    json rows = RunJson(args);
    ASSERT_TRUE(rows.is_array()) << args[0];
    ASSERT_FALSE(rows.empty()) << args[0];
    for (const auto& row : rows) {
      ASSERT_EQ(row.size(), c.keys.size()) << args[0] << row.dump();
      for (const auto& key : c.keys) EXPECT_TRUE(row.contains(key)) << args[0] << " " << key;
    }
  }

  // Typed values: numbers are numbers, the date of a typed text has its ISO form.
  json settings = RunJson({"settings", "list", "--json"});
  EXPECT_EQ(settings[1]["name"], "RenameType");
  EXPECT_EQ(settings[1]["value"], 0);
  json texts = RunJson({"texts", "list", "--json"});
  EXPECT_EQ(texts[0]["text"], "Trip");
  EXPECT_TRUE(texts[0]["date_iso"].is_string()) << texts.dump();
  json keywords = RunJson({"keywords", "list", "--json"});
  EXPECT_TRUE(keywords[0]["keyword_id"].is_number());
  json devices_ = RunJson({"devices", "--json"});
  EXPECT_EQ(devices_[0]["friendly_name"], "Camera");
}

}  // namespace
}  // namespace lx
