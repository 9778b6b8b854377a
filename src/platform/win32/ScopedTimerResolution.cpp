#include "platform/win32/ScopedTimerResolution.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

namespace seam {

namespace {
constexpr UINT kResolutionMs = 1;
}

ScopedTimerResolution::ScopedTimerResolution()
    : raised_(timeBeginPeriod(kResolutionMs) == TIMERR_NOERROR) {}

ScopedTimerResolution::~ScopedTimerResolution() {
  if (raised_) timeEndPeriod(kResolutionMs);
}

}  // namespace seam
