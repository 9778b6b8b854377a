// The connection to Hook.dll: the component loaded from the program folder, its shell hook
// installed system-wide and told where to report window activations. Without it the program
// runs on, without automatic profile switching.
#pragma once

#include <windows.h>

#include <string>

class CHookConnection {
 public:
  // Loads the component from `path` and installs its hook reporting to `window`. On any
  // failure nothing stays loaded and the one error message is shown.
  CHookConnection(const std::string& path, HWND window);
  // Removes the hook, tells the programs it reached to let go of the component, then unloads it.
  ~CHookConnection();
  CHookConnection(const CHookConnection&) = delete;
  CHookConnection& operator=(const CHookConnection&) = delete;

  bool Installed() const { return hook_ != nullptr; }

 private:
  bool Connect(HWND window);

  HMODULE module_ = nullptr;
  HHOOK hook_ = nullptr;
};
