// Picking an input by pressing it, in virtual time: the first input that goes down from the
// state at the start, and the Profile tab's entry it stands for.
#include <gtest/gtest.h>

#include "engine/InputDetector.h"
#include "profileedit/ElementEntries.h"
#include "support/VirtualWorld.h"

namespace {

using Kind = DetectedInput::Kind;

// A pad with X and Y (dead zone 32267..33267), a hat and 4 buttons.
JoystickLiveLayout Pad() {
  JoystickLiveLayout layout;
  layout.hasPov = true;
  layout.buttonCount = 4;
  for (int index : {0, 1}) {
    LiveAxisLayout& axis = layout.axes.emplace_back();
    axis.index = index;
    axis.min = 0;
    axis.max = 65535;
    axis.low = 32267;
    axis.high = 33267;
  }
  return layout;
}

JoystickLiveState Rest() {
  JoystickLiveState state;
  state.axes[0] = state.axes[1] = 32767;
  return state;
}

// Each case changes the state at start and then, 100 ms apart, as its steps say: "b3" presses
// button 3 alone, "h9000" turns the hat, "x1000"/"y60000" move an axis, "-" changes nothing.
// What it found shows as the Profile tab's entry it stands for (the axis not swapped) and the
// element's number; "" while it is still detecting.
TEST(DetectTest, FirstInputThatGoesDown) {
  const struct {
    std::vector<std::string> start, steps;
    std::string found;
  } cases[] = {
      {{}, {"-", "b3"}, "Button 3 #7"},
      {{}, {"y33268"}, "Right Y Axis #0"},  // the first step beyond the dead zone
      {{}, {"x32266"}, "Left X Axis #0"},
      {{}, {"h4500"}, "POV Right #2"},           // a diagonal counts clockwise
      {{}, {"x32267", "x33267", "y32300"}, ""},  // jitter in the dead zone
      // Held at the start: counts once let go.
      {{"b1", "h0", "x0"}, {"h35000", "x1000", "x32767", "x0"}, "Left X Axis #0"},
      {{}, {"b4 h18000 x65535"}, "Button 4 #8"},  // a button first in one state
  };
  const std::vector<std::string> entries = profileedit::ElementEntryTexts();
  for (const auto& c : cases) {
    VirtualWorld world;
    const auto apply = [](JoystickLiveState& state, const std::string& step) {
      for (std::size_t at = 0; at < step.size();) {
        const std::size_t end = std::min(step.find(' ', at), step.size());
        const char kind = step[at];
        const std::uint32_t value =
            end > at + 1 ? static_cast<std::uint32_t>(std::stoul(step.substr(at + 1))) : 0;
        if (kind == 'b') state.buttons = 1u << (value - 1);
        if (kind == 'h') state.pov = value;
        if (kind == 'x' || kind == 'y') state.axes[kind == 'x' ? 0 : 1] = value;
        at = end + 1;
      }
    };
    JoystickLiveState state = Rest();
    for (const auto& step : c.start) apply(state, step);
    CInputDetector detector(Pad(), state);
    for (const auto& step : c.steps) {
      world.Advance(100);
      apply(state, step);
      detector.Update(state);
    }
    SCOPED_TRACE(c.steps.back());
    EXPECT_EQ(detector.Status(),
              c.found.empty() ? DetectionStatus::Detecting : DetectionStatus::Found);
    const auto found = detector.Found();
    EXPECT_EQ(found ? entries.at(*profileedit::DetectedEntryIndex(*found, false)) + " #" +
                          std::to_string(found->element)
                    : "",
              c.found);
  }
}

// 10 s after the start without an input it gives up, not a millisecond earlier; Cancel ends it
// at once; after the end nothing changes any more.
TEST(DetectTest, TimeOutAndCancel) {
  VirtualWorld world(5000);
  CInputDetector detector(Pad(), Rest());
  world.Advance(CInputDetector::kTimeoutMs - 1);
  EXPECT_EQ(detector.Update(Rest()), DetectionStatus::Detecting);
  world.Advance(1);
  EXPECT_EQ(detector.Update(Rest()), DetectionStatus::TimedOut);
  JoystickLiveState pressed = Rest();
  pressed.buttons = 1;
  EXPECT_EQ(detector.Update(pressed), DetectionStatus::TimedOut);
  EXPECT_FALSE(detector.Found());

  CInputDetector cancelled(Pad(), Rest());
  cancelled.Cancel();
  EXPECT_EQ(cancelled.Update(pressed), DetectionStatus::Cancelled);
  EXPECT_FALSE(cancelled.Found());
}

// A swapped axis holds its side towards max in its first entry; the hat's last direction is the
// list's last entry; a button the list does not have has no entry.
TEST(DetectTest, EntriesOfSwappedAxesAndTheListsEnds) {
  using profileedit::DetectedEntryIndex;
  EXPECT_EQ(DetectedEntryIndex({Kind::AxisDirection, 5, true, 0}, true), 42u);
  EXPECT_EQ(DetectedEntryIndex({Kind::AxisDirection, 5, false, 0}, true), 43u);
  EXPECT_EQ(DetectedEntryIndex({Kind::HatDirection, 3, false, 4}, false), 47u);
  EXPECT_EQ(DetectedEntryIndex({Kind::Button, 32, false, 36}, false), 31u);
  EXPECT_FALSE(DetectedEntryIndex({Kind::Button, 33, false, 37}, false));
}

}  // namespace
