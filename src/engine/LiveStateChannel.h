// Hands a controller's latest JoystickLiveState from the thread that polls to readers on other
// threads without a lock: a sequence counter around a record of atomic words. A write makes
// the counter odd, stores the words and makes it even again; a reader copies the words between
// two reads of the counter and tries again when a write came in between, so every copy is one
// whole record. Writing costs a dozen plain stores and never waits.
//
// One writer at a time: the owner serialises its writers (CJoystick writes only under its
// element lock). Readers may be any number, on any thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

#include "engine/JoystickLiveState.h"

class CLiveStateChannel {
 public:
  void Publish(const JoystickLiveState& state);
  // Nothing to read until the next Publish (the device was opened again).
  void Clear();
  // The last record published, whole; none before the first or since Clear.
  std::optional<JoystickLiveState> Read() const;

 private:
  enum Word {
    kButtons,
    kAxes,
    kPov = kAxes + kLiveAxisCount,
    kLeftTrigger,
    kRightTrigger,
    kShift,
    kGeneration,
    kFilled,
    kWords
  };
  void Store(const std::array<std::uint32_t, kWords>& words);

  std::atomic<std::uint32_t> sequence_{0};  // odd while a write is under way
  std::array<std::atomic<std::uint32_t>, kWords> words_{};
};
