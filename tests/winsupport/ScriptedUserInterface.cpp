#include "ScriptedUserInterface.h"

int ScriptedUserInterface::MessageBox(HWND owner, const std::string& text,
                                      const std::string& caption, UINT type) {
  requests.push_back({"message", text, caption, type, owner});
  if (!answers.empty()) {
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return IDNO;
    case MB_OKCANCEL:
      return IDCANCEL;
    default:
      return IDOK;
  }
}

std::optional<std::string> ScriptedUserInterface::ChooseFile(const ui::FileDialogRequest& request) {
  requests.push_back({request.save ? "save file" : "open file", request.title,
                      request.filterName + "|" + request.filterPattern + "|" +
                          request.defaultExtension + "|" + request.initialFolder,
                      request.flags, request.owner});
  if (files.empty()) return std::nullopt;
  std::optional<std::string> file = files.front();
  files.pop_front();
  return file;
}

void ScriptedUserInterface::TrackPopupMenu(HMENU menu, int, int, HWND owner) {
  char text[64] = {};
  GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
  requests.push_back({"menu", text, "", GetMenuDefaultItem(menu, FALSE, 0), owner});
  if (menuChoices.empty()) return;
  PostMessageA(owner, WM_COMMAND, menuChoices.front(), 0);
  menuChoices.pop_front();
}

void ScriptedUserInterface::ShowHelpContents(HWND owner, const std::string& helpFile) {
  requests.push_back({"help", helpFile, "", 0, owner});
}

void ScriptedUserInterface::ShowContextHelp(HWND control, const std::string& helpFile,
                                            DWORD context) {
  requests.push_back({"context help", helpFile, "", context, control});
}
