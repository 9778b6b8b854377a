// Between the action library and its file: the file is read without the library lock, and what
// it held joins the library in one step.
#pragma once

#include <memory>
#include <vector>

#include "actions/Action.h"

namespace actions {

// Adds `staged` to the library in order under one hold of the library lock, after removing
// every old action when `replace` is set. Returns the actions that did not join (duplicates)
// together with the removed ones, for the caller to free after the lock is released.
std::vector<std::unique_ptr<CAction>> CommitToLibrary(std::vector<std::unique_ptr<CAction>> staged,
                                                      bool replace);
// The library's actions in order. Requires the library lock held for as long as it is used.
std::vector<const CAction*> SnapshotLibraryLocked();

}  // namespace actions
