// A controller destroyed on one thread while another thread loads a profile into it.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "../EngineFixture.h"
#include "support/Sync.h"
#include "timer/RealTimerService.h"

namespace {

// Message boxes that stay open until the test closes them; every answer is Yes.
struct HeldMessages : seam::IMessages {
  seam::MessageAnswer Show(const std::string&, const std::string&, seam::MessageButtons,
                           seam::MessageIcon) override {
    opened.Increment();
    closed.WaitFor(1);
    return seam::MessageAnswer::Yes;
  }
  Counter opened, closed;
};

// A controller destroyed on one thread while another thread loads a profile into it (and waits
// for an answer to the identity question meanwhile) is destroyed only after the load ended.
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
  CJoystick* raw = joystick.get();
  std::atomic<bool> loaded{false}, destroyed{false};
  std::thread loader([&] { loaded.store(raw->LoadProfile(profile.c_str(), true)); });
  ASSERT_TRUE(messages.opened.WaitFor(1));  // the load now waits for the answer
  std::thread destroyer([&] { joystick.reset(), destroyed = true; });
  // The destructor has begun; one that does not wait for the load runs ahead meanwhile.
  while (raw->IsAlive()) std::this_thread::yield();
  for (int i = 0; i < 5000 && !destroyed.load(); ++i) std::this_thread::yield();
  EXPECT_FALSE(destroyed.load());
  messages.closed.Increment();
  loader.join();
  destroyer.join();
  EXPECT_TRUE(loaded.load());
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  ClearActions();
}

}  // namespace
