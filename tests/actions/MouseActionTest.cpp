// Mouse movement in virtual time: relative steps with acceleration, speed factor and carry;
// absolute placement around the screen centre; the "MouseAction" element.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ActionTestSupport.h"
#include "actions/MouseAction.h"
#include "xml/XMLNode.h"

namespace {

using Events = std::vector<std::string>;

class MouseActionTest : public actiontest::ActionTest {
 protected:
  // A relative action with the default speed, acceleration and delay.
  static CMouseAction Relative(PushType type, int direction) {
    return CMouseAction(type, false, CMouseAction::kDefaultDelay, CMouseAction::kDefaultSpeed,
                        CMouseAction::kDefaultAcceleration, direction, "Move");
  }
  static CMouseAction Absolute(int direction) {
    return CMouseAction(PushType::Hold, true, 30, 70, 20, direction, "Place");
  }
};

TEST_F(MouseActionTest, DirectionRoundTripsAndWrapsAbove360) {
  auto a = Relative(PushType::Hold, 0);
  for (int d = 0; d < 360; ++d) {
    a.SetDirection(d);
    EXPECT_EQ(a.GetDirection(), d);
  }
  a.SetDirection(450);
  EXPECT_EQ(a.GetDirection(), 90);
  a.SetDirection(-90);
  EXPECT_EQ(a.GetDirection(), 270);
  a.SetDirection(2147483647);  // extreme values neither overflow nor trap
  a.SetDirection(-2147483647 - 1);
}

TEST_F(MouseActionTest, FirstStepWithDefaultsMovesTwoPixelsRight) {
  auto a = Relative(PushType::Hold, 90);
  a.Press(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 1 2 0 0"}));  // 0.03 x (70 - 3) = 2.01
  a.Release(nullptr);
}

TEST_F(MouseActionTest, StepsAccelerateAtEveryTickUntilTheRelease) {
  auto a = Relative(PushType::Hold, 90);
  a.Press(nullptr);
  world.AdvanceTo(130);
  a.Release(nullptr);
  // Lengths 2.01, 2.19, 2.37, 2.55, 2.73: carries 2.01, 2.2, 2.57, 3.12, 2.85.
  EXPECT_EQ(Recorded(), (Events{"0 mouse 1 2 0 0", "30 mouse 1 2 0 0", "60 mouse 1 2 0 0",
                                "90 mouse 1 3 0 0", "120 mouse 1 2 0 0", "130 mouse 1 0 0 0"}));
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  world.Advance(1000);
  EXPECT_EQ(world.input().Count(), 6u);
}

TEST_F(MouseActionTest, DirectionZeroMovesUpAndOneEightyDown) {
  auto up = Relative(PushType::Hit, 0);
  auto down = Relative(PushType::Hit, 180);
  auto left = Relative(PushType::Hit, 270);
  up.Press(nullptr);
  down.Press(nullptr);
  left.Press(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 1 0 -2 0", "0 mouse 1 0 0 0", "0 mouse 1 0 2 0",
                                "0 mouse 1 0 0 0", "0 mouse 1 -2 0 0", "0 mouse 1 0 0 0"}));
}

TEST_F(MouseActionTest, HitMakesOneStepAndStopsItsTimer) {
  auto a = Relative(PushType::Hit, 90);
  a.Press(nullptr);
  EXPECT_FALSE(a.IsActive());
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  world.Advance(500);
  a.Release(nullptr);  // idle: no move at all
  EXPECT_EQ(Recorded(), (Events{"0 mouse 1 2 0 0", "0 mouse 1 0 0 0"}));
}

TEST_F(MouseActionTest, SinglePixelsWaitUntilTheCarryReachesTwo) {
  // Half a pixel per step: 50 px/s for 10 ms, no acceleration.
  CMouseAction a(PushType::Hold, false, 10, 50, 0, 90, "Slow");
  a.Press(nullptr);
  world.AdvanceTo(70);
  a.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 1 0 0 0", "10 mouse 1 0 0 0", "20 mouse 1 0 0 0",
                                "30 mouse 1 2 0 0", "40 mouse 1 0 0 0", "50 mouse 1 0 0 0",
                                "60 mouse 1 0 0 0", "70 mouse 1 2 0 0", "70 mouse 1 0 0 0"}));
}

TEST_F(MouseActionTest, TheSpeedFactorScalesEveryStep) {
  auto a = Relative(PushType::Hold, 90);
  CMouseSpeedData half(50.0);
  a.Press(&half);       // 1.005: held back
  world.AdvanceTo(30);  // + 1.095
  a.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 1 0 0 0", "30 mouse 1 2 0 0", "30 mouse 1 0 0 0"}));
}

TEST_F(MouseActionTest, APressWhileMovingKeepsTheAccelerationAndClearsTheCarry) {
  auto a = Relative(PushType::Hold, 90);
  a.Press(nullptr);
  world.AdvanceTo(200);
  world.input().ClearLog();
  a.Press(nullptr);  // t = 0.2: 0.2 x 90 - 0.17 x 87 = 3.21
  EXPECT_EQ(Recorded(), (Events{"200 mouse 1 3 0 0"}));
  world.AdvanceTo(210);  // the timer kept its phase
  EXPECT_EQ(world.input().Count(), 2u);
  a.Release(nullptr);
}

TEST_F(MouseActionTest, ADelayOfZeroMovesOnlyAtPressAndRelease) {
  CMouseAction a(PushType::Hold, false, 0, 70, 20, 90, "NoTimer");
  a.Press(nullptr);
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  world.Advance(1000);
  a.Release(nullptr);
  EXPECT_EQ(world.input().Count(), 2u);
}

TEST_F(MouseActionTest, HugeSettingsSendClampedMovesInsteadOfOverflowing) {
  CMouseAction a(PushType::Hold, false, 30, 2147483647, 2147483647, 90, "Wild");
  a.Press(nullptr);
  world.Advance(100);
  a.Release(nullptr);
  for (const auto& r : world.input().Log()) EXPECT_GE(r.dx, 0);
}

TEST_F(MouseActionTest, ATickThatArrivesAfterTheReleaseSendsNothing) {
  auto a = Relative(PushType::Hold, 90);
  a.Press(nullptr);
  a.Release(nullptr);
  a.RunTick();
  EXPECT_EQ(world.input().Count(), 2u);
}

TEST_F(MouseActionTest, DestroyingAMovingActionEndsItsTimer) {
  auto a = std::make_unique<CMouseAction>(Relative(PushType::Toggle, 90));
  a->Press(nullptr);
  a->Release(nullptr);
  world.Advance(100);
  a.reset();
  const auto count = world.input().Count();
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  world.Advance(1000);
  EXPECT_EQ(world.input().Count(), count);
}

// Absolute placement. The screen is 1920 x 1080 and the cursor starts in its middle.

TEST_F(MouseActionTest, RoundingTruncatesThenAddsAHalf) {
  EXPECT_EQ(CAbsoluteMousePlacement::Round(2.5), 3);
  EXPECT_EQ(CAbsoluteMousePlacement::Round(2.49), 2);
  EXPECT_EQ(CAbsoluteMousePlacement::Round(-1.7), -1);
  EXPECT_EQ(CAbsoluteMousePlacement::Round(-0.5), 0);
  EXPECT_EQ(CAbsoluteMousePlacement::Round(-2.5), -2);
  EXPECT_EQ(CAbsoluteMousePlacement::Round(1e300), 2147483647);
  EXPECT_EQ(CAbsoluteMousePlacement::Round(std::nan("")), 0);
}

TEST_F(MouseActionTest, AnAbsoluteActionWithoutAFactorContributesNothing) {
  auto a = Absolute(90);
  a.Press(nullptr);
  EXPECT_FALSE(CAbsoluteMousePlacement::Instance().IsContributor(&a));
  // The centre: 960 / 1920 x 65535 = 32767.5, rounded up.
  EXPECT_EQ(Recorded(), (Events{"0 mouse 8001 32768 32768 0"}));
  a.Release(nullptr);
}

TEST_F(MouseActionTest, OffsetsOfContributorsAddUpAroundTheCentre) {
  auto right = Absolute(90);
  auto down = Absolute(180);
  CMouseSpeedData half(50.0);
  right.Press(&half);  // (0.3 W, 0) = (576, 0)
  EXPECT_DOUBLE_EQ(right.GetOffsetX(), 576.0);
  EXPECT_NEAR(right.GetOffsetY(), 0.0, 1e-9);
  down.Press(&half);  // (0, 0.3 H) = (0, 324)
  EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 2u);
  right.Release(nullptr);  // withdraws, the other stays
  EXPECT_FALSE(CAbsoluteMousePlacement::Instance().IsContributor(&right));
  down.Release(nullptr);
  EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 0u);
  // 1536 / 1920 and 864 / 1080 are both 0.8 of 65535.
  EXPECT_EQ(Recorded(), (Events{"0 mouse 8001 52428 32768 0", "0 mouse 8001 52428 52428 0",
                                "0 mouse 8001 32768 52428 0", "0 mouse 8001 32768 32768 0"}));
}

TEST_F(MouseActionTest, AKnownLastTargetTurnsPlacementIntoChangesAroundTheCentre) {
  auto right = Absolute(90);
  CMouseSpeedData half(50.0);
  CMouseSpeedData quarter(25.0);
  // The cursor already stands on the target and does not move: the target becomes known.
  world.desktop().SetCursorPos(1536, 540);
  right.Press(&half);
  // Unchanged target: the change is zero, so the cursor goes to the centre...
  right.Press(&half);
  // ...which moved it, so the last target is unknown again and the target itself is sent.
  right.Press(&quarter);  // 960 + 288 = 1248: 0.65 of 65535
  EXPECT_EQ(Recorded(), (Events{"0 mouse 8001 52428 32768 0", "0 mouse 8001 32768 32768 0",
                                "0 mouse 8001 42598 32768 0"}));
  right.Release(nullptr);
}

TEST_F(MouseActionTest, AKnownLastTargetAndAChangedTargetSendTheChange) {
  auto right = Absolute(90);
  CMouseSpeedData half(50.0);
  CMouseSpeedData quarter(25.0);
  world.desktop().SetCursorPos(1536, 540);
  right.Press(&half);     // last target (1536, 540)
  right.Press(&quarter);  // 960 + (1248 - 1536) = 672: 0.35 of 65535 = 22937.25
  EXPECT_EQ(Recorded().back(), "0 mouse 8001 22937 32768 0");
  right.Release(nullptr);
}

TEST_F(MouseActionTest, DestroyingAnAbsoluteContributorWithdrawsIt) {
  auto a = std::make_unique<CMouseAction>(Absolute(90));
  CMouseSpeedData full(100.0);
  a->Press(&full);
  EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 1u);
  a.reset();
  EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 0u);
}

TEST_F(MouseActionTest, AbsoluteActionsStartNoTimer) {
  auto a = Absolute(90);
  CMouseSpeedData full(100.0);
  a.Press(&full);
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  world.Advance(1000);
  EXPECT_EQ(world.input().Count(), 1u);
  a.Release(nullptr);
}

TEST_F(MouseActionTest, CloneCopiesSettingsAndEquality) {
  CMouseAction a(PushType::Toggle, true, 11, 22, 33, 44, "M");
  a.SetTheme("T");
  auto copy = a.Clone();
  auto& m = dynamic_cast<CMouseAction&>(*copy);
  EXPECT_TRUE(m.IsAbsolute());
  EXPECT_EQ(m.GetDelay(), 11);
  EXPECT_EQ(m.GetSpeed(), 22);
  EXPECT_EQ(m.GetAcceleration(), 33);
  EXPECT_EQ(m.GetDirection(), 44);
  EXPECT_TRUE(a.IsEqual(&m));
  m.SetDirection(45);
  EXPECT_FALSE(a.IsEqual(&m));
  m.SetDirection(44);
  m.SetAbsolute(false);
  EXPECT_FALSE(a.IsEqual(&m));
}

// Reading and writing the element.

std::unique_ptr<CAction> Read(std::string_view text) {
  auto element = actiontest::Element(text);
  return element ? ReadMouseAction(element.get()) : nullptr;
}

TEST_F(MouseActionTest, ReadsDefaultsAndAbsoluteInAnyCase) {
  auto a = Read(R"(<MouseAction name="Up" direction="0" />)");
  ASSERT_NE(a, nullptr);
  auto& m = dynamic_cast<CMouseAction&>(*a);
  EXPECT_EQ(m.GetSpeed(), 70);
  EXPECT_EQ(m.GetDelay(), 30);
  EXPECT_EQ(m.GetAcceleration(), 20);
  EXPECT_FALSE(m.IsAbsolute());
  auto b = Read(R"(<MouseAction name="B" direction="90" Absolute="TRUE" speed="5x" />)");
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(dynamic_cast<CMouseAction&>(*b).IsAbsolute());
  EXPECT_EQ(dynamic_cast<CMouseAction&>(*b).GetSpeed(), 5);
  auto c = Read(R"(<MouseAction name="C" direction="abc" absolute="False" />)");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(dynamic_cast<CMouseAction&>(*c).GetDirection(), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MouseActionTest, ReportsBadElements) {
  EXPECT_EQ(Read(R"(<MouseAction direction="0" />)"), nullptr);
  EXPECT_EQ(Read(R"(<MouseAction name="Aim" />)"), nullptr);
  EXPECT_EQ(Read(R"(<MouseAction name="Aim" direction="0" absolute="yes" />)"), nullptr);
  EXPECT_EQ(Read(R"(<MouseAction name="Aim" direction="0" type="" />)"), nullptr);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].text, "There is a MouseAction with no name");
  EXPECT_EQ(messages[1].text, "The MouseAction \"Aim\" doesn't have a direction.");
  EXPECT_EQ(messages[2].text, "The MouseAction \"Aim\" has an unknown absolute value: \"yes\".");
  EXPECT_EQ(messages[3].text, "The MouseAction \"Aim\" has an unknown type: \"\".");
  for (const auto& m : messages) {
    EXPECT_EQ(m.caption, "XML Error");
    EXPECT_EQ(m.icon, seam::MessageIcon::Error);
  }
}

TEST_F(MouseActionTest, WritesAttributesInOrder) {
  auto a = Read(R"(<MouseAction theme="T" name="N" type="toggle" direction="450" />)");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->CreateXMLNode()->ToText(),
            "<MouseAction theme = \"T\" name = \"N\" type = \"Toggle\" direction = \"90\" "
            "absolute = \"false\" delay = \"30\" speed = \"70\" acceleration = \"20\" />\r\n");
  auto back = ReadMouseAction(a->CreateXMLNode().get());
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(a->IsEqual(back.get()));
}

}  // namespace
