// The messages of a profile load. What the profile reader returns fills a controller's
// elements under the controller's element lock, and a message box must never be open while
// that lock is held (the box waits for a user; the lock must not). So the reader and the
// filling collect their messages here and they are shown, in the order they arose, once the
// lock is released. A quiet load (automatic
// profile switching) drops them.
#pragma once

#include <string>
#include <vector>

class CProfileMessages {
 public:
  explicit CProfileMessages(bool interactive) : interactive_(interactive) {}
  CProfileMessages(const CProfileMessages&) = delete;
  CProfileMessages& operator=(const CProfileMessages&) = delete;

  bool IsInteractive() const { return interactive_; }
  // A reading problem: shown later with the caption "XML Error" and the error icon.
  void Error(std::string text);
  // "The action "<name>" was not found.", unless the whole library failed to load: that one
  // cause has been reported already and is not repeated for every reference.
  void MissingAction(const std::string& name);
  // Shows every collected message, in order, and forgets them.
  void ShowAll();
  const std::vector<std::string>& Pending() const { return pending_; }

 private:
  bool interactive_;
  std::vector<std::string> pending_;
};
