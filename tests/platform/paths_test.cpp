#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace lx {
namespace {

TEST(SplitPath, SplitsFolderTitleAndExtension) {
  struct Case {
    const char* path;
    const char* dir;
    const char* title;
    const char* ext;
  } cases[] = {
      {"/a/b/IMG_0001.JPG", "/a/b/", "IMG_0001", ".JPG"},
      {"/a/b/archive.tar.gz", "/a/b/", "archive.tar", ".gz"},
      {"/a/b/README", "/a/b/", "README", ""},
      {"/a/b/.hidden", "/a/b/", ".hidden", ""},
      {"name.", "", "name", "."},
      {"/a/b.d/noext", "/a/b.d/", "noext", ""},
      {"/a/b/", "/a/b/", "", ""},
      {"été 2024.jpg", "", "été 2024", ".jpg"},
  };
  for (const auto& c : cases) {
    PathParts p = SplitPath(c.path);
    EXPECT_EQ(p.drive, "") << c.path;
    EXPECT_EQ(p.dir, c.dir) << c.path;
    EXPECT_EQ(p.title, c.title) << c.path;
    EXPECT_EQ(p.ext, c.ext) << c.path;
    EXPECT_EQ(JoinPath(p), c.path);
  }
}

TEST(JoinPath, PutsExactlyOneSlashBetween) {
  EXPECT_EQ(JoinPath("/a/b", "c.jpg"), "/a/b/c.jpg");
  EXPECT_EQ(JoinPath("/a/b/", "/c.jpg"), "/a/b/c.jpg");
  EXPECT_EQ(WithTrailingSlash("/a"), "/a/");
  EXPECT_EQ(WithTrailingSlash("/a/"), "/a/");
  EXPECT_EQ(FileNameOf("/x/y/z.JPG"), "z.JPG");
}

TEST(CreateFolderTree, CreatesEveryMissingLevelAndReportsAFileInTheWay) {
  test::TempDir dir;
  std::string deep = dir.Path() + "/one/two/three";
  EXPECT_EQ(CreateFolderTree(deep), 0);
  EXPECT_TRUE(FolderExists(deep));
  EXPECT_EQ(CreateFolderTree(deep + "/"), 0);  // existing levels are fine

  test::WriteFile(dir.File("file"), "x");
  EXPECT_NE(CreateFolderTree(dir.File("file") + "/sub"), 0);
}

TEST(XdgFolders, FollowTheEnvironmentAndIgnoreRelativePaths) {
  {
    test::ScopedEnv env("XDG_CONFIG_HOME", "/tmp/cfg/");
    EXPECT_EQ(ConfigHome(), "/tmp/cfg");
  }
  test::ScopedEnv env("XDG_DATA_HOME", "relative/path");
  EXPECT_EQ(DataHome(), HomeFolder() + ".local/share");
}

TEST(Text, PluralPiecesAndCaseMapping) {
  EXPECT_STREQ(PluralS(0), " ");
  EXPECT_STREQ(PluralS(1), " ");
  EXPECT_STREQ(PluralS(2), "s ");
  EXPECT_EQ(StrFormat("%d File%sFound", 12, PluralS(12)), "12 Files Found");
  // Multi-byte sequences are left as they are.
  EXPECT_EQ(ToUpperAscii("été.jpg"), "éTé.JPG");
  EXPECT_EQ(Trim("  a b \t"), "a b");
  EXPECT_EQ(StrFormat("%s", std::string(1000, 'x').c_str()).size(), 1000u);
}

}  // namespace
}  // namespace lx
