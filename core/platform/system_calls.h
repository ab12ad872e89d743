// The calls that change the disk (write, flush, copy, rename, link, unlink,
// truncate, file and folder creation), each as the system call of the same
// name: -1 and errno on failure. Code that changes users' files or the
// program's own files calls these rather than the system directly, so that
// a test can fail any one of them (fault_injection.h).
#pragma once

#include <sys/types.h>

namespace lx::sys {

// Counted as a file creation when flags hold O_CREAT, else not at all.
int Open(const char* path, int flags, mode_t mode = 0);
ssize_t Write(int fd, const void* data, size_t size);
ssize_t CopyFileRange(int in, int out, size_t size);
int Fsync(int fd);
int Ftruncate(int fd, off_t size);
int Rename(const char* from, const char* to);
int Renameat2(const char* from, const char* to, unsigned flags);
int Link(const char* from, const char* to);
int Unlink(const char* path);
int UnlinkAt(int folderFd, const char* name);
int Mkdir(const char* path, mode_t mode);

}  // namespace lx::sys
