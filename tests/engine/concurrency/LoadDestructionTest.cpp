// A controller destroyed on one thread while another thread loads a profile into it (and waits
// for an answer to the identity question meanwhile) is destroyed only after the load ended.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <thread>

#include "../EngineFixture.h"
#include "app/timer/RealTimerService.h"

namespace {

// Message boxes that stay open until the test closes them; every answer is Yes.
struct HeldMessages : seam::IMessages {
  seam::MessageAnswer Show(const std::string&, const std::string&, seam::MessageButtons,
                           seam::MessageIcon) override {
    opened.set_value();
    closedFuture.wait();
    return seam::MessageAnswer::Yes;
  }
  bool Closed() {
    return closedFuture.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  }
  std::promise<void> opened, closed;
  std::shared_future<void> closedFuture = closed.get_future().share();
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
  messages.opened.get_future().wait();  // the load now waits for the answer
  std::thread destroyer([&] {
    joystick.reset();
    closedBeforeDestroyed = messages.Closed();
    destroyed.store(true);
  });
  // Give the destroyer every chance to run ahead if it did not wait.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(destroyed.load());
  messages.closed.set_value();
  loader.join();
  destroyer.join();
  EXPECT_TRUE(loaded.load());
  EXPECT_TRUE(closedBeforeDestroyed);
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  ClearActions();
}

}  // namespace
