// What a simulated adapter was asked to do, in order: threads append, a test reads. One lock,
// its own, held only inside these calls.
#pragma once

#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

namespace seam {

template <typename Entry>
class RecordLog {
 public:
  std::vector<Entry> Log() {
    std::lock_guard guard(lock_);
    return records_;
  }
  // Returns the log and empties it.
  std::vector<Entry> TakeLog() {
    std::lock_guard guard(lock_);
    return std::exchange(records_, {});
  }
  void ClearLog() { TakeLog(); }
  std::size_t Count() {
    std::lock_guard guard(lock_);
    return records_.size();
  }

 protected:
  void Append(Entry entry) {
    std::lock_guard guard(lock_);
    records_.push_back(std::move(entry));
  }

 private:
  std::mutex lock_;  // guards records_
  std::vector<Entry> records_;
};

}  // namespace seam
