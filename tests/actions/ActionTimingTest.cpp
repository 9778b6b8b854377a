// Every kind of action in virtual time: the events each push type sends and when, ticks that
// arrive after the end, and absolute placement around the screen centre.
#include <gtest/gtest.h>

#include <string>

#include "ActionTestSupport.h"

namespace {

using namespace actiontest;

class ActionTimingTest : public ActionTest {
 protected:
  ActionTimingTest() {
    for (const char* name : {"Ctrl", "V", "A", "B", "C"}) {
      AddAction(Key(name[1] == 't' ? 0x11 : name[0], PushType::Hold, name));
    }
    AddAction(Read(R"(<MouseAction name="Right" direction="90" absolute="true"/>)"));
  }
};

TEST_F(ActionTimingTest, EachKindAndPushTypeSendsItsEventsAtTheirTimes) {
  const struct {
    const char* element;
    const char* script;
    const char* events;
  } cases[] = {
      // Hold: first repeat after (delay + 1) x 250 ms, then every 400 - 12 x speed ms.
      {R"(<VKAction name="K" value="0x41"/>)", "D1 S31 P 600 R",
       "0 down 41, 500 down 41, 528 down 41, 556 down 41, 584 down 41, 600 up 41"},
      {R"(<VKAction name="K" value="0x41"/>)", "D0 S0 P 1100 R",
       "0 down 41, 250 down 41, 650 down 41, 1050 down 41, 1100 up 41"},
      {R"(<VKAction name="K" value="0x41"/>)", "P P R", "0 down 41, 0 up 41"},
      {R"(<VKAction name="K" value="0x41" type="Repeat" rate="100"/>)", "P 250 R",
       "0 down 41, 100 down 41, 100 up 41, 200 down 41, 200 up 41, 250 up 41"},
      {R"(<VKAction name="K" value="0x41" type="Repeat" rate="0"/>)", "P 1000 R",
       "0 down 41, 1000 up 41"},
      // The keys a keyboard sends extended go out so; Ctrl and Alt go out as the left-hand keys
      // (the right Alt is AltGr on many layouts), as do F1 and the keypad's digits.
      {R"(<VKAction name="K" value="0x2D" type="Hit"/>)", "P 1000 R", "0 down 2d+ext, 0 up 2d+ext"},
      {R"(<VKAction name="K" value="0x12" type="Hit"/>)", "P", "0 down 12, 0 up 12"},
      {R"(<VKAction name="K" value="0xA5" type="Hit"/>)", "P", "0 down a5+ext, 0 up a5+ext"},
      {R"(<VKAction name="K" value="0x11" type="Hit"/>)", "P", "0 down 11, 0 up 11"},
      {R"(<VKAction name="K" value="0x70" type="Hit"/>)", "P", "0 down 70, 0 up 70"},
      {R"(<VKAction name="K" value="0xA6" type="Hit"/>)", "P", "0 down a6+ext, 0 up a6+ext"},
      {R"(<VKAction name="K" value="0xB7" type="Hit"/>)", "P", "0 down b7+ext, 0 up b7+ext"},
      {R"(<VKAction name="K" value="0x41" type="Toggle"/>)", "P 100 R 2000 P 100 R",
       "0 down 41, 2200 up 41"},
      // A lone release does not arm a toggle; after a forced release a press starts afresh.
      {R"(<VKAction name="K" value="0x41" type="Toggle"/>)", "P R R 10 F F 10 P R 10 P R",
       "0 down 41, 10 up 41, 20 down 41, 30 up 41"},
      // Mouse-button keys go out as mouse-button events.
      {R"(<VKAction name="K" value="0x1" type="Hit"/>)", "P", "0 mouse 2 0 0 0, 0 mouse 4 0 0 0"},
      {R"(<VKAction name="K" value="0x2" type="Hit"/>)", "P", "0 mouse 8 0 0 0, 0 mouse 10 0 0 0"},
      {R"(<VKAction name="K" value="0x4" type="Hit"/>)", "P", "0 mouse 20 0 0 0, 0 mouse 40 0 0 0"},
      // Relative movement, 30 ms, 70 px/s, acceleration 20: a move at every step, even of zero.
      // Lengths 2.01, 2.19, 2.37, 2.55, 2.73: carries 2.01, 2.2, 2.57, 3.12, 2.85.
      {R"(<MouseAction name="M" direction="90"/>)", "P 130 R",
       "0 mouse 1 2 0 0, 30 mouse 1 2 0 0, 60 mouse 1 2 0 0, 90 mouse 1 3 0 0, "
       "120 mouse 1 2 0 0, 130 mouse 1 0 0 0"},
      {R"(<MouseAction name="M" direction="0" type="Hit"/>)", "P",
       "0 mouse 1 0 -2 0, 0 mouse 1 0 0 0"},
      {R"(<MouseAction name="M" direction="180" type="Hit"/>)", "P",
       "0 mouse 1 0 2 0, 0 mouse 1 0 0 0"},
      {R"(<MouseAction name="M" direction="270" type="Hit"/>)", "P 500 R",
       "0 mouse 1 -2 0 0, 0 mouse 1 0 0 0"},
      // Half a pixel per step: single pixels wait until the carry reaches two.
      {R"(<MouseAction name="M" direction="90" delay="10" speed="50" acceleration="0"/>)", "P 70 R",
       "0 mouse 1 0 0 0, 10 mouse 1 0 0 0, 20 mouse 1 0 0 0, 30 mouse 1 2 0 0, 40 mouse 1 0 0 0, "
       "50 mouse 1 0 0 0, 60 mouse 1 0 0 0, 70 mouse 1 2 0 0, 70 mouse 1 0 0 0"},
      // Speed factor 50: 1.005 held back, + 1.095.
      {R"(<MouseAction name="M" direction="90"/>)", "P50 30 R",
       "0 mouse 1 0 0 0, 30 mouse 1 2 0 0, 30 mouse 1 0 0 0"},
      // A press while moving keeps the acceleration and the timer's phase, and clears the
      // carry: at 0.2 s the step is 0.2 x 90 - 0.17 x 87 = 3.21.
      {R"(<MouseAction name="M" direction="90"/>)", "P 200 P 10 R",
       "0 mouse 1 2 0 0, 30 mouse 1 2 0 0, 60 mouse 1 2 0 0, 90 mouse 1 3 0 0, "
       "120 mouse 1 2 0 0, 150 mouse 1 3 0 0, 180 mouse 1 3 0 0, 200 mouse 1 3 0 0, "
       "210 mouse 1 3 0 0, 210 mouse 1 0 0 0"},
      {R"(<MouseAction name="M" direction="90" delay="0"/>)", "P 1000 R",
       "0 mouse 1 0 0 0, 1000 mouse 1 0 0 0"},  // no timer: moves at press and release only
      {R"(<MouseAction name="M" direction="90" speed="2147483647" acceleration="2147483647"/>)",
       "P 60 R",  // large moves computed without overflow
       "0 mouse 1 54760832 0 0, 30 mouse 1 74088186 0 0, 60 mouse 1 93415539 0 0, 60 mouse 1 0 0 "
       "0"},
      // Wheel: lines x 10, up positive; Hold steps every delay ms.
      {R"(<MouseWheelAction name="W" direction="down"/>)", "P 100 R",
       "0 mouse 800 0 0 -30, 30 mouse 800 0 0 -30, 60 mouse 800 0 0 -30, 90 mouse 800 0 0 -30"},
      // A second start steps again, and a second timer would tick at 40.
      {R"(<MouseWheelAction name="W" direction="up"/>)", "P 10 P 50 R",
       "0 mouse 800 0 0 30, 10 mouse 800 0 0 30, 30 mouse 800 0 0 30, 60 mouse 800 0 0 30"},
      {R"(<MouseWheelAction name="W" direction="down" type="Repeat"/>)", "P 500 R",
       "0 mouse 800 0 0 -30"},
      {R"(<MouseWheelAction name="W" direction="up" type="Hit" lines="2"/>)", "P R",
       "0 mouse 800 0 0 20"},
      {R"(<MouseWheelAction name="W" direction="down" type="Hit" lines="2147483647"/>)", "P",
       "0 mouse 800 0 0 -2147483648"},  // clamped
      // Combinations: parts pressed in order, released in reverse, each with its push type.
      {R"(<ComplexAction name="X"><CombinedAction theme="" name="Ctrl"/>
            <CombinedAction theme="" name="V" type="Hit"/></ComplexAction>)",
       "P 2000 R", "0 down 11, 0 down 56, 0 up 56, 2000 up 11"},
      {R"(<ComplexAction name="X"><CombinedAction theme="" name="A"/>
            <CombinedAction theme="" name="B"/><CombinedAction theme="" name="C"/></ComplexAction>)",
       "P P R R", "0 down 41, 0 down 42, 0 down 43, 0 up 43, 0 up 42, 0 up 41"},
      {R"(<ComplexAction name="X" type="Toggle"><CombinedAction theme="" name="A"/>
            </ComplexAction>)",
       "P R @300 P R", "0 down 41, 300 up 41"},
      // The speed object reaches the parts unchanged: an offset of 0.3 screen widths.
      {R"(<ComplexAction name="X"><CombinedAction theme="" name="Right"/></ComplexAction>)",
       "P50 R", "0 mouse 8001 52428 32768 0, 0 mouse 8001 32768 32768 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.element) + " " + c.script);
    VirtualWorld world;
    auto action = Read(c.element);
    ASSERT_NE(action, nullptr);
    Play(world, *action, c.script);
    action->RunTick();  // begun on the timer thread before the end: it must find nothing to do
    EXPECT_FALSE(action->IsActive());
    EXPECT_EQ(world.timers().RunningTimers(), 0u);
    world.Advance(2000);
    EXPECT_EQ(Describe(world.input().Log()), c.events);
  }
}

TEST_F(ActionTimingTest, OnlyModifiersAndMouseButtonsAreHeldWithoutRepeating) {
  for (const unsigned char key : {0x10, 0x11, 0x12, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0x01, 0x02,
                                  0x04, 0x0F, 0x13, 0x9F, 0xA6}) {
    SCOPED_TRACE(key);
    const bool repeats = key == 0x0F || key == 0x13 || key == 0x9F || key == 0xA6;
    CVKAction a(key, PushType::Hold, "M");
    Play(world, a, "P");
    EXPECT_EQ(world.timers().RunningTimers(), repeats ? 1u : 0u);
    Play(world, a, "600 R");  // a repeat at 500, 528, 556 and 584
    EXPECT_EQ(world.input().TakeLog().size(), repeats ? 6u : 2u);
  }
  EXPECT_TRUE(world.input().AllReleased());
}

// The screen is 1920 x 1080 and the cursor starts in its middle.
// Offsets of contributors add up around the centre; once the cursor stands on the last target
// (it is known), placement sends changes around the centre instead of the target itself.
TEST_F(ActionTest, AbsolutePlacementAddsUpAndFollowsAKnownLastTarget) {
  CMouseAction right{PushType::Hold, true, 30, 70, 20, 90, "Right"};
  CMouseAction down(PushType::Hold, true, 30, 70, 20, 180, "Down");
  CMouseSpeedData half{50.0}, quarter{25.0};
  auto& placement = CAbsoluteMousePlacement::Instance();
  right.Press(nullptr);  // no factor: no contribution, the cursor goes to the centre
  EXPECT_FALSE(placement.IsContributor(&right));
  right.Press(&half);  // (0.3 W, 0) = (576, 0)
  down.Press(&half);   // (0, 0.3 H) = (0, 324)
  EXPECT_EQ(placement.ContributorCount(), 2u);
  EXPECT_EQ(world.timers().RunningTimers(), 0u);  // absolute actions need no timer
  right.Release(nullptr);                         // withdraws, the other stays
  down.Release(nullptr);
  EXPECT_EQ(placement.ContributorCount(), 0u);
  // The centre: 960 / 1920 x 65535 = 32767.5 rounds up; 1536 / 1920 and 864 / 1080 are 0.8.
  EXPECT_EQ(Describe(world.input().TakeLog()),
            "0 mouse 8001 32768 32768 0, 0 mouse 8001 52428 32768 0, 0 mouse 8001 52428 52428 0, "
            "0 mouse 8001 32768 52428 0, 0 mouse 8001 32768 32768 0");
  world.desktop().SetCursorPos(1536, 540);  // on the target: it becomes known
  right.Press(&half);
  right.Press(&half);     // unchanged: a change of zero puts the cursor in the centre...
  right.Press(&quarter);  // ...which moved it: unknown again, 960 + 288 = 1248 is sent
  world.desktop().SetCursorPos(1536, 540);
  right.Press(&half);
  right.Press(&quarter);  // known: 960 + (1248 - 1536) = 672, 0.35 of 65535 = 22937.25
  EXPECT_EQ(Describe(world.input().TakeLog()),
            "0 mouse 8001 52428 32768 0, 0 mouse 8001 32768 32768 0, 0 mouse 8001 42598 32768 0, "
            "0 mouse 8001 52428 32768 0, 0 mouse 8001 22937 32768 0");
  right.Release(nullptr);
}

}  // namespace
