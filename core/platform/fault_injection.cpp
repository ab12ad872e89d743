#include "platform/fault_injection.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lx {

namespace fault_detail {
std::atomic<bool> active{false};
}  // namespace fault_detail

namespace {

using fault_detail::active;
std::atomic<long> calls{0};
std::atomic<long> failAtCall{0};
std::atomic<int> failError{0};

struct ErrnoName {
  const char* name;
  int value;
};

// The errors a disk or a file system gives a program in practice.
constexpr ErrnoName kErrnoNames[] = {
    {"EIO", EIO},       {"ENOSPC", ENOSPC}, {"EDQUOT", EDQUOT}, {"EROFS", EROFS},   {"EACCES", EACCES},
    {"EPERM", EPERM},   {"EINTR", EINTR},   {"EAGAIN", EAGAIN}, {"ENOMEM", ENOMEM}, {"EMFILE", EMFILE},
    {"ENFILE", ENFILE}, {"EFBIG", EFBIG},   {"EBUSY", EBUSY},   {"ENOENT", ENOENT}, {"EXDEV", EXDEV},
};

}  // namespace

void StartFaultInjection(long failAt, int error) {
  calls.store(0);
  failAtCall.store(failAt);
  failError.store(error);
  active.store(true);
}

void StopFaultInjection() { active.store(false); }

long FaultInjectionCalls() { return calls.load(); }

bool FaultInjected() {
  const long at = failAtCall.load();
  return at > 0 && calls.load() >= at;
}

bool ParseFaultInjection(const std::string& text, long& failAt, int& error) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + colon || n < 0) return false;
  const std::string name = text.substr(colon + 1);
  for (const ErrnoName& e : kErrnoNames) {
    if (name == e.name) {
      failAt = n;
      error = e.value;
      return true;
    }
  }
  const long number = std::strtol(name.c_str(), &end, 10);
  if (name.empty() || *end != '\0' || number <= 0 || number > 4095) return false;
  failAt = n;
  error = static_cast<int>(number);
  return true;
}

bool StartFaultInjectionFromEnvironment() {
  const char* text = std::getenv("LX_FAULT_INJECT");
  long failAt = 0;
  int error = 0;
  if (!text || !ParseFaultInjection(text, failAt, error)) return false;
  StartFaultInjection(failAt, error);
  return true;
}

int fault_detail::CountCall() {
  const long n = calls.fetch_add(1) + 1;
  return n == failAtCall.load() ? failError.load() : 0;
}

}  // namespace lx
