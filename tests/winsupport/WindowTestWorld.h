// The surroundings of a window test: simulated controllers, input, files and clock in virtual
// time (the platform seam), a program folder of its own, the one configuration object, a
// scripted user, and what a user does to the real windows, sent as the messages and
// notifications the controls send, from the test's thread to the program's thread.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "config/ConfigurationObserver.h"
#include "config/TandrelConfiguration.h"
#include "support/VirtualWorld.h"
#include "ui/GdiHandles.h"
#include "ui/TandrelConfigDlg.h"
#include "ui/UserInterface.h"

// The user's side of message boxes, file dialogs, popup menus and help. Each request is noted
// as "kind|text|caption|flags" with its owner; message boxes take the scripted answers, then
// the box's "no" answer; file dialogs the scripted paths, then cancel; a popup menu posts the
// scripted command to its owner.
class ScriptedUser : public ui::IUserInterface {
 public:
  ScriptedUser() { ui::InstallUserInterface(this); }
  ~ScriptedUser() override { ui::InstallUserInterface(nullptr); }
  // A request counted from the last.
  const std::string& Last(size_t fromEnd = 0) const { return requests.at(count() - 1 - fromEnd); }
  size_t count() const { return requests.size(); }

  std::deque<int> answers;
  std::deque<std::string> files;
  std::deque<UINT> menuChoices;
  std::vector<std::string> requests;
  std::vector<HWND> owners;

 private:
  void Note(HWND owner, const std::string& kind, const std::string& text,
            const std::string& caption, long long flags);
  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override;
  std::optional<std::string> ChooseFile(const ui::FileDialogRequest& request) override;
  void TrackPopupMenu(HMENU menu, int x, int y, HWND owner) override;
  void ShowHelpContents(HWND owner, const std::string& helpFile) override;
  void ShowContextHelp(HWND control, const std::string& helpFile, DWORD context) override;
};

// The profiles the configuration started, as (controller ID, file name).
class ProfileLog : public IConfigurationObserver {
 public:
  void ProfileStarted(int id, const std::string& path) override { started.emplace_back(id, path); }
  std::vector<std::pair<int, std::string>> started;
};

// A file's bytes as the program writes them, from lines indented by two blanks a level: tabs
// for the blanks and CR LF line ends.
std::string Xml(const std::string& text);

class WindowTestWorld {
 public:
  WindowTestWorld();
  ~WindowTestWorld();

  // Writes a file into the program folder, as Xml() makes it.
  void Write(const std::string& name, const std::string& text);
  // Copies the default configuration, actions file and profiles into the program folder.
  void CopyDefaultFiles();
  // The file's bytes; empty when it does not exist.
  std::string Read(const std::string& name) const;
  // The messages shown through the platform, as "caption: text".
  std::vector<std::string> Messages();
  // Builds the configuration from the program folder and hands it to the windows.
  CTandrelConfiguration& StartConfiguration();
  // Destroys the configuration, as the program does after its message loop.
  void EndConfiguration();

  VirtualWorld world;
  std::string folder;  // with its trailing separator
  ScriptedUser user;
  ProfileLog profiles;

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
  INT_PTR Join();

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
  // Clicks the button (IDOK, IDCANCEL) and returns what the window ended with.
  INT_PTR Close(int button);

  CTandrelConfigDlg window{nullptr};
  ModalThread program{[this] { return window.DoModal(); }};
  HWND dialog = program.WaitForWindow("Tandrel Configuration");
  HWND page = nullptr;  // the tab's page
};

// Control `id` of `dialog`, failing the test when it is missing.
HWND Control(HWND dialog, int id);
// Clicks a button; a user can only click what is visible and enabled.
void Click(HWND dialog, int id);
// Types into an edit field or a combo box's edit field, one character at a time; Erase
// selects the whole text and deletes it.
void Type(HWND dialog, int id, const std::string& text);
void Erase(HWND dialog, int id);
// Chooses an item of a combo box or list box by its index or its exact text (any case).
void Choose(HWND dialog, int id, int index);
void Choose(HWND dialog, int id, const std::string& text);
// Double-clicks the selected item of a list box.
void DoubleClick(HWND dialog, int id);
// Selects a tab of a tab control as a click on it does.
void SelectTab(HWND dialog, int tabsId, int index);
std::string TextOf(HWND dialog, int id);
bool IsShown(HWND dialog, int id);
bool IsEnabledControl(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// The item texts of a combo box or list box, and the selected one's (empty: none).
std::vector<std::string> ItemsOf(HWND dialog, int id);
std::string SelectedText(HWND dialog, int id);
