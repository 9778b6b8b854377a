// A controller destroyed on one thread while another thread loads a profile into it (and waits
// for an answer to the identity question meanwhile) is destroyed only after the load ended.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

#include "../EngineFixture.h"
#include "app/timer/RealTimerService.h"

namespace {

// Message boxes that stay open until the test closes them; every answer is Yes.
class HeldMessages : public seam::IMessages {
 public:
  seam::MessageAnswer Show(const std::string&, const std::string&, seam::MessageButtons,
                           seam::MessageIcon) override {
    std::unique_lock lock(lock_);
    open_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return closed_; });
    return seam::MessageAnswer::Yes;
  }
  void WaitUntilOpen() {
    std::unique_lock lock(lock_);
    changed_.wait(lock, [this] { return open_; });
  }
  bool Closed() {
    std::lock_guard lock(lock_);
    return closed_;
  }
  void Close() {
    std::lock_guard lock(lock_);
    closed_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex lock_;  // guards open_ and closed_
  std::condition_variable changed_;
  bool open_ = false;
  bool closed_ = false;
};

TEST(LoadDestruction, DestructionWaitsForTheLoadInProgress) {
  seam::SimPlatform platform;
  HeldMessages messages;
  seam::Services services = platform.services();
  services.messages = &messages;
  seam::ScopedServices installed(services);
  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  FillTestLibrary();
  platform.joysticks().Plug(0, seam::MakeJoystickCaps("", 4, false, 0, 65535, "Pad"));
  platform.joysticks().PressButton(0, 1);
  TempFolder folder;
  const std::string profile = folder.File("other.xml");
  std::ofstream(profile, std::ios::binary)
      << "<Joystick ID='5' name='Another Pad' Delay='1'><Buttons>" + Button(1, Acts(Act("A"))) +
             "</Buttons></Joystick>";

  auto joystick = std::make_unique<CJoystick>();
  ASSERT_TRUE(joystick->Open(0));
  std::atomic<bool> destroyed{false}, loaded{false};
  bool closedBeforeDestroyed = false;
  std::thread loader([&] { loaded.store(joystick->LoadProfile(profile.c_str(), true)); });
  messages.WaitUntilOpen();  // the load now waits for the answer
  std::thread destroyer([&] {
    joystick.reset();
    closedBeforeDestroyed = messages.Closed();
    destroyed.store(true);
  });
  // Give the destroyer every chance to run ahead if it did not wait.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(destroyed.load());
  messages.Close();
  loader.join();
  destroyer.join();
  EXPECT_TRUE(loaded.load());
  EXPECT_TRUE(closedBeforeDestroyed);
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  ClearActions();
}

}  // namespace
