// The real adapters of every system facility, and the set of services that points at them.
#pragma once

#include "platform/Platform.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Joysticks.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32Messages.h"
#include "platform/win32/Win32Program.h"
#include "platform/win32/Win32StartupEntry.h"

namespace seam {

class Win32Platform {
 public:
  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Services services();
  // The core's message boxes, whose owner the configuration window sets while it is open.
  Win32Messages& messages() { return messages_; }

 private:
  // One object of each serves every thread; each guards whatever state it keeps.
  Win32Joysticks joysticks_;
  Win32Input input_;
  Win32KeyboardLayout keyboardLayout_;
  Win32Desktop desktop_;
  Win32Clock clock_;
  Win32Messages messages_;
  Win32StartupEntry startupEntry_;
  Win32Program program_;
  Win32Files files_;
};

}  // namespace seam
