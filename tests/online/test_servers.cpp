#include "test_servers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace lx::test {

ChildServer::ChildServer(const std::vector<std::string>& args) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    dup2(out[1], 1);
    std::vector<std::string> copies = {"/usr/bin/python3", "-W", "ignore"};
    copies.insert(copies.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  std::string text;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (text.find('\n') == std::string::npos) {
    long left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    pollfd pfd{out[0], POLLIN, 0};
    if (left <= 0 || poll(&pfd, 1, static_cast<int>(left)) <= 0) break;
    char buffer[256];
    ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  close(out[0]);
  if (text.rfind("PORT ", 0) == 0) port_ = std::atoi(text.c_str() + 5);
  if (port_ <= 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    throw std::runtime_error("test server did not start: " + text);
  }
}

ChildServer::~ChildServer() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::string ScriptPath(const std::string& name) { return std::string(LX_TEST_SOURCE_DIR) + "/online/" + name; }

bool MakeTestCertificate(const std::string& folder, std::string& certPath, std::string& keyPath) {
  certPath = folder + "/cert.pem";
  keyPath = folder + "/key.pem";
  std::string command =
      "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=localhost"
      " -addext subjectAltName=IP:127.0.0.1,DNS:localhost -keyout '" +
      keyPath + "' -out '" + certPath + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace lx::test
