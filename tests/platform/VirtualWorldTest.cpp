#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/timer/TimerUser.h"
#include "support/VirtualWorld.h"

namespace {

class KeyTicker : public CTimerUser {
 public:
  ~KeyTicker() override { StopTimer(id_); }
  void Begin(unsigned period) { id_ = StartTimer(period, this); }
  void OnTimer() override { seam::Input().KeyboardEvent(0x41, 0x1E, 0); }

 private:
  unsigned id_ = 0;
};

TEST(VirtualWorld, InstallsTheSimulatedPlatformWithVirtualTimeAsItsClock) {
  const seam::Services before = seam::Current();
  {
    VirtualWorld world(1000);
    EXPECT_EQ(seam::Current().input, &world.input());
    EXPECT_EQ(seam::Current().clock, &world.timers());
    EXPECT_EQ(CurrentTimerService(), &world.timers());
    EXPECT_EQ(seam::Clock().TickCount(), 1000u);
    world.Advance(250);
    EXPECT_EQ(seam::Clock().TickCount(), 1250u);
  }
  EXPECT_EQ(seam::Current().input, before.input);
  EXPECT_EQ(seam::Current().clock, before.clock);
}

TEST(VirtualWorld, TicksSendInputStampedWithVirtualTime) {
  VirtualWorld world;
  KeyTicker ticker;
  ticker.Begin(30);
  world.Advance(100);
  const auto log = world.input().Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].time, 30u);
  EXPECT_EQ(log[1].time, 60u);
  EXPECT_EQ(log[2].time, 90u);
}

TEST(VirtualWorld, TempProgramFolderHoldsFilesAndGoesWithTheWorld) {
  std::filesystem::path folder;
  {
    VirtualWorld world;
    const std::string prefix = world.UseTempProgramFolder();
    EXPECT_EQ(seam::ProgramFolder(), prefix);
    folder = std::filesystem::path(prefix).parent_path();
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    std::ofstream(seam::ResolveProgramPath("Actions.xml")) << "<Actions/>";
    EXPECT_TRUE(std::filesystem::exists(folder / "Actions.xml"));
  }
  EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
