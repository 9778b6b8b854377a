#include "platform/win32/Win32Messages.h"

#include <windows.h>

namespace seam {

namespace {

UINT ButtonStyle(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return MB_OK;
    case MessageButtons::OkCancel:
      return MB_OKCANCEL;
    case MessageButtons::YesNo:
      return MB_YESNO;
    case MessageButtons::YesNoCancel:
      return MB_YESNOCANCEL;
  }
  return MB_OK;
}

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return 0;
    case MessageIcon::Error:
      return MB_ICONERROR;
    case MessageIcon::Question:
      return MB_ICONQUESTION;
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
  }
  return 0;
}

}  // namespace

MessageAnswer Win32Messages::Show(const std::string& text, const std::string& caption,
                                  MessageButtons buttons, MessageIcon icon) {
  const int result = MessageBoxA(owner_.load(), text.c_str(), caption.c_str(),
                                 ButtonStyle(buttons) | IconStyle(icon));
  switch (result) {
    case IDOK:
      return MessageAnswer::Ok;
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    case IDCANCEL:
      return MessageAnswer::Cancel;
    default:
      // The box could not be shown: answer as a box closed without a choice, so nothing
      // that needs a Yes or an Ok happens.
      return DefaultAnswer(buttons);
  }
}

void Win32Messages::ShowFindings(const std::vector<Finding>& findings) {
  if (findings.empty()) return;
  const Finding shown = CombineFindings(findings, /*nameFiles=*/true);
  Show(shown.text, shown.caption, MessageButtons::Ok, shown.icon);
}

}  // namespace seam
