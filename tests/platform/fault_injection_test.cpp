// The fault-injection switch: it counts the calls that change the disk, fails
// exactly the chosen one with the chosen errno, and reads its setting text.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(FaultInjection, FailsOnlyTheChosenCallAndCountsThemAll) {
  TempDir dir;
  WriteFile(dir.File("a.jpg"), "photo");
  StartFaultInjection(0, 0);
  ASSERT_EQ(RenameNoReplace(dir.File("a.jpg"), dir.File("b.jpg")), 0);
  EXPECT_EQ(FaultInjectionCalls(), 1);
  EXPECT_FALSE(FaultInjected());

  StartFaultInjection(2, ENOSPC);
  EXPECT_EQ(RenameNoReplace(dir.File("b.jpg"), dir.File("c.jpg")), 0);  // call 1
  EXPECT_EQ(RenameNoReplace(dir.File("c.jpg"), dir.File("d.jpg")), ENOSPC);
  EXPECT_TRUE(FaultInjected());
  EXPECT_EQ(RenameNoReplace(dir.File("c.jpg"), dir.File("d.jpg")), 0);  // only one call fails
  StopFaultInjection();
  EXPECT_EQ(FaultInjectionCalls(), 3);
  EXPECT_EQ(ReadFile(dir.File("d.jpg")), "photo");

  // Off: nothing is counted any more.
  EXPECT_EQ(RenameNoReplace(dir.File("d.jpg"), dir.File("e.jpg")), 0);
  EXPECT_EQ(FaultInjectionCalls(), 3);
}

TEST(FaultInjection, ReadsNumberAndErrno) {
  struct Case {
    const char* text;
    bool valid;
    long failAt;
    int error;
  };
  for (const Case& c :
       {Case{"3:EIO", true, 3, EIO}, Case{"12:ENOSPC", true, 12, ENOSPC}, Case{"0:EINTR", true, 0, EINTR},
        Case{"4:28", true, 4, 28}, Case{"EIO", false, 0, 0}, Case{":EIO", false, 0, 0}, Case{"-1:EIO", false, 0, 0},
        Case{"2:EWHAT", false, 0, 0}, Case{"2x:EIO", false, 0, 0}, Case{"2:", false, 0, 0}}) {
    long failAt = -7;
    int error = -7;
    EXPECT_EQ(ParseFaultInjection(c.text, failAt, error), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(failAt, c.failAt) << c.text;
      EXPECT_EQ(error, c.error) << c.text;
    }
  }
}

}  // namespace
}  // namespace lx
