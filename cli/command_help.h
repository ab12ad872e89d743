// The text of `lorvexandrin-cli COMMAND --help`: what the command does, its
// arguments and options, and what it prints.
#pragma once

#include <string>

namespace lx::cli {

// Empty for a name that is not a command.
std::string CommandHelp(const std::string& command);

}  // namespace lx::cli
