// The title of the active window as window managers publish it (EWMH): the root window's
// _NET_ACTIVE_WINDOW names the window, whose _NET_WM_NAME (UTF-8), or else WM_NAME, is its
// title. It follows property-change events on the root window and on the active window, so
// nothing is polled: a new active window, or a new title of the active window, reports the
// title (UTF-8, a Latin-1 WM_NAME converted; cut to kMaxTitle bytes at a character boundary,
// as the Windows program reads at most 254 characters; empty when no window is active or it
// has gone).
//
// It owns a connection of its own, used on the main thread only: the program's main loop
// waits on FileDescriptor() and calls Dispatch() when it is readable.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

typedef struct _XDisplay Display;

namespace seam {

class ActiveWindowWatcher {
 public:
  static constexpr std::size_t kMaxTitle = 254;
  using TitleReport = std::function<void(const std::string& title)>;

  // Opens the display named by DISPLAY; null with `reason` set when it cannot.
  static std::unique_ptr<ActiveWindowWatcher> Open(std::string& reason, TitleReport report);
  ~ActiveWindowWatcher();
  ActiveWindowWatcher(const ActiveWindowWatcher&) = delete;
  ActiveWindowWatcher& operator=(const ActiveWindowWatcher&) = delete;

  int FileDescriptor() const;
  // Handles every event that has arrived; reports the title when it changed. False once the
  // connection to the X server is lost.
  bool Dispatch();
  // Reads the active window and its title now and reports it (at start-up).
  void ReportCurrent();
  bool Lost() const { return lost_.load(); }

 private:
  ActiveWindowWatcher(Display* display, TitleReport report);
  unsigned long ActiveWindow();
  std::string TitleOf(unsigned long window);
  void Follow(unsigned long window);
  void Report();

  Display* const display_;
  const TitleReport report_;
  std::atomic<bool> lost_{false};
  unsigned long root_ = 0;
  unsigned long active_ = 0;
  std::optional<std::string> lastTitle_;
  // Atoms
  unsigned long netActiveWindow_ = 0, netWmName_ = 0, wmName_ = 0, utf8String_ = 0;
};

}  // namespace seam
