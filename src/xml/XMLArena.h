// The memory of one document read from a file: its nodes, attributes, lists and strings are
// taken from a few large blocks and go back all at once with the root, instead of tens of
// thousands of small allocations that each had to be freed on their own.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

class XMLArena {
 public:
  // `expected`: the size of the input, from which the first block is sized.
  explicit XMLArena(std::size_t expected)
      : nextBlockSize_(std::clamp(expected * 2, kMinBlockSize, kMaxBlockSize) / kAlign * kAlign) {}
  XMLArena(const XMLArena&) = delete;
  XMLArena& operator=(const XMLArena&) = delete;

  // Uninitialised memory for `size` bytes aligned to `align` (a power of two no larger than
  // alignof(std::max_align_t)). Throws std::bad_alloc when memory runs out.
  void* Allocate(std::size_t size, std::size_t align) {
    const std::uintptr_t at = (reinterpret_cast<std::uintptr_t>(next_) + align - 1) & ~(align - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(end_);
    // Blocks end on a multiple of every alignment, so `at` never passes the end; checked all
    // the same, as the unsigned difference would wrap.
    if (next_ == nullptr || at > end || size > end - at) return AllocateInNewBlock(size);
    next_ = reinterpret_cast<std::byte*>(at + size);
    return reinterpret_cast<void*>(at);
  }

  // A zero-terminated copy of `text` that lives as long as the arena.
  std::string_view Copy(std::string_view text) {
    char* copy = static_cast<char*>(Allocate(text.size() + 1, 1));
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return {copy, text.size()};
  }

 private:
  // Of the memory new[] returns, and of every block's size.
  static constexpr std::size_t kAlign = alignof(std::max_align_t);
  static constexpr std::size_t kMinBlockSize = std::size_t{4} << 10;
  // Blocks stay below the size at which the C library maps memory of its own for each one, so
  // that a document read after another reuses the memory the first one gave back.
  static constexpr std::size_t kMaxBlockSize = std::size_t{64} << 10;

  void* AllocateInNewBlock(std::size_t size);

  std::vector<std::unique_ptr<std::byte[]>> blocks_;
  std::byte* next_ = nullptr;  // the free part of the last block
  std::byte* end_ = nullptr;
  std::size_t nextBlockSize_;  // a multiple of kAlign
};
