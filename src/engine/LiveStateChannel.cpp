#include "engine/LiveStateChannel.h"

#include <thread>

// The orders that make a copy whole without fences: the odd counter is stored before the words
// (each word's release store keeps it ahead), the words before the even counter (release). A
// reader's acquire load of a word written by a later write therefore also sees that write's
// odd counter at its second read, which the acquire loads of the words keep after them.
void CLiveStateChannel::Store(const std::array<std::uint32_t, kWords>& words) {
  const std::uint32_t sequence = sequence_.load(std::memory_order_relaxed);
  sequence_.store(sequence + 1, std::memory_order_relaxed);
  for (int i = 0; i < kWords; ++i) words_[i].store(words[i], std::memory_order_release);
  sequence_.store(sequence + 2, std::memory_order_release);
}

void CLiveStateChannel::Publish(const JoystickLiveState& state) {
  std::array<std::uint32_t, kWords> words{};
  words[kButtons] = state.buttons;
  for (int i = 0; i < kLiveAxisCount; ++i) words[kAxes + i] = state.axes[i];
  words[kPov] = state.pov;
  words[kLeftTrigger] = state.triggers[0];
  words[kRightTrigger] = state.triggers[1];
  words[kShift] = static_cast<std::uint32_t>(state.shiftState);
  words[kGeneration] = state.profileGeneration;
  words[kFilled] = 1;
  Store(words);
}

void CLiveStateChannel::Clear() { Store({}); }

std::optional<JoystickLiveState> CLiveStateChannel::Read() const {
  std::array<std::uint32_t, kWords> words{};
  for (;;) {
    const std::uint32_t before = sequence_.load(std::memory_order_acquire);
    if ((before & 1) == 0) {
      for (int i = 0; i < kWords; ++i) words[i] = words_[i].load(std::memory_order_acquire);
      if (sequence_.load(std::memory_order_relaxed) == before) break;
    }
    // A write is under way: it is a few stores long, unless its thread was preempted.
    std::this_thread::yield();
  }
  if (words[kFilled] == 0) return std::nullopt;
  JoystickLiveState state;
  state.buttons = words[kButtons];
  for (int i = 0; i < kLiveAxisCount; ++i) state.axes[i] = words[kAxes + i];
  state.pov = words[kPov];
  state.triggers = {words[kLeftTrigger], words[kRightTrigger]};
  state.shiftState = static_cast<int>(words[kShift]);
  state.profileGeneration = words[kGeneration];
  return state;
}
