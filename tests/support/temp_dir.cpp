#include "temp_dir.h"

#include <stdlib.h>
#include <time.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lx::test {

TempDir::TempDir(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Make everything removable again: tests take permissions away.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  }
  std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : name_(name) {
  if (const char* old = getenv(name.c_str())) {
    had_ = true;
    old_ = old;
  }
  setenv(name.c_str(), value.c_str(), 1);
  if (name == "TZ") tzset();
}

ScopedEnv::~ScopedEnv() {
  if (had_)
    setenv(name_.c_str(), old_.c_str(), 1);
  else
    unsetenv(name_.c_str());
  if (name_ == "TZ") tzset();
}

}  // namespace lx::test
