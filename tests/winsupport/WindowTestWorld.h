// The surroundings of a window test: simulated controllers, input, files and clock in virtual
// time (the platform seam), a program folder of its own, the one configuration object, a
// scripted user, and what a user does to the real windows, sent as the messages and
// notifications the controls send, from the test's thread to the program's thread.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "config/ConfigurationObserver.h"
#include "config/TandrelConfiguration.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"
#include "support/VirtualWorld.h"
#include "ui/GdiHandles.h"
#include "ui/TandrelConfigDlg.h"
#include "ui/UserInterface.h"

using Items = std::vector<std::string>;

// The user's side of message boxes, file dialogs, popup menus and help. Each request is noted
// as "kind|text|caption|flags" with its owner. Message boxes take the scripted answers (then
// OK), file dialogs the scripted paths (then cancel), and a popup menu posts the scripted
// command to its owner.
class ScriptedUser : public ui::IUserInterface {
 public:
  ScriptedUser() { ui::InstallUserInterface(this); }
  ~ScriptedUser() override { ui::InstallUserInterface(nullptr); }
  std::deque<int> answers;
  std::deque<std::string> files;
  std::deque<UINT> menuChoices;
  std::vector<std::string> requests;
  std::vector<HWND> owners;

 private:
  void Note(HWND owner, const std::string& what, long long flags) {
    requests.push_back(what + "|" + std::to_string(flags));
    owners.push_back(owner);
  }
  template <typename T>
  static T Next(std::deque<T>& script, T none) {
    if (script.empty()) return none;
    T next = script.front();
    script.pop_front();
    return next;
  }
  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
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
  void TrackPopupMenu(HMENU menu, int, int, HWND owner) override {
    char text[64] = {};
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    Note(owner, std::string("menu|") + text, static_cast<int>(GetMenuDefaultItem(menu, FALSE, 0)));
    if (const UINT choice = Next(menuChoices, 0u)) PostMessageA(owner, WM_COMMAND, choice, 0);
  }
  void ShowHelpContents(HWND owner, const std::string& file) override {
    Note(owner, "help|" + file, 0);
  }
  void ShowContextHelp(HWND control, const std::string& file, DWORD context) override {
    Note(control, "context help|" + file, context);
  }
};

// A file's bytes as the program writes them, from lines indented by two blanks a level: tabs
// for the blanks and CR LF line ends.
std::string Xml(const std::string& text);

class WindowTestWorld : public IConfigurationObserver {
 public:
  WindowTestWorld();  // with the default configuration, actions file and profiles
  ~WindowTestWorld() { EndConfiguration(); }

  // Writes a file into the program folder, as Xml() makes it.
  void Write(const std::string& name, const std::string& text);
  // The file's bytes; empty when it does not exist.
  std::string Read(const std::string& name) const;
  // The messages shown through the platform, as "caption: text".
  std::vector<std::string> Messages();
  // Builds the configuration from the program folder and hands it to the windows; destroys
  // it, as the program does after its message loop.
  void StartConfiguration();
  void EndConfiguration();

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
  explicit ModalThread(std::function<INT_PTR()> run);
  ~ModalThread();  // a run still going gets a quit message
  // The visible top-level window of the thread with this caption; null after 10 s.
  HWND WaitForWindow(const char* caption);
  INT_PTR Join() {
    if (thread_.joinable()) thread_.join();
    return result_;
  }

 private:
  std::thread thread_;
  DWORD threadId_ = 0;
  INT_PTR result_ = 0;
};

// The configuration window, opened modally on the program's thread at one of its tabs
// (0 Joysticks, 1 Profile, 2 Actions).
struct OpenWindow {
  explicit OpenWindow(int tab = 0);
  ~OpenWindow();  // a test that stopped half-way leaves it open: it is cancelled

  CTandrelConfigDlg window{nullptr};
  ModalThread program{[this] { return window.DoModal(); }};
  HWND dialog = program.WaitForWindow("Tandrel Configuration");
  HWND page = nullptr;  // the tab's page
};

// Control `id` of `dialog`, failing the test when it is missing.
HWND Control(HWND dialog, int id);
// Clicks a button; a user can only click what is visible and enabled.
void Click(HWND dialog, int id);
// What the control sends its dialog as the user acts on it (a double click, a click on a
// picture).
inline void Notify(HWND dialog, int id, WORD code) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
               reinterpret_cast<LPARAM>(Control(dialog, id)));
}
// Types into an edit field or a combo box's edit field, one character at a time, after
// erasing its text (select all, delete) unless `append`.
void Type(HWND dialog, int id, const std::string& text, bool append = false);
// Chooses the item of a combo box or list box with this exact text (any case).
void Choose(HWND dialog, int id, const std::string& text);
// Selects a tab of a tab control as a click on it does.
void SelectTab(HWND dialog, int tabsId, int index);
// The item texts of a combo box or list box, and the selected one's (empty: none).
std::vector<std::string> ItemsOf(HWND dialog, int id);
std::string SelectedText(HWND dialog, int id);
std::string TextOf(HWND dialog, int id);
inline bool IsEnabledControl(HWND dialog, int id) { return IsWindowEnabled(Control(dialog, id)); }
inline bool IsChecked(HWND dialog, int id) {
  return SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
