#include "UserActions.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <vector>

namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

bool IsComboBox(HWND window) { return _stricmp(ClassOf(window).c_str(), "ComboBox") == 0; }

}  // namespace

ModalThread::ModalThread(std::function<INT_PTR()> run) {
  std::atomic<DWORD> id{0};
  thread_ = std::thread([this, run, &id] {
    id = GetCurrentThreadId();
    result_ = run();
  });
  while (id == 0) std::this_thread::yield();
  threadId_ = id;
}

ModalThread::~ModalThread() {
  // A test that stopped half-way leaves the run going: a quit message ends any loop.
  if (thread_.joinable()) {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
}

HWND ModalThread::WaitForWindow(const char* caption) {
  struct Search {
    const char* caption;
    HWND found;
  } search{caption, nullptr};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (search.found == nullptr && std::chrono::steady_clock::now() < deadline) {
    EnumThreadWindows(
        threadId_,
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          char text[256] = {};
          GetWindowTextA(window, text, sizeof(text));
          if (IsWindowVisible(window) && std::string(text) == s->caption) {
            s->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) std::this_thread::yield();
  }
  return search.found;
}

INT_PTR ModalThread::Join() {
  if (thread_.joinable()) thread_.join();
  return result_;
}

HWND Control(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}

void Click(HWND dialog, int id) {
  HWND button = Control(dialog, id);
  ASSERT_TRUE(IsWindowVisible(button) && IsWindowEnabled(button)) << "cannot click " << id;
  SendMessageA(button, BM_CLICK, 0, 0);
}

void Type(HWND dialog, int id, const std::string& text) {
  HWND target = Control(dialog, id);
  if (IsComboBox(target)) target = FindWindowExA(target, nullptr, "Edit", nullptr);
  ASSERT_TRUE(target != nullptr && IsWindowEnabled(target)) << "cannot type into " << id;
  for (char c : text) SendMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Erase(HWND dialog, int id) {
  HWND target = Control(dialog, id);
  if (IsComboBox(target)) target = FindWindowExA(target, nullptr, "Edit", nullptr);
  SendMessageA(target, EM_SETSEL, 0, -1);
  SendMessageA(target, WM_CHAR, VK_BACK, 1);
}

void Choose(HWND dialog, int id, int index) {
  HWND control = Control(dialog, id);
  ASSERT_TRUE(IsWindowEnabled(control)) << "cannot choose in " << id;
  const bool combo = IsComboBox(control);
  SendMessageA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(control));
}

void Choose(HWND dialog, int id, const std::string& text) {
  HWND control = Control(dialog, id);
  const bool combo = IsComboBox(control);
  const LRESULT index =
      SendMessageA(control, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT,
                   static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_GE(index, 0) << "no item \"" << text << "\" in " << id;
  Choose(dialog, id, static_cast<int>(index));
}

void DoubleClick(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(Control(dialog, id)));
}

void SelectTab(HWND dialog, int tabsId, int index) {
  HWND tabs = Control(dialog, tabsId);
  SendMessageA(tabs, TCM_SETCURSEL, index, 0);
  NMHDR header = {tabs, static_cast<UINT_PTR>(tabsId), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(dialog, WM_NOTIFY, tabsId, reinterpret_cast<LPARAM>(&header));
}

std::string TextOf(HWND dialog, int id) {
  char text[1024] = {};
  GetWindowTextA(Control(dialog, id), text, sizeof(text));
  return text;
}

bool IsShown(HWND dialog, int id) { return IsWindowVisible(Control(dialog, id)) != FALSE; }
bool IsEnabledControl(HWND dialog, int id) { return IsWindowEnabled(Control(dialog, id)) != FALSE; }
bool IsChecked(HWND dialog, int id) {
  return SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> ItemsOf(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  const bool combo = IsComboBox(control);
  const int count =
      static_cast<int>(SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  std::vector<std::string> items;
  for (int i = 0; i < count; ++i) {
    char text[512] = {};
    SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  return items;
}

std::string SelectedText(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  const bool combo = IsComboBox(control);
  const LRESULT index = SendMessageA(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  if (index < 0) return {};
  char text[512] = {};
  SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}
