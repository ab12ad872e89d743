#include "devices/device_notifications.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "base/log.h"

namespace lx {
namespace {

using namespace std::chrono_literals;

// A timer the test fires by hand; it keeps only the last start, as a
// restarted timer does.
class ManualTimer : public OneShotTimer {
 public:
  explicit ManualTimer(std::vector<int>& starts, bool works = true) : starts_(starts), works_(works) {}
  bool Start(int delayMs, std::function<void()> fire) override {
    if (!works_) return false;
    starts_.push_back(delayMs);
    fire_ = std::move(fire);
    return true;
  }
  void Kill() override { fire_ = nullptr; }
  static void Fire(ManualTimer* timer) {
    auto fire = std::move(timer->fire_);
    timer->fire_ = nullptr;
    if (fire) fire();
  }
  bool Pending() const { return static_cast<bool>(fire_); }

 private:
  std::vector<int>& starts_;
  bool works_;
  std::function<void()> fire_;
};

class CountingEnumerator : public PortableDeviceEnumerator {
 public:
  std::vector<PortableDeviceEntry> EnumeratePortableDevices() override {
    ++calls;
    return {{"Camera", "fake:Camera"}};
  }
  std::atomic<int> calls{0};
};

class InjectedSource : public DeviceEventSource {
 public:
  bool fails = false;
  Sink sink;
  bool Start(Sink s, std::string& error) override {
    if (fails) {
      error = "Operation not permitted";
      return false;
    }
    sink = std::move(s);
    return true;
  }
  void Stop() override { sink = nullptr; }
};

struct Fixture {
  std::vector<int> starts;
  ManualTimer* timer;
  CountingEnumerator enumerator;
  std::vector<std::vector<PortableDeviceEntry>> tables;
  CapturingLogSink log;
  ScopedLogSink attached{log};
  std::unique_ptr<DeviceNotifications> notifications;

  explicit Fixture(bool timerWorks = true) {
    auto t = std::make_unique<ManualTimer>(starts, timerWorks);
    timer = t.get();
    notifications = std::make_unique<DeviceNotifications>(
        &enumerator, [this](const std::vector<PortableDeviceEntry>& d) { tables.push_back(d); }, std::move(t));
  }
};

TEST(DeviceNotificationsTest, ArrivalAndRemovalAreLoggedAndRescannedAfterTheirDelays) {
  Fixture f;
  InjectedSource source;
  ASSERT_TRUE(f.notifications->RegisterDeviceNotifications(source));
  source.sink({DeviceEventKind::Arrival, "/sys/devices/pci0000:00/usb1/1-2"});
  EXPECT_EQ(f.starts, std::vector<int>{2000});
  EXPECT_EQ(f.enumerator.calls, 0);
  ManualTimer::Fire(f.timer);
  EXPECT_EQ(f.enumerator.calls, 1);
  ASSERT_EQ(f.tables.size(), 1u);
  EXPECT_EQ(f.tables[0][0].name, "Camera");

  source.sink({DeviceEventKind::RemoveComplete, "/sys/devices/pci0000:00/usb1/1-2"});
  EXPECT_EQ(f.starts, (std::vector<int>{2000, 250}));
  ManualTimer::Fire(f.timer);
  EXPECT_EQ(f.enumerator.calls, 2);

  // Node changes carry nothing to rescan for; other events are ignored.
  source.sink({DeviceEventKind::NodesChanged, "/sys/x"});
  source.sink({DeviceEventKind::Other, "/sys/y"});
  EXPECT_EQ(f.starts.size(), 2u);
  EXPECT_EQ(f.log.Texts(), (std::vector<std::string>{
                               "Detection of Device Connection - Device Name: /sys/devices/pci0000:00/usb1/1-2 ",
                               "Detection of Device Disconnection - Device Name: /sys/devices/pci0000:00/usb1/1-2 ",
                               "Detection of Device Node Changed - Device Name: /sys/x ",
                           }));
  f.notifications->UnregisterDeviceNotifications();
  EXPECT_FALSE(source.sink);
}

TEST(DeviceNotificationsTest, BurstGivesOneRescan) {
  Fixture f;
  f.notifications->OnDeviceChange({DeviceEventKind::Arrival, "/a"});
  f.notifications->OnDeviceChange({DeviceEventKind::Arrival, "/b"});
  f.notifications->OnDeviceChange({DeviceEventKind::RemoveComplete, "/a"});
  EXPECT_EQ(f.starts, (std::vector<int>{2000, 2000, 250}));
  ManualTimer::Fire(f.timer);
  ManualTimer::Fire(f.timer);  // nothing pending any more
  EXPECT_EQ(f.enumerator.calls, 1);
  EXPECT_EQ(f.log.Texts().size(), 3u);
}

TEST(DeviceNotificationsTest, NoTimerMeansAnImmediateRescan) {
  Fixture f(/*timerWorks=*/false);
  f.notifications->OnDeviceChange({DeviceEventKind::Arrival, "/a"});
  EXPECT_EQ(f.enumerator.calls, 1);
}

TEST(DeviceNotificationsTest, RegistrationFailureIsLogged) {
  Fixture f;
  InjectedSource source;
  source.fails = true;
  EXPECT_FALSE(f.notifications->RegisterDeviceNotifications(source));
  EXPECT_EQ(f.log.Texts(),
            std::vector<std::string>{"Unable to Register Device Notification ... Error: Operation not permitted "});
}

TEST(DeviceNotificationsTest, ThreadTimerRestartsAndFiresOnce) {
  ThreadOneShotTimer timer;
  std::atomic<int> fired{0};
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(timer.Start(150, [&] { ++fired; }));
  std::this_thread::sleep_for(100ms);
  ASSERT_TRUE(timer.Start(150, [&] { ++fired; }));  // restarted before it fired
  while (fired == 0 && std::chrono::steady_clock::now() - start < 2s) std::this_thread::sleep_for(5ms);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(fired, 1);

  ASSERT_TRUE(timer.Start(50, [&] { ++fired; }));
  timer.Kill();
  std::this_thread::sleep_for(150ms);
  EXPECT_EQ(fired, 1);
}

TEST(DeviceNotificationsTest, UdevSourceStartsAndStopsCleanly) {
  UdevDeviceEventSource source;
  std::string error;
  if (!source.Start([](const DeviceEvent&) {}, error)) {
    // A machine without a netlink socket for udev (some containers) refuses
    // cleanly with the system's reason.
    EXPECT_FALSE(error.empty());
    GTEST_SKIP() << "udev monitor not available here: " << error;
  }
  source.Stop();
  source.Stop();
  ASSERT_TRUE(source.Start([](const DeviceEvent&) {}, error));
}

}  // namespace
}  // namespace lx
