// The live state read on one thread while the poll publishes it on another.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "../EngineFixture.h"

namespace {

using LiveStateRead = EngineFixture;

// Every poll reads a state whose fields all hold the poll's number; a copy torn between two
// polls would hold two numbers, and copies never go back in time.
TEST_F(LiveStateRead, EveryCopyIsOneWholePoll) {
  auto joystick = Plug(0, seam::MakeJoystickCaps("ZRUV", 32, true, 0, 0xFFFFFFFF, "Pad"));
  ASSERT_TRUE(Load(*joystick, ""));
  constexpr std::uint32_t kPolls = 20000;
  std::atomic<bool> done{false};
  std::uint32_t torn = 0, backwards = 0, copies = 0;
  std::thread reader([&] {
    std::uint32_t last = 0;
    while (!done.load() || copies == 0) {  // at least one copy, however late the thread starts
      const std::optional<JoystickLiveState> live = joystick->LiveState();
      if (!live) continue;
      ++copies;
      const std::uint32_t n = live->buttons;
      for (std::uint32_t axis : live->axes) torn += axis != n;
      torn += live->pov != n;
      backwards += n < last;
      last = n;
    }
  });
  for (std::uint32_t n = 1; n <= kPolls; ++n) {
    const seam::JoystickState state{n, n, n, n, n, n, n, 0, n};
    world.joysticks().SetState(0, state);
    joystick->OnTimer();  // polling runs on virtual time that stands still: called directly
  }
  done = true;
  reader.join();
  EXPECT_EQ(torn, 0u);
  EXPECT_EQ(backwards, 0u);
  EXPECT_GT(copies, 0u);
  EXPECT_EQ(joystick->LiveState()->buttons, kPolls);
}

}  // namespace
