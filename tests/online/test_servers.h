// Servers on loopback that the online tests start and stop: the Python
// scripts beside the tests, run as child processes.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace lx::test {

class ChildServer {
 public:
  // Runs /usr/bin/python3 with the arguments and waits (bounded) for its "PORT n" line.
  explicit ChildServer(const std::vector<std::string>& args);
  ~ChildServer();
  ChildServer(const ChildServer&) = delete;
  ChildServer& operator=(const ChildServer&) = delete;

  int Port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

// A script of this folder.
std::string ScriptPath(const std::string& name);

// A throwaway self-signed certificate for 127.0.0.1 and "localhost" in folder; true on success.
bool MakeTestCertificate(const std::string& folder, std::string& certPath, std::string& keyPath);

}  // namespace lx::test
