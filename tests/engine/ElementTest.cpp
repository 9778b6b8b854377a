// Elements on their own: the windows of the hat, an axis's dead zone, its speed as percent of the
// deflection, its jitter filter and the entries of one side chosen by percent.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/JoystickAxis.h"
#include "engine/JoystickPOVButton.h"

namespace {

struct ElementTest : ::testing::Test {
  // An X axis with "pos" on the max side and "neg" on the min side, both at 0 percent.
  CJoystickAxis& MakeAxis(std::uint32_t min = 0, std::uint32_t max = 65535, int threshold = 1000) {
    axis = std::make_unique<CJoystickAxis>(nullptr, CJoystickAxisProperties(0, min, max, threshold),
                                           "X Axis");
    axis->AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
    axis->AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
    log.clear();
    return *axis;
  }
  void At(double x) {
    seam::JoystickState state;
    state.xPos = static_cast<std::uint32_t>(x);
    axis->Update(state);
  }

  VirtualWorld world;
  std::string log;
  std::unique_ptr<CJoystickAxis> axis;
};

TEST_F(ElementTest, HatWindowsOverlapOnlyAtTheDiagonals) {
  const struct {
    int angle;
    std::uint32_t lastIn, firstOut;
  } cases[] = {{0, 6199, 6200}, {0, 29801, 29800}, {90, 2801, 2800}, {270, 33199, 33200}};
  for (const auto& c : cases) {
    CJoystickPOVButton direction(nullptr, c.angle);
    EXPECT_TRUE(direction.InRange(c.lastIn)) << c.angle;
    EXPECT_FALSE(direction.InRange(c.firstOut)) << c.angle;
    EXPECT_FALSE(direction.InRange(seam::kPovCentered));
  }
}

// The dead zone is centred in the range, a threshold wider than the range clamped to it. Every
// significant movement presses again with the new speed; a jump across the centre releases,
// then presses the other side; jitter up to the sensitivity is ignored.
TEST_F(ElementTest, AxisSpeedIsPercentOfTheDeflection) {
  MakeAxis();
  for (double x :
       {33267.0, 32767.0, 33268.0, 49401.0, 65535.0, 32767.0, 0.0, 60000.0, 60100.0, 60101.0}) {
    At(x);
  }
  EXPECT_EQ(log, "+pos@0 +pos@50 +pos@100 -pos +neg@100 -neg +pos@83 +pos@83");
  const struct {
    std::uint32_t min, max;
    int threshold;
    std::uint32_t x;
    const char* trace;
  } cases[] = {{100, 1100, 200, 100, "+neg@100"},
               {100, 1100, 200, 699, ""},
               {0, 255, 1000, 0, ""},  // all of the range
               {0, 1000, 100, 4000000000u, "+pos@100"},
               {0, 65535, 60000, 2000, "+neg@28"}};  // dead zone 2767..62767
  for (const auto& c : cases) {
    MakeAxis(c.min, c.max, c.threshold).Properties().SetSensitivity(10);
    At(c.x);
    EXPECT_EQ(log, c.trace) << c.x;
  }
}

// The strictly lowest percent below the value wins; a high entry stays until the dead zone.
TEST_F(ElementTest, PercentEntriesTakeOverAndAHighOneStaysUntilTheDeadZone) {
  MakeAxis().AddPositiveThreshold(0, CRecordingAction("B", &log), 50);
  for (double percent : {30, 50, 70, 30}) At(33267.5 + (65535 - 33267.5) * percent / 100);
  EXPECT_EQ(log, "+pos@30 +pos@50 -pos +B@70 -B +pos@30");
  MakeAxis().AddNegativeThreshold(0, CRecordingAction("far", &log), 50);
  axis->RemoveNegativeThreshold(0, 0);
  log.clear();  // the replaced axis ended its entry
  for (double percent : {30, 60, 30}) At(32267.5 - 32267.5 * percent / 100);
  At(32767);
  EXPECT_EQ(log, "+far@60 -far");
}

}  // namespace
