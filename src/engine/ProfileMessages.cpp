#include "engine/ProfileMessages.h"

#include <utility>

#include "actions/ActionLibrary.h"
#include "actions/TextRules.h"
#include "platform/Platform.h"

void CProfileMessages::Error(std::string text) {
  if (interactive_) pending_.push_back(std::move(text));
}

void CProfileMessages::MissingAction(const std::string& name) {
  if (!ActionLibraryFailedToLoad())
    Error(actions::FillIn("The action \"%s\" was not found.", {name}));
}

void CProfileMessages::ShowAll() {
  std::vector<std::string> messages;
  messages.swap(pending_);
  for (const std::string& text : messages) seam::ShowError(text, "XML Error");
}
