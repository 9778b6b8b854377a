// The shared cursor position of the absolute mouse actions: every absolute action with a
// non-zero speed factor contributes an offset, and the cursor is placed at the screen centre
// plus the sum of the offsets. Process-wide, like the cursor itself.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

class CMouseAction;

class CAbsoluteMousePlacement {
 public:
  static CAbsoluteMousePlacement& Instance();

  // Sets the offset of `action` (joining the contributors at the end if it is new) or, when it
  // no longer contributes, withdraws it; then places the cursor from all contributors.
  void UpdateAndPlace(const CMouseAction* action, double offsetX, double offsetY,
                      bool contributing);
  // Withdraws `action` without placing the cursor (an action that goes away).
  void Withdraw(const CMouseAction* action);

  bool IsContributor(const CMouseAction* action) const;
  std::size_t ContributorCount() const;
  // Forgets the last target, as at start-up (for tests; no contributor may be left).
  void Reset();

  // The rounding of the placement: truncate toward zero, then add 1 when the value is at
  // least half a unit above the truncated value (so -1.7 gives -1, and 2.5 gives 3).
  static std::int32_t Round(double value);

 private:
  struct Contributor {
    const CMouseAction* action;
    double offsetX;
    double offsetY;
  };
  CAbsoluteMousePlacement() = default;
  void PlaceLocked();  // requires lock_

  // lock_ guards the contributor list and the last target. It is held while the cursor is read,
  // placed and read again, so that placements by different threads never interleave. Lock
  // order: an action's run lock, then lock_; the platform's own locks come after.
  mutable std::mutex lock_;
  std::vector<Contributor> contributors_;  // in order of joining
  double lastX_ = -1.0;                    // -1.0 in either: unknown
  double lastY_ = -1.0;
};
