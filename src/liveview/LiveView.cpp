#include "liveview/LiveView.h"

#include <algorithm>

#include "platform/PadLayout.h"

namespace liveview {

namespace {

constexpr int kMaxButtons = 32;
constexpr const char* kHatNames[] = {"Forward",  "Forward Right", "Right", "Backward Right",
                                     "Backward", "Backward Left", "Left",  "Forward Left"};

// A raw position on the -1..1 scale of the axis' range.
double Scale(const LiveAxisLayout& axis, double raw) {
  if (axis.max <= axis.min) return 0;
  return (raw - axis.min) / (static_cast<double>(axis.max) - axis.min) * 2 - 1;
}

// The raw position `percent` of the way from the dead zone's edge to the end of the range.
double PercentTowards(double edge, double end, int percent) {
  return edge + (end - edge) * percent / 100.0;
}

// The dead zone's edges as the engine measures deflection from them.
double HighEdge(const LiveAxisLayout& axis) {
  return (static_cast<double>(axis.min) + axis.max + axis.threshold) / 2;
}
double LowEdge(const LiveAxisLayout& axis) {
  return (static_cast<double>(axis.min) + axis.max - axis.threshold) / 2;
}

// As the engine counts it: the share of the way from the dead zone's edge to the end of the
// range, readings beyond the range counting as its end.
int Deflection(const LiveAxisLayout& axis, std::uint32_t position) {
  double percent = 0;
  if (position > axis.high) {
    const double high = HighEdge(axis);
    percent = axis.max > high ? (position - high) / (axis.max - high) * 100 : 100;
  } else if (position < axis.low) {
    const double low = LowEdge(axis);
    percent = low > axis.min ? -(low - position) / (low - axis.min) * 100 : -100;
  }
  return static_cast<int>(std::clamp(percent, -100.0, 100.0));
}

const std::vector<int>& PercentsOf(const std::vector<std::vector<int>>& byShiftState, int state) {
  static const std::vector<int> none;
  if (state < 0 || static_cast<std::size_t>(state) >= byShiftState.size()) return none;
  return byShiftState[static_cast<std::size_t>(state)];
}

// The axis, or of a split one the side towards max (`side` true) or towards min (false).
AxisView MakeAxis(const LiveAxisLayout& axis, const JoystickLiveState& state,
                  seam::ControllerLayout names, std::optional<bool> side) {
  AxisView view;
  // Both sides of a stick have one name.
  view.name =
      seam::WithInputName(axis.name, seam::InputAxisName(names, axis.index, side.value_or(true)));
  const std::uint32_t raw = SideReading(axis, state, side.value_or(true));
  view.position = Scale(axis, raw);
  view.deadLow = Scale(axis, axis.low);
  view.deadHigh = Scale(axis, axis.high);
  if (side != true) {
    for (int percent : PercentsOf(axis.towardsMinPercents, state.shiftState)) {
      view.towardsMinMarks.push_back(Scale(axis, PercentTowards(LowEdge(axis), axis.min, percent)));
    }
  }
  if (side != false) {
    for (int percent : PercentsOf(axis.towardsMaxPercents, state.shiftState)) {
      view.towardsMaxMarks.push_back(
          Scale(axis, PercentTowards(HighEdge(axis), axis.max, percent)));
    }
  }
  view.deflection = Deflection(axis, raw);
  return view;
}

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

View MakeView(const JoystickLiveLayout& layout, const JoystickLiveState& state) {
  View view;
  const int buttons = layout.buttonCount < kMaxButtons ? layout.buttonCount : kMaxButtons;
  const seam::ControllerLayout names = layout.controllerLayout;
  for (int k = 0; k < buttons; ++k) {
    view.buttons.push_back((state.buttons >> k & 1u) != 0);
    view.buttonNames.emplace_back(seam::InputButtonName(names, k + 1));
  }
  view.hatName = seam::WithInputName("Hat", seam::InputHatName(names));
  view.hasHat = layout.hasPov;
  if (const auto angle = seam::HatAngle(state.pov); layout.hasPov && angle) {
    const std::uint32_t hundredths = *angle;
    view.hatDegrees = hundredths / 100.0;
    view.hat = kHatNames[(hundredths + 2250) / 4500 % 8];
  }
  for (const LiveAxisLayout& axis : layout.axes) {
    if (!axis.split) {
      view.axes.push_back(MakeAxis(axis, state, names, std::nullopt));
      continue;
    }
    for (bool towardsMax : {true, false}) {
      view.axes.push_back(MakeAxis(axis, state, names, towardsMax));
    }
  }
  view.profile = FileName(layout.profilePath);
  view.shiftState = state.shiftState;
  return view;
}

std::string View::Describe() const {
  std::string pressed;
  for (std::size_t k = 0; k < buttons.size(); ++k) {
    if (!buttons[k]) continue;
    pressed += (pressed.empty() ? "" : ", ") +
               seam::WithInputName(std::to_string(k + 1),
                                   k < buttonNames.size() ? buttonNames[k] : std::string());
  }
  std::string text = "Buttons down: " + (pressed.empty() ? std::string("none") : pressed) + ".";
  if (hasHat) text += " " + hatName + ": " + (hat.empty() ? std::string("centred") : hat) + ".";
  for (std::size_t i = 0; i < axes.size(); ++i) {
    const int d = axes[i].deflection;
    text +=
        (i == 0 ? " " : ", ") + axes[i].name + " " + (d > 0 ? "+" : "") + std::to_string(d) + " %";
    if (i + 1 == axes.size()) text += ".";
  }
  text += " Profile: " + (profile.empty() ? std::string("none") : profile) + ", shift state " +
          std::to_string(shiftState) + ".";
  return text;
}

}  // namespace liveview
