#include "ui/Win32UserInterface.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "ui/ContextHelpTexts.h"

namespace ui {

namespace {

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

Win32UserInterface::Win32UserInterface()
    : help_{[](HWND owner, const std::string& path) {
              // Values above 32 mean success.
              return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", path.c_str(), nullptr,
                                                             nullptr, SW_SHOWNORMAL)) > 32;
            },
            [](HWND window, const std::string& file, UINT command, ULONG_PTR data) {
              WinHelpA(window, file.c_str(), command, data);
            }} {}

int Win32UserInterface::ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                                    UINT type) {
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
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

bool Win32UserInterface::ShowHelpContents(HWND owner, const std::string& helpFile) {
  if (IsFile(helpFile)) {
    help_.winHelp(owner, helpFile, HELP_FINDER, 0);
    return true;
  }
  return help_.openDocument(owner, FolderOf(helpFile) + kManualName);
}

void Win32UserInterface::ShowContextHelp(HWND control, const std::string& helpFile, DWORD context) {
  if (IsFile(helpFile)) {
    help_.winHelp(control, helpFile, HELP_CONTEXTPOPUP, context);
    return;
  }
  // Context numbers travel as 32-bit values; the push-type buttons' numbers are negative.
  const int number = static_cast<int>(context);
  popup_.Show(control, CContextHelpTexts(GetModuleHandleA(nullptr)).TextOf(number));
}

}  // namespace ui
