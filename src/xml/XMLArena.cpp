#include "xml/XMLArena.h"

void* XMLArena::AllocateInNewBlock(std::size_t size) {
  // Memory from new[] is aligned for every type that the arena holds.
  if (size > nextBlockSize_ / 2) {
    // A large list has a block of its own; the current block stays current for what follows.
    blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
    return blocks_.back().get();
  }
  blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(nextBlockSize_));
  next_ = blocks_.back().get();
  end_ = next_ + nextBlockSize_;
  nextBlockSize_ = std::min(nextBlockSize_ * 2, kMaxBlockSize);
  void* at = next_;
  next_ += size;
  return at;
}
