#include "platform/linux/ActiveWindowWatcher.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>

#include "platform/linux/XConnection.h"

namespace seam {

namespace {

// A property's bytes; empty when the window or the property is missing (a protocol error,
// which the process-wide handler ignores) or of another type. `actual`: the type it has.
std::optional<std::string> Property(Display* display, Window window, Atom property, Atom type,
                                    int format, Atom* actual = nullptr) {
  Atom actualType = None;
  int actualFormat = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  const long kMostLongs = 1024;  // 4 KiB: far beyond any title that is kept
  if (XGetWindowProperty(display, window, property, 0, kMostLongs, False, type, &actualType,
                         &actualFormat, &items, &after, &data) != Success) {
    return std::nullopt;
  }
  std::optional<std::string> value;
  if (data != nullptr && (type == AnyPropertyType || actualType == type) &&
      actualFormat == format) {
    const std::size_t bytes =
        items * static_cast<std::size_t>(format == 32 ? sizeof(long) : format / 8);
    value = std::string(reinterpret_cast<const char*>(data), bytes);
  }
  if (data != nullptr) XFree(data);
  if (actual != nullptr) *actual = actualType;
  return value;
}

// ICCCM's STRING is Latin-1, whose characters are the first 256 of Unicode.
std::string Utf8FromLatin1(const std::string& text) {
  std::string utf8;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

}  // namespace

std::unique_ptr<ActiveWindowWatcher> ActiveWindowWatcher::Open(std::string& reason,
                                                               TitleReport report) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    const char* name = std::getenv("DISPLAY");
    reason = "cannot open the X display \"" + std::string(name != nullptr ? name : "") + "\"";
    return nullptr;
  }
  return std::unique_ptr<ActiveWindowWatcher>(new ActiveWindowWatcher(display, std::move(report)));
}

ActiveWindowWatcher::ActiveWindowWatcher(Display* display, TitleReport report)
    : display_(display), report_(std::move(report)) {
  WatchForConnectionLoss(display_, lost_);
  root_ = DefaultRootWindow(display_);
  netActiveWindow_ = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
  netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
  utf8String_ = XInternAtom(display_, "UTF8_STRING", False);
  wmName_ = XA_WM_NAME;
  XSelectInput(display_, root_, PropertyChangeMask);
  XFlush(display_);
}

ActiveWindowWatcher::~ActiveWindowWatcher() {
  if (!lost_) XCloseDisplay(display_);
}

int ActiveWindowWatcher::FileDescriptor() const { return ConnectionNumber(display_); }

unsigned long ActiveWindowWatcher::ActiveWindow() {
  const auto value = Property(display_, root_, netActiveWindow_, XA_WINDOW, 32);
  unsigned long window = 0;
  if (!value || value->size() < sizeof window) return 0;
  std::memcpy(&window, value->data(), sizeof window);
  return window;
}

std::string ActiveWindowWatcher::TitleOf(unsigned long window) {
  if (window == 0) return {};
  auto title = Property(display_, window, netWmName_, utf8String_, 8);
  if (!title) {
    // WM_NAME is STRING (Latin-1), or COMPOUND_TEXT, whose bytes are taken as they are.
    Atom type = None;
    title = Property(display_, window, wmName_, AnyPropertyType, 8, &type);
    if (title && type == XA_STRING) title = Utf8FromLatin1(*title);
  }
  std::string text = title.value_or("");
  if (text.size() > kMaxTitle) {
    // Not inside a character: back to the first byte of the one that would be cut.
    std::size_t end = kMaxTitle;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
  }
  return text;
}

void ActiveWindowWatcher::Follow(unsigned long window) {
  if (window == active_) return;
  // Title changes of the window that was active no longer matter.
  if (active_ != 0) XSelectInput(display_, active_, NoEventMask);
  active_ = window;
  if (active_ != 0) XSelectInput(display_, active_, PropertyChangeMask);
}

void ActiveWindowWatcher::Report() {
  const std::string title = TitleOf(active_);
  if (lost_ || title == lastTitle_) return;
  lastTitle_ = title;
  if (report_) report_(title);
}

void ActiveWindowWatcher::ReportCurrent() {
  Follow(ActiveWindow());
  lastTitle_.reset();
  Report();
}

bool ActiveWindowWatcher::Dispatch() {
  // Reading a title waits for the server's answer, and the events that came before it are
  // queued meanwhile: they are handled here too, since the socket no longer shows them.
  for (bool changed = true; changed && !lost_;) {
    changed = false;
    while (!lost_ && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type != PropertyNotify) continue;
      const XPropertyEvent& property = event.xproperty;
      if (property.window == root_ && property.atom == netActiveWindow_) {
        Follow(ActiveWindow());
        changed = true;
      } else if (property.window == active_ &&
                 (property.atom == netWmName_ || property.atom == wmName_)) {
        changed = true;
      }
    }
    if (changed) Report();
  }
  return !lost_;
}

}  // namespace seam
