#include "platform/linux/XConnection.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>

namespace seam {

namespace {

int IgnoreProtocolError(Display*, XErrorEvent*) { return 0; }
// The message is ours to give (one line, by the program); the exit handler decides the rest.
int QuietIOError(Display*) { return 0; }

void MarkLost(Display*, void* flag) { static_cast<std::atomic<bool>*>(flag)->store(true); }

}  // namespace

void InstallXErrorHandlers() {
  XInitThreads();
  XSetErrorHandler(IgnoreProtocolError);
  XSetIOErrorHandler(QuietIOError);
}

void WatchForConnectionLoss(Display* display, std::atomic<bool>& lost) {
  XSetIOErrorExitHandler(display, MarkLost, &lost);
}

std::unique_ptr<XConnection> XConnection::Open(std::string& reason) {
  const char* name = std::getenv("DISPLAY");
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    reason = "cannot open the X display \"" + std::string(name != nullptr ? name : "") + "\"";
    return nullptr;
  }
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
    XCloseDisplay(display);
    reason = "the X server has no XTEST extension: it cannot take synthetic input";
    return nullptr;
  }
  return std::unique_ptr<XConnection>(new XConnection(display));
}

XConnection::XConnection(Display* display) : display_(display) {
  WatchForConnectionLoss(display_, lost_);
}

bool XConnection::DrainEvents() {
  while (!Lost() && XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == MappingNotify) {
      XRefreshKeyboardMapping(&event.xmapping);
      ++mapChanges_;
    }
  }
  return !Lost();
}

XConnection::~XConnection() {
  // A lost connection has nothing left to close; closing it would write to a dead socket.
  if (!lost_) XCloseDisplay(display_);
}

}  // namespace seam
