// The inputs' copies of library actions. The library's lock is held only while one template
// is found and cloned, never while the engine changes its elements or shows a message.
#pragma once

#include <memory>

#include "actions/Action.h"

// A clone of the library action with that theme and name (both without regard to case), or
// null when the library has none.
std::unique_ptr<CAction> CloneLibraryAction(const char* theme, const char* name);
