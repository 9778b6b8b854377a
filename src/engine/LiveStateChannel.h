// Hands a value from one writer to readers on other threads without a lock: a sequence counter
// around the value's bytes held in atomic words. A write makes the counter odd, stores the
// words and makes it even again; a reader copies the words between two reads of the counter
// and tries again when a write came in between, so every copy is one whole value. Writing
// costs a few plain stores per word and never waits.
//
// One writer at a time: the owner serialises its writers and orders one writer after the
// previous one (CJoystick writes only under its element lock; the configuration hands a slot's
// record to the next controller object only after the previous one has gone). Readers may be
// any number, on any thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>
#include <thread>
#include <type_traits>

#include "engine/JoystickLiveState.h"

template <typename T>
class SequenceLocked {
  static_assert(std::is_trivially_copyable_v<T>, "the value is copied in and out as bytes");
  static_assert(std::is_default_constructible_v<T>);

 public:
  SequenceLocked() { Store(T{}); }
  SequenceLocked(const SequenceLocked&) = delete;
  SequenceLocked& operator=(const SequenceLocked&) = delete;

  // The orders that make a copy whole without fences: the odd counter is stored before the
  // words (each word's release store keeps it ahead), the words before the even counter
  // (release). A reader's acquire load of a word written by a later write therefore also sees
  // that write's odd counter at its second read, which the acquire loads of the words keep
  // after them.
  void Store(const T& value) {
    Words words{};
    std::memcpy(words.data(), &value, sizeof(T));
    const std::uint32_t sequence = sequence_.load(std::memory_order_relaxed);
    sequence_.store(sequence + 1, std::memory_order_relaxed);
    for (std::size_t i = 0; i < kWords; ++i) words_[i].store(words[i], std::memory_order_release);
    sequence_.store(sequence + 2, std::memory_order_release);
  }

  T Load() const {
    Words words{};
    for (;;) {
      const std::uint32_t before = sequence_.load(std::memory_order_acquire);
      if ((before & 1) == 0) {
        for (std::size_t i = 0; i < kWords; ++i) {
          words[i] = words_[i].load(std::memory_order_acquire);
        }
        if (sequence_.load(std::memory_order_relaxed) == before) break;
      }
      // A write is under way: it is a few stores long, unless its thread was preempted.
      std::this_thread::yield();
    }
    T value;
    std::memcpy(static_cast<void*>(&value), words.data(), sizeof(T));  // trivially copyable
    return value;
  }

 private:
  using Word = std::uint32_t;
  static constexpr std::size_t kWords = (sizeof(T) + sizeof(Word) - 1) / sizeof(Word);
  using Words = std::array<Word, kWords>;

  std::atomic<std::uint32_t> sequence_{0};  // odd while a write is under way
  std::array<std::atomic<Word>, kWords> words_{};
};

// A controller's latest live state; none before the first reading of the opened device.
using LiveStateRecord = SequenceLocked<std::optional<JoystickLiveState>>;
