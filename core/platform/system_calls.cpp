#include "platform/system_calls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/fault_injection.h"

namespace lx::sys {

namespace {

// True (errno set) when this call is the one chosen to fail.
bool Faulted() {
  const int error = NextFileSystemCallFault();
  if (error == 0) return false;
  errno = error;
  return true;
}

}  // namespace

int Open(const char* path, int flags, mode_t mode) {
  if ((flags & O_CREAT) != 0 && Faulted()) return -1;
  return ::open(path, flags, mode);
}

ssize_t Write(int fd, const void* data, size_t size) { return Faulted() ? -1 : ::write(fd, data, size); }

ssize_t CopyFileRange(int in, int out, size_t size) {
  return Faulted() ? -1 : ::copy_file_range(in, nullptr, out, nullptr, size, 0);
}

int Fsync(int fd) { return Faulted() ? -1 : ::fsync(fd); }

int Ftruncate(int fd, off_t size) { return Faulted() ? -1 : ::ftruncate(fd, size); }

int Rename(const char* from, const char* to) { return Faulted() ? -1 : ::rename(from, to); }

int Renameat2(const char* from, const char* to, unsigned flags) {
  return Faulted() ? -1 : ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
}

int Link(const char* from, const char* to) { return Faulted() ? -1 : ::link(from, to); }

int Unlink(const char* path) { return Faulted() ? -1 : ::unlink(path); }

int UnlinkAt(int folderFd, const char* name) { return Faulted() ? -1 : ::unlinkat(folderFd, name, 0); }

int Mkdir(const char* path, mode_t mode) { return Faulted() ? -1 : ::mkdir(path, mode); }

}  // namespace lx::sys
