// One connection to the X server with the lock that serialises its use: the output adapters
// (XTest input, desktop, keyboard layout) share it from the main thread and the timer thread.
// When the server goes away the connection is marked lost instead of ending the process (as
// Xlib does by default); every user then leaves it alone.
//
// It selects no events, but the server sends every client MappingNotify when the keyboard map
// changes (a layout switch): DrainEvents reads them, so Xlib's copy of the map follows the
// server's and nothing piles up in the queue. The main loop drains whenever it wakes, and the
// input adapter before it looks a key up.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

typedef struct _XDisplay Display;

namespace seam {

// Replaces Xlib's process-wide handlers, which end the process: protocol errors (a window
// destroyed while its title is read, say) are ignored; a lost connection is reported to the
// display's own handler (XConnection, ActiveWindowWatcher). Call once, before any connection.
void InstallXErrorHandlers();

// Marks `lost` when the connection of `display` breaks, instead of ending the process.
void WatchForConnectionLoss(Display* display, std::atomic<bool>& lost);

class XConnection {
 public:
  // Opens the display named by DISPLAY; null with `reason` set when it cannot.
  static std::unique_ptr<XConnection> Open(std::string& reason);
  ~XConnection();
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;

  // The lock every user holds while it uses display().
  std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }
  Display* display() const { return display_; }
  bool Lost() const { return lost_.load(); }

  // The following need the lock.
  // Reads every event that has arrived; a keyboard-map change refreshes Xlib's copy of the map.
  // False once the connection is lost.
  bool DrainEvents();
  // Counts the keyboard-map changes seen, so a user knows when to look again at what it bound.
  unsigned long MapChanges() const { return mapChanges_; }

 private:
  explicit XConnection(Display* display);

  std::mutex mutex_;
  Display* const display_;
  std::atomic<bool> lost_{false};
  unsigned long mapChanges_ = 0;  // guarded by mutex_
};

}  // namespace seam
