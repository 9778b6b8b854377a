// Thin value wrappers over the controls the pages use: an HWND and the few operations the
// handlers need, so that the control messages are sent in one place. They own nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

class Window {
 public:
  explicit Window(HWND handle) : handle_(handle) {}
  HWND handle() const { return handle_; }
  void Enable(bool enabled) const { EnableWindow(handle_, enabled ? TRUE : FALSE); }
  bool IsEnabled() const { return IsWindowEnabled(handle_) != FALSE; }
  void Show(bool visible) const { ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }
  bool IsVisible() const { return IsWindowVisible(handle_) != FALSE; }
  std::string Text() const;
  void SetText(const std::string& text) const { SetWindowTextA(handle_, text.c_str()); }
  // Unsigned number fields: empty or unreadable text reads as 0.
  unsigned Number() const;
  void SetNumber(unsigned value) const;

 protected:
  HWND handle_;
};

// The dots per inch of the monitor the window is on (the program is aware of each monitor's
// scaling): what pixel sizes of our own are scaled by.
int WindowDpi(HWND window);
inline int Scaled(int pixelsAt96, HWND window) { return MulDiv(pixelsAt96, WindowDpi(window), 96); }

class Edit : public Window {
 public:
  using Window::Window;
  void LimitText(int characters) const { SendMessageA(handle_, EM_LIMITTEXT, characters, 0); }
  // Puts the caret after `position` characters.
  void SetCaret(int position) const { SendMessageA(handle_, EM_SETSEL, position, position); }
  // Sets a path, scrolled so that its end (the file name) is what a narrow box shows.
  void SetPath(const std::string& path) const;
};

class Button : public Window {
 public:
  using Window::Window;
  bool IsChecked() const { return SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool checked) const {
    SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
};

// A combo box; with an edit field or as a drop-down list.
class ComboBox : public Window {
 public:
  using Window::Window;
  void Reset() const { SendMessageA(handle_, CB_RESETCONTENT, 0, 0); }
  // The index of the new item (sorted boxes place it in order).
  int Add(const std::string& text, LPARAM data = 0) const;
  int Count() const { return static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0)); }
  // -1 when nothing is selected.
  int Selection() const { return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)); }
  void Select(int index) const { SendMessageA(handle_, CB_SETCURSEL, index, 0); }
  std::string ItemText(int index) const;
  LPARAM ItemData(int index) const { return SendMessageA(handle_, CB_GETITEMDATA, index, 0); }
  void SetItemText(int index, const std::string& text) const;
  // The first item whose whole text equals `text`, ignoring case; -1 when none does.
  int FindExact(const std::string& text) const;
  void LimitText(int characters) const { SendMessageA(handle_, CB_LIMITTEXT, characters, 0); }

  // The Profile page's shift state list loses entries one by one.
  void Delete(int index) const { SendMessageA(handle_, CB_DELETESTRING, index, 0); }
  // Empty when nothing is selected.
  std::string SelectedText() const {
    const int selection = Selection();
    return selection < 0 ? std::string() : ItemText(selection);
  }
};

class ListBox : public Window {
 public:
  using Window::Window;
  void Reset() const { SendMessageA(handle_, LB_RESETCONTENT, 0, 0); }
  int Add(const std::string& text, LPARAM data = 0) const;
  int Insert(int index, const std::string& text, LPARAM data = 0) const;
  void Delete(int index) const { SendMessageA(handle_, LB_DELETESTRING, index, 0); }
  int Count() const { return static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0)); }
  int Selection() const { return static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0)); }
  void Select(int index) const { SendMessageA(handle_, LB_SETCURSEL, index, 0); }
  std::string ItemText(int index) const;
  LPARAM ItemData(int index) const { return SendMessageA(handle_, LB_GETITEMDATA, index, 0); }
};

}  // namespace ui

namespace ui {

// Empties a combo box or list box and prepares it for `items` new ones whose texts take
// `textBytes` in all: storage reserved up front, and no redraw until the refill ends, so that
// long sorted lists fill quickly.
// Empties the box and adds the texts, drawing it once at the end.
void Fill(const ComboBox& box, const std::vector<std::string>& texts);

class Refill {
 public:
  Refill(const ComboBox& box, int items, size_t textBytes) : handle_(box.handle()) {
    SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    box.Reset();
    SendMessageA(handle_, CB_INITSTORAGE, items, static_cast<LPARAM>(textBytes));
  }
  Refill(const ListBox& list, int items, size_t textBytes) : handle_(list.handle()) {
    SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    list.Reset();
    SendMessageA(handle_, LB_INITSTORAGE, items, static_cast<LPARAM>(textBytes));
  }
  ~Refill() {
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
  }
  Refill(const Refill&) = delete;
  Refill& operator=(const Refill&) = delete;

 private:
  HWND handle_;
};

}  // namespace ui
