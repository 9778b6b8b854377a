// What a user does to a window, sent as the messages and notifications the controls send, from
// the test's thread to the window's thread (the program's thread runs the modal loop).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// Runs a modal window (or anything that pumps messages until it ends) on a thread of its own,
// as the program's main thread would.
class ModalThread {
 public:
  explicit ModalThread(std::function<INT_PTR()> run);
  ~ModalThread();
  ModalThread(const ModalThread&) = delete;
  ModalThread& operator=(const ModalThread&) = delete;

  // The visible top-level window of the thread with this caption, waiting for it to appear
  // (null after 10 s).
  HWND WaitForWindow(const char* caption);
  // Waits for the run to end and returns its result.
  INT_PTR Join();
  DWORD threadId() const { return threadId_; }

 private:
  std::thread thread_;
  DWORD threadId_ = 0;
  INT_PTR result_ = 0;
};

// Control `id` of `dialog`, failing the test when it is missing.
HWND Control(HWND dialog, int id);
// Clicks a button; a user can only click what is visible and enabled.
void Click(HWND dialog, int id);
// Types text into an edit field or a combo box's edit field, one character at a time.
void Type(HWND dialog, int id, const std::string& text);
// Erases the whole text of an edit field as the user would (select all, delete).
void Erase(HWND dialog, int id);
// Chooses item `index` of a combo box or list box.
void Choose(HWND dialog, int id, int index);
// Chooses the item with this text (exact, ignoring case).
void Choose(HWND dialog, int id, const std::string& text);
// Double-clicks the selected item of a list box.
void DoubleClick(HWND dialog, int id);
// Selects a tab of a tab control as a click on it does.
void SelectTab(HWND dialog, int tabsId, int index);
std::string TextOf(HWND dialog, int id);
bool IsShown(HWND dialog, int id);
bool IsEnabledControl(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// The item texts of a combo box or a list box.
std::vector<std::string> ItemsOf(HWND dialog, int id);
// The selected item's text; empty when nothing is selected.
std::string SelectedText(HWND dialog, int id);
