// Device notifications: cameras and phones plugged in or removed. Each event
// is logged, and a one-shot rescan of the portable devices follows shortly
// after (2000 ms after an arrival, 250 ms after a removal); a new event while
// the rescan is pending restarts its timer, so a burst gives one rescan.
//
// The events come from an event source (libudev in the programs, an injected
// source in tests) on the source's own thread; the rescan runs on the timer's
// thread and hands the fresh device table to a callback that its owner
// marshals onto its own thread, where the engine's device table lives.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct udev;
struct udev_monitor;

namespace lx {

enum class DeviceEventKind { Arrival, RemoveComplete, NodesChanged, Other };

struct DeviceEvent {
  DeviceEventKind kind = DeviceEventKind::Other;
  std::string deviceName;  // the device path
};

// Where device events come from.
class DeviceEventSource {
 public:
  using Sink = std::function<void(const DeviceEvent&)>;
  virtual ~DeviceEventSource() = default;
  // Starts delivering events to sink (from any thread); false with error set
  // to the system's text when the source cannot be started.
  virtual bool Start(Sink sink, std::string& error) = 0;
  // Stops the delivery; no event reaches the sink once it returns.
  virtual void Stop() = 0;
};

// A libudev monitor of the usb subsystem (whole USB devices, not their
// interfaces), on its own thread, stopped through an eventfd.
class UdevDeviceEventSource : public DeviceEventSource {
 public:
  UdevDeviceEventSource() = default;
  ~UdevDeviceEventSource() override;
  bool Start(Sink sink, std::string& error) override;
  void Stop() override;

 private:
  void Run(Sink sink);

  ::udev* udev_ = nullptr;
  ::udev_monitor* monitor_ = nullptr;
  int stopFd_ = -1;
  std::thread thread_;
};

// A one-shot timer; starting it while pending restarts it.
class OneShotTimer {
 public:
  virtual ~OneShotTimer() = default;
  // False when the timer cannot be set (the caller then acts at once).
  virtual bool Start(int delayMs, std::function<void()> fire) = 0;
  virtual void Kill() = 0;
};

// The timer on a thread of its own; fire runs on that thread.
class ThreadOneShotTimer : public OneShotTimer {
 public:
  ThreadOneShotTimer() = default;
  ~ThreadOneShotTimer() override;
  bool Start(int delayMs, std::function<void()> fire) override;
  void Kill() override;

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::thread thread_;
  bool pending_ = false;
  bool quit_ = false;
  std::chrono::steady_clock::time_point deadline_;
  std::function<void()> fire_;
};

struct PortableDeviceEntry {
  std::string name;  // friendly name
  std::string id;    // device identifier
};

// The portable-device enumeration the rescan calls.
class PortableDeviceEnumerator {
 public:
  virtual ~PortableDeviceEnumerator() = default;
  virtual std::vector<PortableDeviceEntry> EnumeratePortableDevices() = 0;
};

class DeviceNotifications {
 public:
  static constexpr int kArrivalRescanMs = 2000;
  static constexpr int kRemovalRescanMs = 250;

  using DevicesCallback = std::function<void(const std::vector<PortableDeviceEntry>&)>;

  // enumerator may be null (no device access: the rescan finds nothing);
  // timer null gives a ThreadOneShotTimer.
  DeviceNotifications(PortableDeviceEnumerator* enumerator, DevicesCallback onDevices,
                      std::unique_ptr<OneShotTimer> timer = nullptr);
  ~DeviceNotifications();
  DeviceNotifications(const DeviceNotifications&) = delete;
  DeviceNotifications& operator=(const DeviceNotifications&) = delete;

  // Starts listening; logs "Unable to Register Device Notification ..." and
  // returns false when the source cannot be started.
  bool RegisterDeviceNotifications(DeviceEventSource& source);
  void UnregisterDeviceNotifications();

  // Logs the event and schedules the rescan; always true.
  bool OnDeviceChange(const DeviceEvent& event);

  // Enumerates the devices and hands the table to the callback.
  void RescanDevices();

 private:
  PortableDeviceEnumerator* enumerator_;
  DevicesCallback onDevices_;
  std::unique_ptr<OneShotTimer> timer_;
  DeviceEventSource* source_ = nullptr;
  std::mutex rescanMutex_;  // one rescan at a time
};

}  // namespace lx
