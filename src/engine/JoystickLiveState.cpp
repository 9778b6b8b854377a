#include "engine/JoystickLiveState.h"

#include "platform/PadLayout.h"

std::uint32_t SideReading(const LiveAxisLayout& axis, const JoystickLiveState& state,
                          bool towardsMax) {
  if (!axis.split) return state.axes[static_cast<std::size_t>(axis.index)];
  return seam::TriggerOnZ(axis.min, axis.max, state.triggers[towardsMax ? 0 : 1], towardsMax);
}
