#include "engine/LibraryActions.h"

#include "actions/ActionLibrary.h"

std::unique_ptr<CAction> CloneLibraryAction(const char* theme, const char* name) {
  return CloneAction(theme, name);
}
