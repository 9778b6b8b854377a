// Raises the system timer resolution to 1 ms for the life of the object, so that the real
// timer service's waits end on time.
#pragma once

namespace seam {

class ScopedTimerResolution {
 public:
  ScopedTimerResolution();
  ~ScopedTimerResolution();
  ScopedTimerResolution(const ScopedTimerResolution&) = delete;
  ScopedTimerResolution& operator=(const ScopedTimerResolution&) = delete;

  // The system accepted the request (and it is undone at the end).
  bool raised() const { return raised_; }

 private:
  bool raised_;
};

}  // namespace seam
