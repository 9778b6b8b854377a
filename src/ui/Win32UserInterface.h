// The real message boxes, file dialogs, popup menus and help of Windows.
#pragma once

#include "ui/UserInterface.h"

namespace ui {

class Win32UserInterface : public IUserInterface {
 public:
  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void TrackPopupMenu(HMENU menu, int x, int y, HWND owner) override;
  void ShowHelpContents(HWND owner, const std::string& helpFile) override;
  void ShowContextHelp(HWND control, const std::string& helpFile, DWORD context) override;
};

}  // namespace ui
