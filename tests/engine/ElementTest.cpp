// An axis in detail (the hat's windows show in the live view's tests): its dead zone, its speed
// as percent of the deflection, its jitter filter and the entries of one side chosen by percent.
// Their actions record their starts, with the speed in whole percent, and stops.
#include <gtest/gtest.h>

#include "EngineFixture.h"

namespace {

class ElementTest : public EngineFixture {
 protected:
  ElementTest() {
    for (const char* name : {"pos", "neg", "far"})
      AddAction(std::make_unique<CRecordingAction>(name, &log));
  }
  // Controller 0 with `caps`, its X axis running `right` and `left`.
  void Make(const std::string& head, const std::string& right = Act("pos"),
            const std::string& left = Act("neg"), seam::JoystickCaps caps = Gamepad()) {
    joystick = Plug(0, caps);
    ASSERT_TRUE(Load(*joystick, "<Axes>" +
                                    Axis("name='X Axis' type='Horizontal' " + head, "Left",
                                         Acts(left), "Right", Acts(right)) +
                                    "</Axes>"));
    log.clear();
  }

  std::string log;  // outlives the controller, whose actions stop into it
  std::unique_ptr<CJoystick> joystick;
};

// The dead zone is centred in the range, a threshold wider than the range clamped to it. Every
// significant movement presses again with the new speed; a jump across the centre releases,
// then presses the other side; jitter up to the sensitivity is ignored.
TEST_F(ElementTest, AxisSpeedIsPercentOfTheDeflection) {
  Make("Threshold='1000' Sensitivity='100'");
  for (std::uint32_t x :
       {33267u, 32767u, 33268u, 49401u, 65535u, 32767u, 0u, 60000u, 60100u, 60101u}) {
    Move('X', x);
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
    auto caps = Gamepad();
    caps.xMin = c.min;
    caps.xMax = c.max;
    Make("Sensitivity='10' Threshold='" + std::to_string(c.threshold) + "'", Act("pos"), Act("neg"),
         caps);
    Move('X', c.x);
    EXPECT_EQ(log, c.trace) << c.x;
  }
}

// The strictly lowest percent below the value wins; a high entry stays until the dead zone.
TEST_F(ElementTest, PercentEntriesTakeOverAndAHighOneStaysUntilTheDeadZone) {
  Make("", Act("pos") + Act("far", 0, " percent='50'"), Act("far", 0, " percent='50'"));
  for (double percent : {30, 50, 70, 30, -30, -60, -30, 0}) {
    Move('X', static_cast<std::uint32_t>(percent >= 0 ? 33267.5 + 32267.5 * percent / 100
                                                      : 32267.5 + 32267.5 * percent / 100));
  }
  EXPECT_EQ(log, "+pos@30 +pos@50 -pos +far@70 -far +pos@30 -pos +far@60 -far");
}

}  // namespace
