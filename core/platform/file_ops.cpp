#include "platform/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/paths.h"

namespace lx {

namespace {

// Closes a descriptor on every path out of a function.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports the error a delayed write may show only here.
  int Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

int CopyData(int in, int out) {
  bool useCopyRange = true;
  for (;;) {
    if (useCopyRange) {
      ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
      if (n > 0) continue;
      if (n == 0) return 0;
      if (errno == EINTR) continue;
      // Not offered between these two files: copy through a buffer instead.
      if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) {
        useCopyRange = false;
        continue;
      }
      return errno;
    }
    char buffer[1 << 16];
    ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    const char* p = buffer;
    while (n > 0) {
      ssize_t w = ::write(out, p, static_cast<size_t>(n));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return errno;
      if (w == 0) return EIO;
      p += w;
      n -= w;
    }
  }
}

int SyncFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int result = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  // Some file systems do not sync folders; the file itself is on disk already.
  return result == EINVAL ? 0 : result;
}

timespec ToTimespec(TimeT t) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(t);
  return ts;
}

}  // namespace

bool PathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  int error = errno;
  if (error != EINVAL && error != ENOSYS) return error;
  // A file system without the no-replace flag: a hard link fails on a taken
  // name just as well, and the old name goes only once the new one exists.
  if (::link(from.c_str(), to.c_str()) != 0) return errno == EPERM ? error : errno;
  if (::unlink(from.c_str()) != 0) {
    int unlinkError = errno;
    ::unlink(to.c_str());
    return unlinkError;
  }
  return 0;
}

int CopyFileNoReplace(const std::string& from, const std::string& to, bool flush) {
  Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return errno;
  struct stat st {};
  if (::fstat(in.get(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;

  Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0777));
  if (out.get() < 0) return errno;

  // From here on the target is ours: any failure removes it, so no half copy remains.
  int error = CopyData(in.get(), out.get());
  if (error == 0) {
    timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out.get(), times) != 0) error = errno;
  }
  if (error == 0 && flush && ::fsync(out.get()) != 0) error = errno;
  int closeError = out.Close();
  if (error == 0) error = closeError;
  if (error == 0 && flush) error = SyncFolder(SplitPath(to).dir);
  if (error != 0) ::unlink(to.c_str());
  return error;
}

int DeleteFile(const std::string& path) {
  // unlink never removes a folder (it answers EISDIR).
  return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int ReadFileTimes(const std::string& path, FileTimes& times) {
  struct statx sx {};
  if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return errno;
  times.modification = sx.stx_mtime.tv_sec;
  times.access = sx.stx_atime.tv_sec;
  times.hasBirthTime = (sx.stx_mask & STATX_BTIME) != 0;
  times.creation = times.hasBirthTime ? sx.stx_btime.tv_sec : sx.stx_mtime.tv_sec;
  return 0;
}

int SetFileTimes(const std::string& path, std::optional<TimeT> modification, std::optional<TimeT> access) {
  timespec times[2];
  times[0] = access ? ToTimespec(*access) : timespec{0, UTIME_OMIT};
  times[1] = modification ? ToTimespec(*modification) : timespec{0, UTIME_OMIT};
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0 ? 0 : errno;
}

}  // namespace lx
