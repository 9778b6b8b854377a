// The surroundings of a window test: simulated controllers, input, files and clock in virtual
// time (the platform seam), a program folder of its own, the one configuration object, a
// scripted user, and what a user does to the real windows, sent as the messages and
// notifications the controls send, from the test's thread to the program's thread.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose declarations it uses.
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "config/ConfigurationObserver.h"
#include "config/TandrelConfiguration.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"
#include "support/VirtualWorld.h"
#include "ui/ActionsConfigurationDlg.h"
#include "ui/ComplexActionConfigDlg.h"
#include "ui/GdiHandles.h"
#include "ui/JoysticksConfigurationDlg.h"
#include "ui/LiveViewDlg.h"
#include "ui/MouseActionConfigDlg.h"
#include "ui/MouseWheelActionConfigDlg.h"
#include "ui/ProfileConfigurationDlg.h"
#include "ui/TandrelConfigDlg.h"
#include "ui/UserInterface.h"
#include "ui/VKActionConfigDlg.h"
#include "ui/WindowServices.h"

using Items = std::vector<std::string>;

// The user's side of message boxes, file dialogs, popup menus and help. Each request is noted
// as "kind|text|caption|flags" with its owner. Message boxes take the scripted answers (then
// OK), file dialogs the scripted paths (then cancel), and a popup menu posts the scripted
// command to its owner.
class ScriptedUser : public ui::IUserInterface {
 public:
  std::deque<int> answers;
  std::deque<std::string> files;
  std::deque<UINT> menuChoices;
  bool helpOpens = true;  // whether a program opens the manual
  std::vector<std::string> requests;
  std::vector<HWND> owners;

 private:
  void Note(HWND owner, const std::string& what, long long flags) {
    requests.push_back(what + "|" + std::to_string(flags));
    owners.push_back(owner);
  }
  template <typename T>
  static T Next(std::deque<T>& script, T none) {
    const T next = script.empty() ? none : script.front();
    if (!script.empty()) script.pop_front();
    return next;
  }
  int ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                  UINT type) override {
    Note(owner, "message|" + text + "|" + caption, type);
    return Next(answers, IDOK);
  }
  std::optional<std::string> ChooseFile(const ui::FileDialogRequest& r) override {
    Note(r.owner,
         (r.save ? "save file|" : "open file|") + r.title + "|" + r.filterName + "|" +
             r.filterPattern + "|" + r.defaultExtension + "|" + r.initialFolder,
         r.flags);
    const std::string file = Next(files, std::string());
    return file.empty() ? std::nullopt : std::optional(file);
  }
  // Noted as "menu|Change,[Remove]|default": every item, a grayed one in brackets.
  void TrackPopupMenu(HMENU menu, int, int, HWND owner) override {
    std::string items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[64] = {};
      GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
      const bool grayed = (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) != 0;
      items += (i == 0 ? "" : ",") + (grayed ? "[" + std::string(text) + "]" : text);
    }
    Note(owner, "menu|" + items, static_cast<int>(GetMenuDefaultItem(menu, FALSE, 0)));
    if (const UINT choice = Next(menuChoices, 0u)) PostMessageA(owner, WM_COMMAND, choice, 0);
  }
  bool ShowHelpContents(HWND owner, const std::string& file) override {
    Note(owner, "help|" + file, 0);
    return helpOpens;
  }
  void ShowContextHelp(HWND control, const std::string& file, DWORD context) override {
    Note(control, "context help|" + file, context);
  }
};

// A file's bytes as the program writes them, from lines indented by two blanks a level: tabs
// for the blanks and CR LF line ends.
inline std::string Xml(const std::string& text) {
  std::istringstream in(text);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    const size_t blanks = line.find_first_not_of(' ');
    out += std::string(blanks / 2, '\t') + line.substr(blanks) + "\r\n";
  }
  return out;
}

class WindowTestWorld : public IConfigurationObserver {
 public:
  // With the default configuration, actions file and profiles.
  WindowTestWorld() : folder(world.UseTempProgramFolder("Tandrel.exe")) {
    menu_.reset(LoadMenuA(GetModuleHandleA(nullptr), IDR_POPUP_NAME));
    for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
      std::filesystem::copy_file(std::string(TANDREL_SOURCE_DIR) + "/data/" + name, folder + name);
    }
  }

  // Writes a file into the program folder, as Xml() makes it.
  void Write(const std::string& name, const std::string& text) { world.Write(name, Xml(text)); }
  // The file's bytes; empty when it does not exist.
  std::string Read(const std::string& name) const { return world.Read(name); }
  // The messages shown through the platform, as "caption: text".
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& m : world.messages().Log()) texts.push_back(m.caption + ": " + m.text);
    return texts;
  }
  // Builds the configuration from the program folder. It goes first when the world goes (the
  // last member), as the program destroys it after its message loop.
  void StartConfiguration() {
    ConfigurationSettings settings;
    settings.observer = this;
    configuration_ = std::make_unique<CTandrelConfiguration>(settings);
  }
  CTandrelConfiguration& Configuration() { return *configuration_; }
  // What the windows use: this module's templates and menu, the configuration (started), and
  // the scripted user.
  ui::WindowServices Services() {
    return {GetModuleHandleA(nullptr), *configuration_, user, menu_.get()};
  }

  VirtualWorld world;
  std::string folder;  // with its trailing separator
  ScriptedUser user;
  // The profiles the configuration started, as (controller ID, file name).
  std::vector<std::pair<int, std::string>> started;
  void ProfileStarted(int id, const std::string& path) override { started.emplace_back(id, path); }

 private:
  ui::MenuHandle menu_;
  std::unique_ptr<CTandrelConfiguration> configuration_;
};

// Runs a modal window (or anything that pumps messages until it ends) on a thread of its own,
// as the program's main thread would.
class ModalThread {
 public:
  explicit ModalThread(std::function<INT_PTR()> run) {
    std::atomic<DWORD> id{0};
    thread_ = std::thread([this, run, &id] {
      id = GetCurrentThreadId();
      result_ = run();
    });
    while (id == 0) std::this_thread::yield();
    threadId_ = id;
  }
  ~ModalThread() {  // a run still going gets a quit message
    if (thread_.joinable()) PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    Join();
  }
  // The visible top-level window of the thread with this caption; null after 10 s.
  HWND WaitForWindow(const char* caption) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (; std::chrono::steady_clock::now() < end; std::this_thread::yield()) {
      for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, caption)) != nullptr;) {
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == threadId_) return w;
      }
    }
    return nullptr;
  }
  INT_PTR Join() {
    if (thread_.joinable()) thread_.join();
    return result_;
  }

 private:
  std::thread thread_;
  DWORD threadId_ = 0;
  INT_PTR result_ = 0;
};

// Control `id` of `dialog`, failing the test when it is missing.
inline HWND Control(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}
// Clicks a button; a user can only click what is visible and enabled.
inline void Click(HWND dialog, int id) {
  HWND button = Control(dialog, id);
  ASSERT_TRUE(IsWindowVisible(button) && IsWindowEnabled(button)) << "cannot click " << id;
  SendMessageA(button, BM_CLICK, 0, 0);
}
// What the control sends its dialog as the user acts on it (a double click, a click on a
// picture).
inline void Notify(HWND dialog, int id, WORD code) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
               reinterpret_cast<LPARAM>(Control(dialog, id)));
}
// Types into an edit field or a combo box's edit field, one character at a time, after
// erasing its text (select all, delete) unless `append`.
inline void Type(HWND dialog, int id, const std::string& text, bool append = false) {
  HWND edit = Control(dialog, id);  // or a combo box's own edit field
  if (HWND inner = FindWindowExA(edit, nullptr, "Edit", nullptr)) edit = inner;
  ASSERT_TRUE(IsWindowEnabled(edit)) << "cannot type into " << id;
  if (!append) SendMessageA(edit, EM_SETSEL, 0, -1);
  for (char c : append ? text : "\b" + text) SendMessageA(edit, WM_CHAR, static_cast<BYTE>(c), 1);
}
// The message of a combo box (`combo`) or of a list box (`list`).
inline UINT ListMessage(HWND control, UINT combo, UINT list) {
  char name[16] = {};
  GetClassNameA(control, name, sizeof(name));
  return _stricmp(name, "ComboBox") == 0 ? combo : list;
}
// Chooses the item of a combo box or list box with this exact text (any case).
inline void Choose(HWND dialog, int id, const std::string& text) {
  HWND control = Control(dialog, id);
  const LRESULT index =
      SendMessageA(control, ListMessage(control, CB_FINDSTRINGEXACT, LB_FINDSTRINGEXACT),
                   static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_TRUE(index >= 0 && IsWindowEnabled(control))
      << "cannot choose \"" << text << "\" in " << id;
  SendMessageA(control, ListMessage(control, CB_SETCURSEL, LB_SETCURSEL), index, 0);
  Notify(dialog, id, ListMessage(control, CBN_SELCHANGE, LBN_SELCHANGE));
}
// Selects a tab of a tab control as a click on it does.
inline void SelectTab(HWND dialog, int tabsId, int index) {
  HWND tabs = Control(dialog, tabsId);
  SendMessageA(tabs, TCM_SETCURSEL, index, 0);
  NMHDR header = {tabs, static_cast<UINT_PTR>(tabsId), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(dialog, WM_NOTIFY, tabsId, reinterpret_cast<LPARAM>(&header));
}
// The item texts of a combo box or list box, and the selected one's (empty: none).
inline std::vector<std::string> ItemsOf(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  std::vector<std::string> items(
      SendMessageA(control, ListMessage(control, CB_GETCOUNT, LB_GETCOUNT), 0, 0));
  for (size_t i = 0; i < items.size(); ++i) {
    char text[512] = {};
    SendMessageA(control, ListMessage(control, CB_GETLBTEXT, LB_GETTEXT), i,
                 reinterpret_cast<LPARAM>(text));
    items[i] = text;
  }
  return items;
}
inline std::string SelectedText(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  const LRESULT index =
      SendMessageA(control, ListMessage(control, CB_GETCURSEL, LB_GETCURSEL), 0, 0);
  return index < 0 ? std::string() : ItemsOf(dialog, id).at(index);
}
inline std::string TextOf(HWND dialog, int id) {
  char text[1024] = {};
  GetWindowTextA(Control(dialog, id), text, sizeof(text));
  return text;
}
// Waits until the program's thread has made `done` true (at most 10 s); whether it did.
inline bool Eventually(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::yield();
  }
  return true;
}
// A key pressed and released on the keyboard, as the system's input queue receives it.
inline void PressKey(WORD key) {
  const DWORD extended = key == VK_LWIN || key == VK_RWIN ? KEYEVENTF_EXTENDEDKEY : 0;
  keybd_event(static_cast<BYTE>(key), 0, extended, 0);
  keybd_event(static_cast<BYTE>(key), 0, extended | KEYEVENTF_KEYUP, 0);
}
inline bool IsEnabledControl(HWND dialog, int id) { return IsWindowEnabled(Control(dialog, id)); }
inline bool IsChecked(HWND dialog, int id) {
  return SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The configuration window, opened modally on the program's thread at one of its tabs
// (0 Joysticks, 1 Profile, 2 Actions, 3 Live View); a test that stopped half-way leaves it open: it
// is cancelled.
struct OpenWindow {
  explicit OpenWindow(WindowTestWorld& test, int tab = 0) : window(test.Services(), nullptr) {
    EXPECT_NE(dialog, nullptr) << "the configuration window did not open";
    if (dialog == nullptr) return;
    if (tab != 0) SelectTab(dialog, IDC_TABS, tab);
    CConfigurationPage* pages[] = {window.JoysticksPage(), window.ProfilePage(),
                                   window.ActionsPage(), window.LivePage()};
    page = pages[tab]->GetHandle();
  }
  ~OpenWindow() {
    if (window.IsRunning()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }

  CTandrelConfigDlg window;
  ModalThread program{[this] { return window.DoModal(); }};
  HWND dialog = program.WaitForWindow("Tandrel Configuration");
  HWND page = nullptr;  // the tab's page
};
