// Message boxes of the core: owned by the configuration window while it is open (so that none
// falls behind it and leaves it looking frozen), without an owner otherwise.
#pragma once

#include <windows.h>

#include <atomic>

#include "platform/Platform.h"

namespace seam {

// A box shown from any thread blocks that thread until it is answered.
class Win32Messages : public IMessages {
 public:
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageButtons buttons,
                     MessageIcon icon) override;
  // One box for a load's findings that names the files they are about with their folders.
  void ShowFindings(const std::vector<Finding>& findings) override;

  // The window that owns the boxes from now on; null for none. Set by the main thread (the
  // configuration window, which gets this object in its services), read by any thread that
  // shows a box.
  void SetOwner(HWND owner) { owner_ = owner; }

 private:
  std::atomic<HWND> owner_ = nullptr;
};

}  // namespace seam
