#include "ProgramDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sstream>

#include "resource.h"

namespace driver {

namespace {

constexpr auto kStepTime = std::chrono::seconds(5);
constexpr UINT kQueryTimeoutMs = 5000;
constexpr UINT kTrayNotify = WM_USER;         // the icon's message to the hidden main window
constexpr int kMessageText = 0xFFFF;          // the static holding a message box's text
constexpr int kFileName = 0x47C;              // cmb13: the file dialogs' file name field
constexpr const char* kMenuClass = "#32768";  // a popup menu's window
constexpr const char* kMainClass = "TandrelMainFrame";

// The acts the program has answered, by number; the answers arrive while the driver pumps.
std::set<ULONG_PTR>& AnsweredActs() {
  static std::set<ULONG_PTR> answered;
  return answered;
}
void CALLBACK OnAnswered(HWND, UINT, ULONG_PTR number, LRESULT) { AnsweredActs().insert(number); }

// The keys other programs send, as the story's low-level keyboard hook sees them (it is called
// while the steps pump messages): virtual key, and whether it went down.
std::vector<std::pair<DWORD, bool>>& SentKeys() {
  static std::vector<std::pair<DWORD, bool>> keys;
  return keys;
}
LRESULT CALLBACK OnKey(int code, WPARAM message, LPARAM data) {
  const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
  if (code == HC_ACTION && (key.flags & LLKHF_INJECTED) != 0) {
    SentKeys().emplace_back(key.vkCode, (key.flags & LLKHF_UP) == 0);
  }
  return CallNextHookEx(nullptr, code, message, data);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}
bool IsClass(HWND window, const char* name) { return _stricmp(ClassOf(window).c_str(), name) == 0; }

// Calls `visit` for every window below `parent` at any depth (for every top-level window when
// it is null) until it returns false.
void Each(HWND parent, const std::function<bool(HWND)>& visit) {
  const WNDENUMPROC call = [](HWND window, LPARAM f) -> BOOL {
    return (*reinterpret_cast<const std::function<bool(HWND)>*>(f))(window);
  };
  const LPARAM f = reinterpret_cast<LPARAM>(&visit);
  parent != nullptr ? EnumChildWindows(parent, call, f) : EnumWindows(call, f);
}

// The edit field a user types into: the control itself, or the one inside a combo box.
HWND EditOf(HWND control) {
  if (control == nullptr || IsClass(control, "Edit")) return control;
  HWND edit = nullptr;
  Each(control, [&](HWND child) {
    if (IsClass(child, "Edit")) edit = child;
    return edit == nullptr;
  });
  return edit;
}

// Texts come as the program holds them (UTF-16) and are turned into the test's code page here:
// the system turns some of them, but not every list's items, between processes.
std::wstring Widen(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

// Why a user could not act on the control now; empty when they could.
std::string Unusable(HWND control) {
  if (control == nullptr) return "there is no such control";
  if (!IsWindowVisible(control)) return "the control is hidden";
  if (!IsWindowEnabled(control)) return "the control is disabled";
  HWND desktop = GetDesktopWindow();
  for (HWND w = GetAncestor(control, GA_PARENT); w != nullptr && w != desktop;
       w = GetAncestor(w, GA_PARENT)) {
    if (!IsWindowEnabled(w)) return "its window is disabled (is a modal window open?)";
  }
  return {};
}

}  // namespace

// ---- Program ---------------------------------------------------------------------------------

Program::Program(const ProgramFolder& folder, const std::string& arguments) : folder_(folder) {
  std::string command = "\"" + folder.Path("Tandrel.exe") + "\" " + arguments;
  char overrides[512] = {};
  GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof(overrides));
  if (folder.UsesFakeControllers() &&
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") &&
      (std::string(overrides).find("winmm=n") == std::string::npos ||
       std::string(overrides).find("xinput1_4=n") == std::string::npos)) {
    throw StepFailed("Wine loads the stand-ins only with WINEDLLOVERRIDES=winmm=n,b;xinput1_4=n,b");
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.Path("").c_str(), &startup, &process_)) {
    throw StepFailed("cannot start " + command);
  }
}

Program::~Program() {
  if (keyHook_ != nullptr) UnhookWindowsHookEx(keyHook_);
  if (!Ended()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, INFINITE);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

void Program::WatchKeys() {
  if (keyHook_ == nullptr) {
    keyHook_ = SetWindowsHookExW(WH_KEYBOARD_LL, OnKey, GetModuleHandleW(nullptr), 0);
  }
  SentKeys().clear();
}

void Program::WaitForKey(BYTE vk, bool down, Where where) {
  char name[64];
  std::snprintf(name, sizeof name, "wait for the key 0x%02X %s from the program", vk,
                down ? "down" : "up");
  Step(name, where, [vk, down]() -> std::string {
    for (const auto& [key, wentDown] : SentKeys()) {
      if (key == vk && wentDown == down) return {};
    }
    return "no such key went " + std::string(down ? "down" : "up");
  });
}

template <typename Attempt>
void Program::Step(const std::string& name, const Where& where, Attempt attempt) {
  ++steps_;
  stepName_ = name;
  const auto end = std::chrono::steady_clock::now() + kStepTime;
  for (;;) {
    Pump();
    const bool ended = Ended();  // before the attempt, which may see it end
    std::string why = Unsettled();
    if (why.empty() && (why = attempt()).empty()) return;
    if (ended || std::chrono::steady_clock::now() > end) Fail(name, where, why);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void Program::Fail(const std::string& name, const Where& where, const std::string& why) {
  std::ostringstream message;
  message << "step " << steps_ << " \"" << name << "\" ("
          << std::filesystem::path(where.file_name()).filename().string() << ":" << where.line()
          << "): " << why << "; " << Shown();
  throw StepFailed(message.str());
}

bool Program::Ended() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }

// Empty once the program has handled every act sent so far: it has answered it, or it shows a
// window it did not show before (a modal window, which answers only when it closes). A window
// that has merely gone does not count: the program may still be busy closing it.
std::string Program::Unsettled() {
  if (Ended()) {
    pending_.clear();
    return {};
  }
  std::erase_if(pending_,
                [](const PendingAct& act) { return AnsweredActs().contains(act.number); });
  const std::vector<HWND> shown = TopLevel(true);
  const std::set<HWND> windows(shown.begin(), shown.end());
  for (const PendingAct& act : pending_) {
    if (std::includes(act.windowsBefore.begin(), act.windowsBefore.end(), windows.begin(),
                      windows.end())) {
      return "the program has not finished step " + std::to_string(act.step) + " \"" +
             act.stepName + "\" (no answer, no new window)";
    }
  }
  return {};
}

std::vector<HWND> Program::TopLevel(bool visibleOnly) const {
  std::vector<HWND> found;
  Each(nullptr, [&](HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process_.dwProcessId && (!visibleOnly || IsWindowVisible(window))) {
      found.push_back(window);
    }
    return true;
  });
  return found;
}

HWND Program::FindTopLevel(const std::string& caption, const std::string& windowClass,
                           bool visible) const {
  for (HWND w : TopLevel(visible)) {
    char text[256] = {};
    GetWindowTextA(w, text, sizeof(text));
    if ((windowClass.empty() || IsClass(w, windowClass.c_str())) &&
        (caption.empty() || caption == text)) {
      return w;
    }
  }
  return nullptr;
}

// What the program shows, for a failure's message.
std::string Program::Shown() {
  DWORD code = 0;
  if (Ended() && GetExitCodeProcess(process_.hProcess, &code)) {
    return "Tandrel.exe has ended with code " + std::to_string(static_cast<int>(code));
  }
  std::string shown;
  for (HWND w : TopLevel(true)) {
    char caption[256] = {};
    GetWindowTextA(w, caption, sizeof(caption));
    shown += (shown.empty() ? "" : ", ") + ("\"" + std::string(caption) + "\" (" + ClassOf(w));
    if (HWND text = GetDlgItem(w, kMessageText)) shown += ": \"" + TextOf(text) + "\"";
    shown += ")";
  }
  return shown.empty() ? "Tandrel.exe shows no window" : "Tandrel.exe shows " + shown;
}

std::string Program::Act(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool wide) {
  static ULONG_PTR acts = 0;
  const std::vector<HWND> shown = TopLevel(true);
  PendingAct act{++acts, {shown.begin(), shown.end()}, steps_, stepName_};
  const BOOL sent =
      wide ? SendMessageCallbackW(window, message, wParam, lParam, OnAnswered, act.number)
           : SendMessageCallbackA(window, message, wParam, lParam, OnAnswered, act.number);
  if (!sent) return "the window is gone";
  pending_.push_back(std::move(act));
  return {};
}

bool Program::Query(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  DWORD_PTR answer = 0;
  const bool answered =
      SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kQueryTimeoutMs, &answer);
  result = static_cast<LRESULT>(answer);
  return answered;
}

std::string Program::TextOf(HWND window, UINT lengthMessage, UINT textMessage, WPARAM item) {
  LRESULT length = 0;
  if (!Query(window, lengthMessage, item, 0, length) || length < 0) return {};
  std::wstring text(length + 1, L'\0');
  const WPARAM wParam = textMessage == WM_GETTEXT ? text.size() : item;
  Query(window, textMessage, wParam, reinterpret_cast<LPARAM>(text.data()), length);
  text.resize(wcslen(text.c_str()));
  return Narrow(text);
}

// The texts of a list or combo box's items.
std::string Program::ItemsOf(HWND control, std::vector<std::string>& items) {
  if (control == nullptr) return "there is no such control";
  const bool combo = IsClass(control, "ComboBox");
  LRESULT count = 0;
  if (!Query(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, count) || count < 0) {
    return "the program does not answer";
  }
  items.clear();
  for (LRESULT i = 0; i < count; ++i) {
    items.push_back(TextOf(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN,
                           combo ? CB_GETLBTEXT : LB_GETTEXT, i));
  }
  return {};
}

Window Program::WaitForWindow(const std::string& caption, const std::string& windowClass,
                              Where where) {
  HWND found = nullptr;
  Step("wait for the window \"" + caption + "\"", where, [&]() -> std::string {
    found = FindTopLevel(caption, windowClass, true);
    return found != nullptr ? "" : "there is no such window";
  });
  return Window(*this, found, caption);
}

bool Program::HasWindow(const std::string& caption, Where where) {
  Step("look for the window \"" + caption + "\"", where, [] { return ""; });
  return FindTopLevel(caption, "", true) != nullptr;
}

std::string Program::Answer(const std::string& caption, int button, Where where) {
  Window box = WaitForWindow(caption, "#32770", where);
  const std::string text = box.Text(kMessageText, where);
  box.Click(button, where);
  return text;
}

void Program::ChooseFile(const std::string& title, const std::string& path, Where where) {
  Window dialog = WaitForWindow(title, "#32770", where);
  dialog.Type(kFileName, path, where);
  HWND fileName = dialog.Control(kFileName);
  dialog.Click(IDOK, where);
  // The program goes on with the chosen file only once its dialog has gone (or asks about it
  // first, which disables the dialog): what the story reads next must not race it.
  Step("see \"" + title + "\" close or ask", where, [&]() -> std::string {
    const bool open = IsWindow(fileName) && IsWindowEnabled(GetAncestor(fileName, GA_ROOT));
    return open ? "it is still open" : "";
  });
}

void Program::ExitThroughIconMenu(Where where) {
  SendToMainWindow(kTrayNotify, ID_TRAY_ICON, WM_RBUTTONDOWN, where);
  Step("choose \"Exit\" in the icon's menu", where, [&]() -> std::string {
    HWND menu = FindTopLevel("", kMenuClass, true);
    if (menu == nullptr) return "no menu is shown";
    // The menu's own loop reads the keys from the program's queue, as a user's keys: End goes
    // to the last item, "Exit".
    PostMessageA(menu, WM_KEYDOWN, VK_END, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return {};
  });
}

void Program::SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam, Where where) {
  Step("send message " + std::to_string(message) + " to the main window", where, [&] {
    HWND main = FindTopLevel("", kMainClass, false);
    return main != nullptr ? Act(main, message, wParam, lParam) : "there is no main window";
  });
}

DWORD Program::WaitForExit(Where where) {
  Step("wait for Tandrel.exe to end", where,
       [&] { return Ended() ? std::string() : std::string("it still runs"); });
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

// ---- Window ----------------------------------------------------------------------------------

Window::Window(Program& program, HWND handle, std::string caption)
    : program_(&program), handle_(handle), caption_(std::move(caption)) {}

HWND Window::Control(int id) const {
  HWND visible = nullptr, hidden = nullptr;
  Each(handle_, [&](HWND window) {
    HWND parent = GetParent(window);
    if (GetDlgCtrlID(window) == id && IsWindowVisible(parent) && IsClass(parent, "#32770")) {
      HWND& slot = IsWindowVisible(window) ? visible : hidden;
      if (slot == nullptr) slot = window;
    }
    return true;
  });
  return visible != nullptr ? visible : hidden;
}

// The control as a failure names it: a button by its text, others by identifier.
std::string Window::Name(int id) const {
  HWND control = Control(id);
  if (control != nullptr && IsClass(control, "Button")) {
    std::string text = program_->TextOf(control);
    std::erase(text, '&');
    if (!text.empty()) return "\"" + text + "\"";
  }
  return "control " + std::to_string(id);
}

void Window::Click(int id, Where where) {
  program_->Step("click " + Name(id) + InMe(), where, [&] {
    HWND control = Control(id);
    const std::string why = Unusable(control);
    return why.empty() ? program_->Act(control, BM_CLICK, 0, 0) : why;
  });
}

void Window::Type(int id, const std::string& text, Where where) {
  program_->Step("type \"" + text + "\" into " + Name(id) + InMe(), where, [&] {
    HWND control = EditOf(Control(id));
    std::string why = Unusable(control);
    if (why.empty()) why = program_->Act(control, EM_SETSEL, 0, -1);
    // Characters as UTF-16 units, as the keyboard gives them: any letter can be typed.
    for (wchar_t c : Widen("\b" + text)) {
      if (why.empty()) why = program_->Act(control, WM_CHAR, c, 1, true);
    }
    return why;
  });
}

// A notification of the tab control never reaches the program from another process, so the tab
// is chosen with the arrow keys, one step at a time: the tab control notifies its window itself.
void Window::ChooseTab(Tab tab, Where where) {
  HWND tabs = FindWindowExA(handle_, nullptr, WC_TABCONTROLA, nullptr);
  program_->Step("choose tab " + std::to_string(tab) + InMe(), where, [&]() -> std::string {
    if (const std::string why = Unusable(tabs); !why.empty()) return why;
    LRESULT chosen = -1;
    program_->Query(tabs, TCM_GETCURSEL, 0, 0, chosen);
    if (chosen == tab) return {};
    const std::string why = program_->Act(tabs, WM_KEYDOWN, chosen < tab ? VK_RIGHT : VK_LEFT, 0);
    return why.empty() ? "tab " + std::to_string(chosen) + " is chosen" : why;
  });
}

HWND Window::ToRead(const std::string& what, int id, const Where& where) {
  HWND control = nullptr;
  program_->Step("read " + what + " of " + Name(id) + InMe(), where, [&] {
    control = Control(id);
    return control != nullptr ? "" : "there is no such control";
  });
  return control;
}

std::string Window::Text(int id, Where where) {
  return program_->TextOf(ToRead("the text", id, where));
}

void Window::WaitForText(int id, const std::string& part, Where where) {
  program_->Step("wait for \"" + part + "\" in " + Name(id) + InMe(), where, [&]() -> std::string {
    const HWND control = Control(id);
    if (control == nullptr) return "there is no such control";
    const std::string text = program_->TextOf(control);
    return text.find(part) != std::string::npos ? "" : "its text is \"" + text + "\"";
  });
}

std::vector<std::string> Window::Items(int id, Where where) {
  std::vector<std::string> items;
  program_->Step("read the items of " + Name(id) + InMe(), where,
                 [&] { return program_->ItemsOf(Control(id), items); });
  return items;
}

bool Window::IsChecked(int id, Where where) {
  LRESULT state = BST_UNCHECKED;
  program_->Query(ToRead("the check", id, where), BM_GETCHECK, 0, 0, state);
  return state == BST_CHECKED;
}

bool Window::IsOpen(Where where) {
  program_->Step("see whether \"" + caption_ + "\" is open", where, [] { return ""; });
  return IsWindowVisible(handle_);
}

}  // namespace driver
