// The configuration's messages in the window's program: message boxes instead of lines on
// stderr. On the main thread a box is shown at once, owned by the configuration window while it
// is open, and a question waits for its answer, as on Windows. A message from the timer thread
// (a controller plugged in whose profile has a mistake) is shown by the main thread as soon as
// it is free, and a question from there takes the answer of a box closed without a choice (No),
// since the timer thread must never wait for the user.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"

class QWidget;

namespace qtui {

class UserInterface;

class WindowMessages : public seam::IMessages {
 public:
  // `owner`: the window that owns the boxes now (the open configuration window), or null.
  WindowMessages(UserInterface& user, std::function<QWidget*()> owner);

  seam::MessageAnswer Show(const std::string& text, const std::string& caption,
                           seam::MessageButtons buttons, seam::MessageIcon icon) override;
  // One box for a load's findings that names the files they are about with their folders, as
  // the Windows program's boxes do.
  void ShowFindings(const std::vector<seam::Finding>& findings) override;

 private:
  UserInterface& user_;
  const std::function<QWidget*()> owner_;
  const std::thread::id mainThread_;
};

}  // namespace qtui
