#include "ui/Win32UserInterface.h"

#include <commdlg.h>

#include <vector>

namespace ui {

int Win32UserInterface::MessageBox(HWND owner, const std::string& text, const std::string& caption,
                                   UINT type) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

std::optional<std::string> Win32UserInterface::ChooseFile(const FileDialogRequest& request) {
  // The filter is a list of zero-terminated pairs ending with an empty string.
  std::string filter = request.filterName + '\0' + request.filterPattern + '\0' + '\0';
  std::vector<char> file(1024, '\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = request.owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size() - 1);
  dialog.lpstrInitialDir = request.initialFolder.c_str();
  dialog.lpstrTitle = request.title.c_str();
  dialog.Flags = request.flags;
  dialog.lpstrDefExt =
      request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  const BOOL chosen = request.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return std::string(file.data());
}

void Win32UserInterface::TrackPopupMenu(HMENU menu, int x, int y, HWND owner) {
  ::TrackPopupMenu(menu, 0, x, y, 0, owner, nullptr);
}

void Win32UserInterface::ShowHelpContents(HWND owner, const std::string& helpFile) {
  WinHelpA(owner, helpFile.c_str(), HELP_FINDER, 0);
}

void Win32UserInterface::ShowContextHelp(HWND control, const std::string& helpFile, DWORD context) {
  WinHelpA(control, helpFile.c_str(), HELP_CONTEXTPOPUP, context);
}

}  // namespace ui
