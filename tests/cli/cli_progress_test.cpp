// The progress line of long runs: drawn on standard error when it is a
// terminal (a pseudo-terminal here), never into a pipe, not with --quiet;
// the log lines scroll past it. LX_PROGRESS_DELAY_MS=0 shows it at once, so
// the tests do not depend on how long a run takes.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "cli_runner.h"
#include "photo_factory.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace lx {
namespace {

struct TerminalRun {
  int exitCode = -1;
  std::string out;       // standard output (a pipe)
  std::string terminal;  // what the terminal received (standard error)
};

// Runs the CLI with standard error on a pseudo-terminal and standard output on a pipe.
TerminalRun RunOnTerminal(const std::vector<std::string>& args, const std::map<std::string, std::string>& env) {
  int outPipe[2];
  if (pipe(outPipe) != 0) return {};
  int master = -1;
  winsize size{};
  size.ws_col = 200;
  size.ws_row = 40;
  pid_t pid = forkpty(&master, nullptr, nullptr, &size);
  if (pid < 0) return {};
  if (pid == 0) {
    dup2(outPipe[1], 1);
    close(outPipe[0]);
    close(outPipe[1]);
    for (const auto& [k, v] : env) setenv(k.c_str(), v.c_str(), 1);
    std::vector<std::string> copies(args);
    std::string program = LX_CLI_PATH;
    std::vector<char*> argv{program.data()};
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(outPipe[1]);
  TerminalRun run;
  char buffer[4096];
  // The table is small: it fits the pipe while the terminal is read to its end.
  for (;;) {
    ssize_t n = read(master, buffer, sizeof buffer);
    if (n > 0) {
      run.terminal.append(buffer, static_cast<size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // EIO once the child has gone
    }
  }
  for (ssize_t n; (n = read(outPipe[0], buffer, sizeof buffer)) > 0;) run.out.append(buffer, static_cast<size_t>(n));
  close(outPipe[0]);
  close(master);
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class CliProgress : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) test::WritePhoto(photos.File(name));
  }
  test::TempDir home{"lx-cli-progress"};
  test::TempDir photos{"lx-cli-progress-photos"};
  std::map<std::string, std::string> env{
      {"XDG_CONFIG_HOME", home.File("config")}, {"XDG_DATA_HOME", home.File("data")}, {"LX_PROGRESS_DELAY_MS", "0"}};
};

TEST_F(CliProgress, ATerminalSeesOneUpdatingLineThatLogLinesScrollPast) {
  auto run = RunOnTerminal({"rename", "--mask", "P%C3", photos.Path()}, env);
  ASSERT_EQ(run.exitCode, 0) << run.terminal;
  EXPECT_NE(run.terminal.find("\r\x1b[KReading 3/3 files, "), std::string::npos) << run.terminal;
  EXPECT_NE(run.terminal.find("\r\x1b[KRenaming 3/3 files, "), std::string::npos) << run.terminal;
  EXPECT_NE(run.terminal.find(" files/s, " + photos.Slash()), std::string::npos);
  // What stays visible of each terminal line is the text after its last "\r": a log line
  // is never mixed with the progress line.
  for (std::string line : Split(run.terminal, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // the terminal's own line end
    const size_t cut = line.rfind('\r');
    const std::string visible = cut == std::string::npos ? line : line.substr(cut + 1);
    if (visible.find(": File '") != std::string::npos) {
      EXPECT_EQ(visible.find("files/s"), std::string::npos) << line;
    }
  }
  EXPECT_NE(run.terminal.find("Renamed as"), std::string::npos);
  // Standard output holds the table alone.
  EXPECT_EQ(test::Lines(run.out).size(), 3u) << run.out;
  EXPECT_EQ(run.out.find('\r'), std::string::npos);
}

TEST_F(CliProgress, NothingOfItInAPipeOrWithQuiet) {
  auto piped = test::RunCli({"list", photos.Path()}, env);
  ASSERT_EQ(piped.exitCode, 0);
  EXPECT_EQ(piped.err.find("files/s"), std::string::npos) << piped.err;
  EXPECT_EQ(piped.err.find('\r'), std::string::npos);
  EXPECT_NE(piped.err.find("3 Files Found"), std::string::npos);

  auto quiet = RunOnTerminal({"list", "--quiet", photos.Path()}, env);
  ASSERT_EQ(quiet.exitCode, 0) << quiet.terminal;
  EXPECT_EQ(quiet.terminal, "");
  EXPECT_EQ(test::Lines(quiet.out).size(), 3u);

  // --quiet keeps warnings and errors.
  auto refused = test::RunCli({"--quiet", "list", "--mask", "%K", photos.Path()}, env);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("--keyword"), std::string::npos) << refused.err;
  test::WritePhoto(photos.File("Trip.zip/a.jpg"));
  auto zip = test::RunCli({"list", "--quiet", photos.File("Trip.zip")}, env);
  EXPECT_NE(zip.err.find("Zip File Encountered"), std::string::npos) << zip.err;
  EXPECT_EQ(zip.err.find("Default Files Selection Filter"), std::string::npos) << zip.err;
}

TEST(CliHelp, EveryCommandAnswersHelpWithItsOwnUsage) {
  test::TempDir home{"lx-cli-help"};
  const std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", home.File("config")},
                                               {"XDG_DATA_HOME", home.File("data")}};
  for (const char* command :
       {"mask", "catalogue", "list", "rename", "delete", "details", "attributes", "settings", "db", "keywords", "texts",
        "masks", "counter", "watch", "devices", "update-check", "send-feedback"}) {
    for (const char* flag : {"--help", "-h"}) {
      auto r = test::RunCli({command, flag}, env);
      EXPECT_EQ(r.exitCode, 0) << command;
      EXPECT_EQ(r.out.rfind(std::string("Usage: lorvexandrin-cli ") + command, 0), 0u) << r.out;
      EXPECT_NE(r.out.find("--quiet"), std::string::npos) << command;
    }
  }
  // Help anywhere among the words; after "--" it is a word like any other.
  EXPECT_EQ(test::RunCli({"keywords", "list", "--help"}, env).out.rfind("Usage: lorvexandrin-cli keywords", 0), 0u);
  EXPECT_EQ(test::RunCli({"mask", "--", "--help"}, env).out.rfind("1\t--help\t", 0), 0u);
  EXPECT_NE(test::RunCli({"list", "--help"}, env).out.find("--save"), std::string::npos);
  EXPECT_NE(test::RunCli({"list", "--help"}, env).out.find("--json"), std::string::npos);
  EXPECT_FALSE(FolderExists(home.File("config")));
}

}  // namespace
}  // namespace lx
