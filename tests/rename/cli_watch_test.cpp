// lorvexandrin-cli watch DIR as a user runs it: a child process that lists,
// follows the folder and ends cleanly on SIGINT.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "photo_factory.h"
#include "temp_dir.h"

namespace lx {
namespace {

using namespace std::chrono;
using test::TempDir;

class WatchProcess {
 public:
  WatchProcess(const std::string& folder, const std::string& home) {
    int out[2], err[2];
    EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(err, O_CLOEXEC), 0);
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      dup2(err[1], 2);
      int null = open("/dev/null", O_RDONLY);
      dup2(null, 0);
      setenv("HOME", home.c_str(), 1);
      setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
      setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
      execl(LX_CLI_PATH, LX_CLI_PATH, "watch", folder.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
  }
  ~WatchProcess() {
    if (pid_ > 0 && !ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(outFd_);
    close(errFd_);
  }

  // Reads until the text appears on standard output (or error) or the time is up.
  bool WaitFor(const std::string& text, bool onErr, milliseconds limit) {
    auto end = steady_clock::now() + limit;
    while (steady_clock::now() < end) {
      if ((onErr ? err : out).find(text) != std::string::npos) return true;
      Pump(20);
    }
    return (onErr ? err : out).find(text) != std::string::npos;
  }
  int Interrupt() {
    kill(pid_, SIGINT);
    return Wait();
  }
  int Wait() {
    int status = 0;
    auto end = steady_clock::now() + seconds(5);
    while (steady_clock::now() < end) {
      Pump(10);
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        Pump(0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -100 - WTERMSIG(status);
      }
    }
    return -2;
  }

  std::string out, err;

 private:
  void Pump(int timeoutMs) {
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return;
    char buffer[4096];
    for (int i = 0; i < 2; ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP))) continue;
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) (i == 0 ? out : err).append(buffer, static_cast<size_t>(n));
    }
  }

  pid_t pid_ = -1;
  int outFd_ = -1, errFd_ = -1;
  bool ended_ = false;
};

TEST(CliWatchTest, ListsThenFollowsMatchingChangesUntilInterrupted) {
  TempDir home, dir, outside;
  test::WritePhotoTakenAt(dir.File("first.jpg"), "2021:06:01 10:00:00");
  WatchProcess watch(dir.Path(), home.Path());
  ASSERT_TRUE(watch.WaitFor("first.jpg\t2021-06-01 10-00-00.jpg", false, seconds(10))) << watch.err;
  ASSERT_TRUE(watch.WaitFor("1 File Found", true, seconds(2))) << watch.err;

  test::WriteFile(dir.File("notes.txt"), "not a photo");
  // Moved in whole, as a file manager's copy ends.
  test::WritePhotoTakenAt(outside.File("second.jpg"), "2022:07:02 11:00:00");
  rename(outside.File("second.jpg").c_str(), dir.File("second.jpg").c_str());
  EXPECT_TRUE(watch.WaitFor("second.jpg\t2022-07-02 11-00-00.jpg", false, seconds(1))) << watch.err;
  EXPECT_TRUE(watch.WaitFor("Directory Update Check: Files(s) Created", true, seconds(1)));
  EXPECT_TRUE(watch.WaitFor("2 Files Found", true, seconds(1)));

  EXPECT_EQ(watch.Interrupt(), 0);
  EXPECT_EQ(watch.out.find("notes.txt"), std::string::npos);
}

TEST(CliWatchTest, RefusesAMissingFolder) {
  TempDir home;
  WatchProcess watch(home.Path() + "/missing", home.Path());
  EXPECT_EQ(watch.Wait(), 1);
  EXPECT_NE(watch.err.find("Not Found"), std::string::npos);
}

}  // namespace
}  // namespace lx
