// A temporary folder removed with everything in it when the object goes.
#pragma once

#include <string>

namespace lx::test {

class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "lx-test");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }  // no trailing "/"
  std::string Slash() const { return path_ + "/"; }  // with a trailing "/"
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Writes a file with the given bytes; creates missing folders.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// Sets an environment variable for the lifetime of the object, then restores it.
class ScopedEnv {
 public:
  ScopedEnv(const std::string& name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_ = false;
  std::string old_;
};

}  // namespace lx::test
