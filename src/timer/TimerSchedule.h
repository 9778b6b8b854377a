// The periodic grid of the real timer service.
#pragma once

#include <chrono>

namespace timer_schedule {

using Clock = std::chrono::steady_clock;

// The due time that follows a tick due at `due` and delivered at `now`: the first point of the
// grid due + k * period (k >= 1) that is not before now. A late tick does not leave a backlog:
// the periods already past are skipped instead of firing in a burst.
inline Clock::time_point NextDue(Clock::time_point due, Clock::duration period,
                                 Clock::time_point now) {
  Clock::time_point next = due + period;
  if (next < now) next += period * ((now - next + period - Clock::duration(1)) / period);
  return next;
}

}  // namespace timer_schedule
