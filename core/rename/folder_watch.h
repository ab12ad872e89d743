// The folder watch: while a folder is listed, a worker thread follows it with
// inotify and reports the first change of a file that passes the selection
// filter, then ends. The owner (the rename list) lists the folder again on its
// own thread, which starts a new watch at the end of that run.
//
// The watch thread never touches rows: it only calls the change callback,
// which its owner marshals onto its own thread. The owner stops the watch
// around every list run, rename run and deletion, so the program's own file
// operations are never reported.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "engine/selection_filter.h"

namespace lx {

class CLorvexandrinEngine;
class Prompts;

// Change actions, numbered as the log lines of OnFolderChanged know them.
enum FolderAction : int {
  FolderActionAdded = 1,
  FolderActionRemoved = 2,
  FolderActionModified = 3,
  FolderActionRenamedOld = 4,
  FolderActionRenamedNew = 5,
};

class FolderWatch {
 public:
  // Called once, on the watch thread, with the action of the change found.
  // It hands the action to the owner's thread and returns; it must not stop
  // or start the watch itself.
  using ChangeCallback = std::function<void(int action)>;

  FolderWatch() = default;
  ~FolderWatch();  // stops a running watch
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Starts watching the engine's source path with a copy of its selection
  // filter, both taken now on the caller's thread; every change made after
  // the call returns is seen. A running watch is stopped first. False when no
  // watch runs: a folder that cannot be watched fails quietly; failures to
  // create the stop signal or the thread are shown through prompts.
  bool StartFolderWatch(const CLorvexandrinEngine& engine, Prompts& prompts, ChangeCallback onChange);
  // The same with the folder and the filter given.
  bool StartFolderWatch(const std::string& folder, const SelectionFilter& filter, Prompts& prompts,
                        ChangeCallback onChange);

  // Signals the thread and waits for its end; returns at once, the thread
  // wakes on the stop signal. Safe to call when no watch runs. Called on the
  // owner's thread only.
  void StopFolderWatch();

  // True while the thread is recorded (it may have ended by itself).
  bool Started() const { return thread_.joinable(); }
  // True while the thread is still watching (not ended after a report,
  // a failure or the removal of the folder).
  bool Watching() const { return watching_.load(); }

 private:
  void WatchSourceFolder(int notifyFd, SelectionFilter filter, ChangeCallback onChange, int stopFd);

  std::thread thread_;
  int stopFd_ = -1;
  std::atomic<bool> watching_{false};
};

// Handler of a reported change on the owner's thread: writes the change's log
// line. The owner then sets ReReadFolder and calls RefreshList (0).
void OnFolderChanged(int action);

// The log text of an action ("Directory Update Check: Files(s) Created", ...).
std::string FolderChangeText(int action);

}  // namespace lx
