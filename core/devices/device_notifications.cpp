#include "devices/device_notifications.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "base/log.h"
#include "platform/system_error.h"

namespace lx {

// ---- libudev source ----

UdevDeviceEventSource::~UdevDeviceEventSource() { Stop(); }

bool UdevDeviceEventSource::Start(Sink sink, std::string& error) {
  Stop();
  errno = 0;
  udev_ = udev_new();
  if (udev_) monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  if (monitor_ && udev_monitor_filter_add_match_subsystem_devtype(monitor_, "usb", "usb_device") >= 0 &&
      udev_monitor_enable_receiving(monitor_) >= 0) {
    stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd_ >= 0) {
      try {
        thread_ = std::thread(&UdevDeviceEventSource::Run, this, std::move(sink));
        return true;
      } catch (const std::system_error& e) {
        errno = e.code().value();
      }
    }
  }
  int code = errno != 0 ? errno : ENODEV;
  error = SystemErrorText(code);
  Stop();
  return false;
}

void UdevDeviceEventSource::Stop() {
  if (thread_.joinable()) {
    std::uint64_t one = 1;
    ssize_t written = write(stopFd_, &one, sizeof one);
    (void)written;
    thread_.join();
  }
  if (stopFd_ >= 0) close(stopFd_);
  stopFd_ = -1;
  if (monitor_) udev_monitor_unref(monitor_);
  monitor_ = nullptr;
  if (udev_) udev_unref(udev_);
  udev_ = nullptr;
}

void UdevDeviceEventSource::Run(Sink sink) {
  int monitorFd = udev_monitor_get_fd(monitor_);
  for (;;) {
    pollfd fds[2] = {{stopFd_, POLLIN, 0}, {monitorFd, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents) return;
    if (!(fds[1].revents & POLLIN)) continue;
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device) continue;
    DeviceEvent event;
    const char* action = udev_device_get_action(device);
    std::string act = action ? action : "";
    if (act == "add")
      event.kind = DeviceEventKind::Arrival;
    else if (act == "remove")
      event.kind = DeviceEventKind::RemoveComplete;
    else if (act == "change")
      event.kind = DeviceEventKind::NodesChanged;
    const char* path = udev_device_get_syspath(device);
    event.deviceName = path ? path : "";
    udev_device_unref(device);
    if (sink) sink(event);
  }
}

// ---- timer ----

ThreadOneShotTimer::~ThreadOneShotTimer() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    pending_ = false;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool ThreadOneShotTimer::Start(int delayMs, std::function<void()> fire) {
  std::lock_guard lock(mutex_);
  if (quit_) return false;
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread(&ThreadOneShotTimer::Run, this);
    } catch (const std::system_error&) {
      return false;
    }
  }
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs);
  fire_ = std::move(fire);
  pending_ = true;
  wake_.notify_all();
  return true;
}

void ThreadOneShotTimer::Kill() {
  std::lock_guard lock(mutex_);
  pending_ = false;
  fire_ = nullptr;
}

void ThreadOneShotTimer::Run() {
  std::unique_lock lock(mutex_);
  while (!quit_) {
    if (!pending_) {
      wake_.wait(lock);
      continue;
    }
    if (wake_.wait_until(lock, deadline_) == std::cv_status::no_timeout) continue;  // restarted or killed
    if (!pending_ || std::chrono::steady_clock::now() < deadline_) continue;
    // The timer is killed when it fires.
    pending_ = false;
    auto fire = std::move(fire_);
    fire_ = nullptr;
    lock.unlock();
    if (fire) fire();
    lock.lock();
  }
}

// ---- notifications ----

DeviceNotifications::DeviceNotifications(PortableDeviceEnumerator* enumerator, DevicesCallback onDevices,
                                         std::unique_ptr<OneShotTimer> timer)
    : enumerator_(enumerator),
      onDevices_(std::move(onDevices)),
      timer_(timer ? std::move(timer) : std::make_unique<ThreadOneShotTimer>()) {}

DeviceNotifications::~DeviceNotifications() {
  UnregisterDeviceNotifications();
  timer_.reset();  // waits for a rescan in progress
}

bool DeviceNotifications::RegisterDeviceNotifications(DeviceEventSource& source) {
  UnregisterDeviceNotifications();
  std::string error;
  if (!source.Start([this](const DeviceEvent& e) { OnDeviceChange(e); }, error)) {
    LogFormat("Unable to Register Device Notification ... Error: %s ", error.c_str());
    return false;
  }
  source_ = &source;
  return true;
}

void DeviceNotifications::UnregisterDeviceNotifications() {
  if (source_) source_->Stop();
  source_ = nullptr;
}

bool DeviceNotifications::OnDeviceChange(const DeviceEvent& event) {
  int delayMs = 0;
  switch (event.kind) {
    case DeviceEventKind::Arrival:
      LogFormat("Detection of Device Connection - Device Name: %s ", event.deviceName.c_str());
      delayMs = kArrivalRescanMs;
      break;
    case DeviceEventKind::RemoveComplete:
      LogFormat("Detection of Device Disconnection - Device Name: %s ", event.deviceName.c_str());
      delayMs = kRemovalRescanMs;
      break;
    case DeviceEventKind::NodesChanged:
      LogFormat("Detection of Device Node Changed - Device Name: %s ", event.deviceName.c_str());
      return true;
    case DeviceEventKind::Other:
      return true;
  }
  if (!timer_->Start(delayMs, [this] { RescanDevices(); })) RescanDevices();
  return true;
}

void DeviceNotifications::RescanDevices() {
  std::lock_guard lock(rescanMutex_);
  std::vector<PortableDeviceEntry> devices;
  if (enumerator_) devices = enumerator_->EnumeratePortableDevices();
  if (onDevices_) onDevices_(devices);
}

}  // namespace lx
