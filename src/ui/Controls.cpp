#include "ui/Controls.h"

#include "ui/GdiHandles.h"

#include <cstdlib>

namespace ui {

std::string Window::Text() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

unsigned Window::Number() const {
  const std::string text = Text();
  return static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 10));
}

void Fill(const ComboBox& box, const std::vector<std::string>& texts) {
  size_t textBytes = 0;
  for (const std::string& text : texts) textBytes += text.size() + 1;
  const Refill refill(box, static_cast<int>(texts.size()), textBytes);
  for (const std::string& text : texts) box.Add(text);
}

int WindowDpi(HWND window) {
  // GetDpiForWindow exists from Windows 10 1607 on; before it, the system's DPI.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  UINT dpi = getDpiForWindow != nullptr && window != nullptr ? getDpiForWindow(window) : 0;
  if (dpi == 0) {
    dpi = static_cast<UINT>(GetDeviceCaps(WindowDC(window).get(), LOGPIXELSX));
  }
  return dpi != 0 ? static_cast<int>(dpi) : 96;
}

void Window::SetNumber(unsigned value) const { SetText(std::to_string(value)); }

void Edit::SetPath(const std::string& path) const {
  SetText(path);
  // The caret after the last character (counted in UTF-16 units, as the box counts them),
  // brought into view.
  const WPARAM end = static_cast<WPARAM>(GetWindowTextLengthW(handle_));
  SendMessageA(handle_, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageA(handle_, EM_SCROLLCARET, 0, 0);
}

int ComboBox::Add(const std::string& text, LPARAM data) const {
  const int index = static_cast<int>(
      SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  if (index >= 0) SendMessageA(handle_, CB_SETITEMDATA, index, data);
  return index;
}

std::string ComboBox::ItemText(int index) const {
  const LRESULT length = SendMessageA(handle_, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(handle_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void ComboBox::SetItemText(int index, const std::string& text) const {
  const LPARAM data = ItemData(index);
  const int selection = Selection();
  SendMessageA(handle_, CB_DELETESTRING, index, 0);
  SendMessageA(handle_, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(handle_, CB_SETITEMDATA, index, data);
  if (selection == index) Select(index);
}

int ComboBox::FindExact(const std::string& text) const {
  const LRESULT found = SendMessageA(handle_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
  return found == CB_ERR ? -1 : static_cast<int>(found);
}

int ListBox::Add(const std::string& text, LPARAM data) const {
  const int index = static_cast<int>(
      SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  if (index >= 0) SendMessageA(handle_, LB_SETITEMDATA, index, data);
  return index;
}

int ListBox::Insert(int index, const std::string& text, LPARAM data) const {
  const int at = static_cast<int>(
      SendMessageA(handle_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())));
  if (at >= 0) SendMessageA(handle_, LB_SETITEMDATA, at, data);
  return at;
}

std::string ListBox::ItemText(int index) const {
  const LRESULT length = SendMessageA(handle_, LB_GETTEXTLEN, index, 0);
  if (length < 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(handle_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace ui
