// A switch that makes one file-system call fail on purpose, so that tests can
// prove a run reports every failure and loses nothing. Every call that changes
// the disk for a run (see system_calls.h) asks it first; when it is off (the
// default) that costs one predictable branch. When it is on, it counts those
// calls and fails the n-th with a chosen errno.
//
// The command-line program turns it on from LX_FAULT_INJECT="N:ERRNO" (for
// instance "3:EIO" or "2:ENOSPC"; N = 0 only counts), read once at start.
#pragma once

#include <atomic>
#include <string>

namespace lx {

// Fails call number failAt (1 for the first; 0 fails none) with error, and
// counts the calls from now on. Only one call ever fails.
void StartFaultInjection(long failAt, int error);

// Off again; the count stays readable.
void StopFaultInjection();

// Calls counted since the last start.
long FaultInjectionCalls();

// True when the call chosen to fail was reached (and failed).
bool FaultInjected();

// Reads "N:ERRNO" (an errno name such as EIO, or its number); false when the
// text is not one.
bool ParseFaultInjection(const std::string& text, long& failAt, int& error);

// Starts from the LX_FAULT_INJECT environment variable when it is set and
// valid; false when it is absent or not "N:ERRNO".
bool StartFaultInjectionFromEnvironment();

namespace fault_detail {
extern std::atomic<bool> active;
int CountCall();
}  // namespace fault_detail

// The errno to fail the current call with, or 0: asked by every wrapper.
// Off, it is one load and one branch.
inline int NextFileSystemCallFault() {
  return fault_detail::active.load(std::memory_order_relaxed) ? fault_detail::CountCall() : 0;
}

}  // namespace lx
