// Reading a folder with its sub-folders: a folder's own files before its
// sub-folders, sub-folders in name order, links to folders never followed,
// an unreadable folder left out and named, and the depth limit.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "rename/source_folder.h"
#include "temp_dir.h"

namespace lx {
namespace {

std::vector<std::string> Paths(const FolderTreeListing& listing) {
  std::vector<std::string> paths;
  for (const auto& file : listing.files) paths.push_back(file.subFolder + file.name);
  return paths;
}

class FolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.jpg", "A.jpg", "2024/z.jpg", "2024/06/x.jpg", "2024/06/deep/y.jpg", "2023/c.jpg"})
      test::WriteFile(dir.File(name), "x");
    std::filesystem::create_symlink(dir.File("2024"), dir.File("link"));
    std::filesystem::create_symlink(dir.File("b.jpg"), dir.File("b-link.jpg"));
  }
  void TearDown() override { ::chmod(dir.File("locked").c_str(), 0755); }

  test::TempDir dir{"lx-folder-tree"};
};

TEST_F(FolderTree, FolderByFolderWithoutLinkedFoldersAndUnreadableOnes) {
  test::WriteFile(dir.File("locked/hidden.jpg"), "x");
  ::chmod(dir.File("locked").c_str(), 0);
  FolderTreeListing listing;
  ASSERT_TRUE(ListFolderTree(dir.Path(), -1, listing));
  std::vector<std::string> expected = {"A.jpg",         "b-link.jpg",        "b.jpg", "2023/c.jpg", "2024/z.jpg",
                                       "2024/06/x.jpg", "2024/06/deep/y.jpg"};
  std::vector<std::string> unreadable = {"locked/"};
  if (::geteuid() == 0) {  // root reads every folder
    expected.push_back("locked/hidden.jpg");
    unreadable.clear();
  }
  EXPECT_EQ(Paths(listing), expected);
  EXPECT_EQ(listing.linkedFolders, std::vector<std::string>{"link/"});
  EXPECT_EQ(listing.unreadable, unreadable);
}

TEST_F(FolderTree, DepthLimit) {
  const std::pair<int, std::vector<std::string>> cases[] = {
      {0, {"A.jpg", "b-link.jpg", "b.jpg"}},
      {1, {"A.jpg", "b-link.jpg", "b.jpg", "2023/c.jpg", "2024/z.jpg"}},
      {2, {"A.jpg", "b-link.jpg", "b.jpg", "2023/c.jpg", "2024/z.jpg", "2024/06/x.jpg"}},
  };
  for (const auto& [depth, expected] : cases) {
    FolderTreeListing listing;
    ASSERT_TRUE(ListFolderTree(dir.Slash(), depth, listing));
    EXPECT_EQ(Paths(listing), expected) << depth;
  }
  FolderTreeListing none;
  EXPECT_FALSE(ListFolderTree(dir.File("missing"), -1, none));
}

}  // namespace
}  // namespace lx
