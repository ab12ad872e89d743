// The advisory lock a rename run holds on the folders it works in, so that two
// runs of this program on one folder never interleave their renames, copies
// and deletions. The lock is flock(2) on the folder itself: nothing is written
// into the user's folder, and the lock goes with the process however it ends.
#pragma once

#include <string>
#include <vector>

namespace lx {

class RunLock {
 public:
  RunLock() = default;
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  // Locks every folder (the same folder named twice is locked once), waiting
  // up to waitMs for another run to finish. On failure nothing stays locked,
  // and busyFolder names the folder held by another run (empty when a folder
  // could not be opened; then the errno is returned). 0 on success, EWOULDBLOCK when busy.
  int Acquire(const std::vector<std::string>& folders, int waitMs, std::string& busyFolder);
  void Release();

 private:
  std::vector<int> fds_;
};

}  // namespace lx
