#include "ui/HelpPopup.h"

#include <algorithm>

#include "ui/Controls.h"

namespace ui {

namespace {

constexpr int kMargin = 8;  // between the border and the text, at 96 dots per inch
constexpr int kMaximumWidth = 340;
constexpr int kGap = 2;  // between the control and the pop-up

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA existing;
  if (GetClassInfoA(instance, CHelpPopup::kWindowClass, &existing)) return;
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DROPSHADOW | CS_SAVEBITS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  windowClass.lpszClassName = CHelpPopup::kWindowClass;
  RegisterClassA(&windowClass);
}

// The place of a pop-up of this size: below the control, or above it when the work area ends
// first, and always inside the work area.
POINT PlaceBeside(const RECT& control, SIZE size, const RECT& work) {
  POINT place = {control.left, control.bottom + kGap};
  if (place.y + size.cy > work.bottom) place.y = control.top - kGap - size.cy;
  place.y = std::max(place.y, work.top);
  place.x = std::clamp(place.x, work.left, std::max(work.left, work.right - size.cx));
  return place;
}

}  // namespace

CHelpPopup::~CHelpPopup() { Close(); }

void CHelpPopup::Close() {
  if (window_ != nullptr) DestroyWindow(window_);  // WM_NCDESTROY forgets the handle
}

void CHelpPopup::Show(HWND control, const std::string& text) {
  Close();
  text_ = text;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(instance, WindowProc);
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  font_.reset(CreateFontIndirectA(&metrics.lfStatusFont));

  // Owned by the control's window, so that it stays above it and ends with it.
  HWND owner = control != nullptr ? GetAncestor(control, GA_ROOT) : nullptr;
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, text_.c_str(), WS_POPUP | WS_BORDER, 0,
                            0, 0, 0, owner, nullptr, instance, this);
  if (window_ == nullptr) return;

  const int margin = Scaled(kMargin, window_);
  const SIZE textSize = MeasureText(Scaled(kMaximumWidth, window_) - 2 * margin);
  RECT frame = {0, 0, textSize.cx + 2 * margin, textSize.cy + 2 * margin};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  const SIZE size = {frame.right - frame.left, frame.bottom - frame.top};

  RECT controlRect = {};
  if (control == nullptr || !GetWindowRect(control, &controlRect)) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    controlRect = {cursor.x, cursor.y, cursor.x, cursor.y};
  }
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoA(MonitorFromRect(&controlRect, MONITOR_DEFAULTTONEAREST), &monitor);
  const POINT place = PlaceBeside(controlRect, size, monitor.rcWork);
  SetWindowPos(window_, HWND_TOP, place.x, place.y, size.cx, size.cy, SWP_SHOWWINDOW);
  SetForegroundWindow(window_);
  SetFocus(window_);
}

SIZE CHelpPopup::MeasureText(int maximumWidth) const {
  const WindowDC dc(window_);
  const SelectedObject font(dc.get(), font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
  RECT bounds = {0, 0, maximumWidth, 0};
  DrawTextA(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &bounds,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void CHelpPopup::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  {
    const SelectedObject font(dc, font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
    PaintText(dc);
  }
  EndPaint(window_, &paint);
}

void CHelpPopup::PaintText(HDC dc) const {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  RECT client;
  GetClientRect(window_, &client);
  const int margin = Scaled(kMargin, window_);
  InflateRect(&client, -margin, -margin);
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &client, DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT CALLBACK CHelpPopup::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* popup = reinterpret_cast<CHelpPopup*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (popup == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (popup->window_ == window) popup->window_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (popup->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
  return popup->HandleMessage(message, wParam, lParam);
}

LRESULT CHelpPopup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      DestroyWindow(window_);
      return 0;
    case WM_ACTIVATE:
      // Closed after the activation change has finished, not in the middle of it.
      if (LOWORD(wParam) == WA_INACTIVE) PostMessageA(window_, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace ui
