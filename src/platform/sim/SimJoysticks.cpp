#include "platform/sim/SimJoysticks.h"

#include <algorithm>
#include <bit>
#include <cctype>

namespace seam {

namespace {
// The driver reports how many buttons are down beside the bits.
void SetButtonBits(JoystickState& state, std::uint32_t buttons) {
  state.buttons = buttons;
  state.buttonNumber = static_cast<std::uint32_t>(std::popcount(buttons));
}
}  // namespace

JoystickCaps MakeJoystickCaps(std::string_view axes, unsigned buttons, bool hat, std::uint32_t min,
                              std::uint32_t max, std::string_view name) {
  JoystickCaps caps;
  caps.xMin = caps.yMin = caps.zMin = caps.rMin = caps.uMin = caps.vMin = min;
  caps.xMax = caps.yMax = caps.zMax = caps.rMax = caps.uMax = caps.vMax = max;
  for (char letter : axes) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
      case 'Z':
        caps.caps |= kCapsHasZ;
        break;
      case 'R':
        caps.caps |= kCapsHasR;
        break;
      case 'U':
        caps.caps |= kCapsHasU;
        break;
      case 'V':
        caps.caps |= kCapsHasV;
        break;
      default:
        break;
    }
  }
  if (hat) caps.caps |= kCapsHasPov;
  caps.numButtons = std::min(buttons, 32u);
  SetProductName(caps, name);
  return caps;
}

JoystickState CenteredJoystickState(const JoystickCaps& caps) {
  auto middle = [](std::uint32_t lo, std::uint32_t hi) { return lo + (hi - lo) / 2; };
  JoystickState state;
  state.xPos = middle(caps.xMin, caps.xMax);
  state.yPos = middle(caps.yMin, caps.yMax);
  state.zPos = middle(caps.zMin, caps.zMax);
  state.rPos = middle(caps.rMin, caps.rMax);
  state.uPos = middle(caps.uMin, caps.uMax);
  state.vPos = middle(caps.vMin, caps.vMax);
  return state;
}

SimJoysticks::Slot* SimJoysticks::Find(int id) {
  if (id < 0 || id >= kMaxJoysticks) return nullptr;
  return &slots_[static_cast<std::size_t>(id)];
}

bool SimJoysticks::IsPresent(int id) {
  std::lock_guard guard(lock_);
  const Slot* slot = Find(id);
  return slot != nullptr && slot->present;
}

bool SimJoysticks::GetCaps(int id, JoystickCaps& caps) {
  std::lock_guard guard(lock_);
  const Slot* slot = Find(id);
  if (slot == nullptr || !slot->present || slot->capsFailing) return false;
  caps = slot->caps;
  return true;
}

bool SimJoysticks::GetState(int id, JoystickState& state) {
  std::lock_guard guard(lock_);
  Slot* slot = Find(id);
  if (slot == nullptr || !slot->present) return false;
  state = slot->state;
  ++slot->stateReads;
  return true;
}

void SimJoysticks::Plug(int id, const JoystickCaps& caps) {
  std::lock_guard guard(lock_);
  if (Slot* slot = Find(id)) {
    *slot = Slot{};
    slot->present = true;
    slot->caps = caps;
    slot->state = CenteredJoystickState(caps);
  }
}

void SimJoysticks::Unplug(int id) {
  std::lock_guard guard(lock_);
  if (Slot* slot = Find(id)) slot->present = false;
}

void SimJoysticks::SetCapsFailure(int id, bool failing) {
  std::lock_guard guard(lock_);
  if (Slot* slot = Find(id)) slot->capsFailing = failing;
}

void SimJoysticks::SetState(int id, const JoystickState& state) {
  std::lock_guard guard(lock_);
  if (Slot* slot = Find(id)) slot->state = state;
}

JoystickState SimJoysticks::State(int id) {
  std::lock_guard guard(lock_);
  const Slot* slot = Find(id);
  return slot != nullptr ? slot->state : JoystickState{};
}

void SimJoysticks::SetButtons(int id, std::uint32_t buttons) {
  std::lock_guard guard(lock_);
  if (Slot* slot = Find(id)) SetButtonBits(slot->state, buttons);
}

void SimJoysticks::PressButton(int id, int number) {
  if (number < 1 || number > 32) return;
  std::lock_guard guard(lock_);
  if (Slot* slot = Find(id)) SetButtonBits(slot->state, slot->state.buttons | 1u << (number - 1));
}

void SimJoysticks::ReleaseButton(int id, int number) {
  if (number < 1 || number > 32) return;
  std::lock_guard guard(lock_);
  if (Slot* slot = Find(id)) {
    SetButtonBits(slot->state, slot->state.buttons & ~(1u << (number - 1)));
  }
}

void SimJoysticks::SetPov(int id, std::uint32_t pov) {
  std::lock_guard guard(lock_);
  if (Slot* slot = Find(id)) slot->state.pov = pov;
}

void SimJoysticks::SetAxis(int id, char axis, std::uint32_t position) {
  std::lock_guard guard(lock_);
  Slot* slot = Find(id);
  if (slot == nullptr) return;
  JoystickState& s = slot->state;
  switch (std::toupper(static_cast<unsigned char>(axis))) {
    case 'X':
      s.xPos = position;
      break;
    case 'Y':
      s.yPos = position;
      break;
    case 'Z':
      s.zPos = position;
      break;
    case 'R':
      s.rPos = position;
      break;
    case 'U':
      s.uPos = position;
      break;
    case 'V':
      s.vPos = position;
      break;
    default:
      break;
  }
}

int SimJoysticks::StateReads(int id) {
  std::lock_guard guard(lock_);
  const Slot* slot = Find(id);
  return slot != nullptr ? slot->stateReads : 0;
}

}  // namespace seam
