// Runs lorvexandrin-cli as a child process with its own environment and
// standard input closed, and captures its output and exit status.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace lx::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// env: variables set (or, with an empty value... set empty) on top of the test's own environment.
CliResult RunCli(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {},
                 const std::string& stdinText = "");

// The lines of a text, without the line ends.
std::vector<std::string> Lines(const std::string& text);

}  // namespace lx::test
