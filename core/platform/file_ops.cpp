#include "platform/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/partial_files.h"
#include "platform/paths.h"
#include "platform/system_calls.h"

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
      ssize_t n = sys::CopyFileRange(in, out, 1 << 30);
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
      ssize_t w = sys::Write(out, p, static_cast<size_t>(n));
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
  int result = sys::Fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  // Some file systems do not sync folders; the file itself is on disk already.
  return result == EINVAL ? 0 : result;
}

FileIdentity IdentityOf(const struct stat& st) {
  return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
          static_cast<long long>(st.st_size), static_cast<long long>(st.st_mtim.tv_sec),
          static_cast<long long>(st.st_mtim.tv_nsec)};
}

bool SameIdentity(const FileIdentity& a, const FileIdentity& b) {
  return a.device == b.device && a.inode == b.inode && a.size == b.size && a.mtimeSec == b.mtimeSec &&
         a.mtimeNsec == b.mtimeNsec;
}

// Gives a finished partial file its real name without replacing anything.
int LinkIntoPlace(const std::string& partial, const std::string& to) {
  if (sys::Renameat2(partial.c_str(), to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  const int error = errno;
  if (error != EINVAL && error != ENOSYS) return error;
  if (sys::Link(partial.c_str(), to.c_str()) != 0) return errno == EPERM ? error : errno;
  sys::Unlink(partial.c_str());
  return 0;
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
  if (sys::Renameat2(from.c_str(), to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  int error = errno;
  if (error != EINVAL && error != ENOSYS) return error;
  // A file system without the no-replace flag: a hard link fails on a taken
  // name just as well, and the old name goes only once the new one exists.
  if (sys::Link(from.c_str(), to.c_str()) != 0) return errno == EPERM ? error : errno;
  if (sys::Unlink(from.c_str()) != 0) {
    int unlinkError = errno;
    sys::Unlink(to.c_str());
    return unlinkError;
  }
  return 0;
}

int CopyFileNoReplace(const std::string& from, const std::string& to, bool flush, FileIdentity* source) {
  // O_NONBLOCK: a FIFO or device under a photo's name must not hang the run.
  Fd in(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
  if (in.get() < 0) return errno;
  struct stat st {};
  if (::fstat(in.get(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  if (source) *source = IdentityOf(st);
  // A taken name is refused before any byte is copied.
  if (PathExists(to)) return EEXIST;

  const std::string partial = PartialPathFor(to);
  Fd out(sys::Open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0777));
  if (out.get() < 0) return errno;

  // From here on the partial file is ours: any failure removes it.
  int error = CopyData(in.get(), out.get());
  if (error == 0) {
    timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out.get(), times) != 0) error = errno;
  }
  // The data reaches the disk before the copy has a real name, so a crash
  // never leaves a short file under it.
  if (error == 0 && sys::Fsync(out.get()) != 0) error = errno;
  int closeError = out.Close();
  if (error == 0) error = closeError;
  if (error == 0) error = LinkIntoPlace(partial, to);
  if (error != 0) {
    sys::Unlink(partial.c_str());
    return error;
  }
  if (flush) error = SyncFolder(SplitPath(to).dir);
  return error;
}

int DeleteFile(const std::string& path) {
  // unlink never removes a folder (it answers EISDIR).
  return sys::Unlink(path.c_str()) == 0 ? 0 : errno;
}

int DeleteFileIfSame(const std::string& path, const FileIdentity& identity) {
  // The file is first moved to a private name: what is checked there is what
  // gets removed, with no window for another program to swap the file in.
  const std::string aside = DeletingPathFor(path);
  if (sys::Renameat2(path.c_str(), aside.c_str(), RENAME_NOREPLACE) != 0) {
    const int error = errno;
    if (error != EINVAL && error != ENOSYS) return error;
    // No rename flag here: check, then unlink, as closely as can be.
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno;
    if (!SameIdentity(IdentityOf(st), identity) || !S_ISREG(st.st_mode)) return kErrorFileChanged;
    return DeleteFile(path);
  }
  struct stat st {};
  const bool same = ::lstat(aside.c_str(), &st) == 0 && S_ISREG(st.st_mode) && SameIdentity(IdentityOf(st), identity);
  if (!same) {
    // Put the other file back under its name; if that name was taken meanwhile,
    // it stays under the hidden name rather than replace anything.
    sys::Renameat2(aside.c_str(), path.c_str(), RENAME_NOREPLACE);
    return kErrorFileChanged;
  }
  if (sys::Unlink(aside.c_str()) == 0) return 0;
  // Not removed: the file goes back under its own name rather than stay
  // hidden where the user would never find it.
  const int error = errno;
  sys::Renameat2(aside.c_str(), path.c_str(), RENAME_NOREPLACE);
  return error;
}

int ReadFileTimes(const std::string& path, FileTimes& times) {
  struct statx sx {};
  if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return errno;
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
  return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

int SetModificationTime(const std::string& path, long long seconds, long long nanoseconds) {
  timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), static_cast<long>(nanoseconds)}};
  return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

}  // namespace lx
