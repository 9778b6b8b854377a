// The user's side of message boxes, file dialogs, popup menus and help in the window tests:
// every request is recorded, message boxes take their answers from a script (IDOK, or the
// box's "no" answer once the script is empty), file dialogs the next scripted path (none:
// cancelled), and a popup menu posts the scripted command to its owner.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/UserInterface.h"

struct UiRequest {
  std::string kind;     // "message", "file", "menu", "help", "context help"
  std::string text;     // message text, dialog title, help file
  std::string caption;  // message caption, file filter "name|pattern"
  UINT flags = 0;       // message style, dialog flags, context number
  HWND owner = nullptr;
};

class ScriptedUserInterface : public ui::IUserInterface {
 public:
  ScriptedUserInterface() { ui::InstallUserInterface(this); }
  ~ScriptedUserInterface() override { ui::InstallUserInterface(nullptr); }

  std::deque<int> answers;                       // message box results
  std::deque<std::optional<std::string>> files;  // file dialog results
  std::deque<UINT> menuChoices;                  // commands chosen from popup menus
  std::vector<UiRequest> requests;

  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override;
  std::optional<std::string> ChooseFile(const ui::FileDialogRequest& request) override;
  void TrackPopupMenu(HMENU menu, int x, int y, HWND owner) override;
  void ShowHelpContents(HWND owner, const std::string& helpFile) override;
  void ShowContextHelp(HWND control, const std::string& helpFile, DWORD context) override;
};
