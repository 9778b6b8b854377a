// The real message boxes, file dialogs, popup menus and help of Windows.
//
// Help: when the help file exists, the help viewer shows it (WinHelpA). Current Windows has no
// such viewer and the program ships no help file, so without one the contents are the user
// manual "Tandrel.html" beside the help file's place, opened with the shell, and a control's
// pop-up topic is its text from the program's string table, shown in a pop-up beside it.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/HelpPopup.h"
#include "ui/UserInterface.h"

namespace ui {

// The calls through which help leaves the program; the defaults are the system's.
struct HelpCalls {
  // Opens a document with the program the user has chosen for it (ShellExecuteA "open"); false
  // when none is registered or it could not start.
  std::function<bool(HWND owner, const std::string& path)> openDocument;
  std::function<void(HWND window, const std::string& file, UINT command, ULONG_PTR data)> winHelp;
};

class Win32UserInterface : public IUserInterface {
 public:
  static constexpr const char* kManualName = "Tandrel.html";

  Win32UserInterface();
  explicit Win32UserInterface(HelpCalls help) : help_(std::move(help)) {}

  int ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                  UINT type) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void TrackPopupMenu(HMENU menu, int x, int y, HWND owner) override;
  bool ShowHelpContents(HWND owner, const std::string& helpFile) override;
  void ShowContextHelp(HWND control, const std::string& helpFile, DWORD context) override;

 private:
  HelpCalls help_;
  CHelpPopup popup_;
};

}  // namespace ui
