// Drives Tandrel.exe from outside, as a user does: the program runs as a process of its own in
// a program folder of its own, and the story finds its windows and controls by caption, class
// and control identifier, clicks, types, chooses, answers its message boxes and file dialogs,
// exits through the icon's menu, and reads texts and states back.
//
// Every call is one numbered step. A step waits (polling) until it can act or read: first until
// the program has finished handling the previous steps' acts (each act is sent, and counts as
// handled once the program has answered it or has shown a new window meanwhile, as a modal
// message box or dialog does), then until what it needs is there (a window, a visible
// and enabled control, an item). When that does not happen within a few seconds, the story
// ends with an exception naming the step, where the story called it, why, and the windows the
// program shows: step 7 "click "Apply" in "Tandrel Configuration"" (Stories.cpp:42): the
// control is disabled.
#pragma once

#include <windows.h>

#include <set>
#include <source_location>
#include <stdexcept>
#include <string>
#include <vector>

#include "ProgramFolder.h"

namespace driver {

using Where = std::source_location;

class Program;

// The tabs of the configuration window, in their order.
enum Tab { kJoysticksTab, kProfilesTab, kActionsTab, kLiveViewTab };

// A top-level window of the program (the configuration window, a message box, a file dialog).
// Controls are found by identifier among the children of the window and of the dialogs shown
// inside it (the tab's page, the action panel), a visible one first; the parts of a control
// (a combo box's edit field, a shell view's list) are not controls of their own.
class Window {
 public:
  Window(Program& program, HWND handle, std::string caption);

  // A click on a button, check box or radio button; it must be visible and enabled.
  void Click(int id, Where where = Where::current());
  // Types into an edit field or a combo box's edit field (WM_CHAR, one character at a time,
  // after selecting and erasing its text), so that the control notifies its dialog as for a user.
  void Type(int id, const std::string& text, Where where = Where::current());
  // Chooses a tab of the window's tab control with the keyboard.
  void ChooseTab(Tab tab, Where where = Where::current());

  std::string Text(int id, Where where = Where::current());
  // Waits until the control's text holds this part (a live control changes on its own).
  void WaitForText(int id, const std::string& part, Where where = Where::current());
  std::vector<std::string> Items(int id, Where where = Where::current());
  bool IsChecked(int id, Where where = Where::current());
  bool IsOpen(Where where = Where::current());

 private:
  friend class Program;
  HWND Control(int id) const;  // null when there is none
  // One step finding the control to read, once the program has settled.
  HWND ToRead(const std::string& what, int id, const Where& where);
  std::string Name(int id) const;
  std::string InMe() const { return " in \"" + caption_ + "\""; }

  Program* program_;
  HWND handle_;
  std::string caption_;
};

class Program {
 public:
  // Starts Tandrel.exe in the folder with this command line after the program's name.
  explicit Program(const ProgramFolder& folder, const std::string& arguments = "");
  ~Program();  // a program still running is ended
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The visible top-level window with this caption and class.
  Window WaitForWindow(const std::string& caption, const std::string& windowClass = "#32770",
                       Where where = Where::current());
  // Whether such a window is shown now, once the program has handled the previous acts.
  bool HasWindow(const std::string& caption, Where where = Where::current());
  // Answers the message box with this caption with one of its buttons (IDOK, IDYES, ...) and
  // returns its text.
  std::string Answer(const std::string& caption, int button, Where where = Where::current());
  // In the open or save dialog with this title: types the path into its file name field and
  // clicks its OK button.
  void ChooseFile(const std::string& title, const std::string& path,
                  Where where = Where::current());
  // A right click on the notification icon, then "Exit" in the menu it shows.
  void ExitThroughIconMenu(Where where = Where::current());
  // Sends a message to the hidden main window, as the shell or another program does.
  void SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam, Where where = Where::current());
  DWORD WaitForExit(Where where = Where::current());
  // Starts (again) to record the keys the program sends, through a low-level keyboard hook.
  void WatchKeys();
  // Waits until the program has sent this key down (or up) since WatchKeys.
  void WaitForKey(BYTE vk, bool down = true, Where where = Where::current());

 private:
  friend class Window;
  // One step: `attempt` returns an empty text once it has done its work, or why not yet.
  template <typename Attempt>
  void Step(const std::string& name, const Where& where, Attempt attempt);
  [[noreturn]] void Fail(const std::string& name, const Where& where, const std::string& why);
  bool Ended() const;
  std::string Unsettled();
  // The program's top-level windows, all or only the visible ones, topmost first.
  std::vector<HWND> TopLevel(bool visibleOnly) const;
  HWND FindTopLevel(const std::string& caption, const std::string& windowClass, bool visible) const;
  std::string Shown();
  // Sends an act to a window of the program without waiting for it; later steps do.
  std::string Act(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool wide = false);
  // Sends a query and waits for its answer; false when the program does not answer.
  bool Query(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // A window's text, or with the list messages an item's (`item`: its index).
  std::string TextOf(HWND window, UINT lengthMessage = WM_GETTEXTLENGTH,
                     UINT textMessage = WM_GETTEXT, WPARAM item = 0);
  std::string ItemsOf(HWND control, std::vector<std::string>& items);

  struct PendingAct {
    ULONG_PTR number;
    std::set<HWND> windowsBefore;
    int step;
    std::string stepName;
  };
  const ProgramFolder& folder_;
  PROCESS_INFORMATION process_ = {};
  int steps_ = 0;
  std::string stepName_;
  std::vector<PendingAct> pending_;
  HHOOK keyHook_ = nullptr;
};

// Why a story ended: the step that did not hold.
class StepFailed : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace driver
