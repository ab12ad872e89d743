// Every test program starts from the same known environment: a private
// config, data and state folder, a fixed time zone and the C locale. Nothing depends
// on the machine's own settings.
#include <gtest/gtest.h>

#include <cstdlib>

#include "temp_dir.h"

int main(int argc, char** argv) {
  static lx::test::TempDir home("lx-test-home");
  setenv("HOME", home.Path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home.Path() + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home.Path() + "/data").c_str(), 1);
  setenv("XDG_STATE_HOME", (home.Path() + "/state").c_str(), 1);
  setenv("TZ", "Europe/Paris", 1);
  setenv("LANG", "C.UTF-8", 1);
  unsetenv("LC_ALL");
  unsetenv("LX_FAKE_DEVICES");
  tzset();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
