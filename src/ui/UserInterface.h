// The facilities of the system that block on the user: message boxes with an owner window,
// the open and save file dialogs, popup menus and help. The windows call them through this
// interface so that tests answer them without anything blocking; the program hands the Win32
// implementation (Win32UserInterface) to its windows (WindowServices).
//
// Main thread only, like every window of the configuration user interface.
#pragma once

#include <windows.h>
// After windows.h.
#include <commdlg.h>

#include <optional>
#include <string>
#include <utility>

namespace ui {

struct FileDialogRequest {
  HWND owner = nullptr;
  bool save = false;  // the save dialog instead of the open dialog
  std::string title;
  std::string filterName;        // "XML Files"
  std::string filterPattern;     // "*.xml"
  std::string defaultExtension;  // without the dot; empty: none
  std::string initialFolder;
  DWORD flags = 0;  // OFN_* flags

  // A dialog in `folder` for one kind of file, as the pages ask for theirs: the path must
  // exist, "read-only" is hidden, and the program's current folder stays as it is.
  static FileDialogRequest InFolder(HWND owner, std::string title, std::string filterName,
                                    std::string filterPattern, std::string folder) {
    return {owner,
            false,
            std::move(title),
            std::move(filterName),
            std::move(filterPattern),
            {},
            std::move(folder),
            OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR};
  }
};

class IUserInterface {
 public:
  virtual ~IUserInterface() = default;
  // MessageBoxA: `type` holds the MB_* buttons, icon and default-button flags; the result is
  // the ID* of the button chosen.
  virtual int ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                          UINT type) = 0;
  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  // Tracks a popup menu at a screen position; the chosen item reaches `owner` as WM_COMMAND.
  virtual void TrackPopupMenu(HMENU menu, int x, int y, HWND owner) = 0;
  // The help file's contents (the notification icon's "Help"). False when nothing could show
  // them (no program opens the manual); the caller says so.
  virtual bool ShowHelpContents(HWND owner, const std::string& helpFile) = 0;
  // The pop-up help topic of a control (F1 in the configuration window).
  virtual void ShowContextHelp(HWND control, const std::string& helpFile, DWORD context) = 0;
};

}  // namespace ui
