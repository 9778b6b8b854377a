#include "platform/Platform.h"

#include <algorithm>

#include <cassert>

namespace seam {

namespace {
// Written only while no other thread uses the platform (see Platform.h).
Services g_services;

template <typename T>
T& Require(T* p) {
  assert(p != nullptr && "platform service not installed");
  return *p;
}
}  // namespace

Services Install(const Services& services) {
  Services previous = g_services;
  g_services = services;
  return previous;
}

const Services& Current() { return g_services; }

IJoysticks& Joysticks() { return Require(g_services.joysticks); }
IInput& Input() { return Require(g_services.input); }
IKeyboardLayout& KeyboardLayout() { return Require(g_services.keyboardLayout); }
IDesktop& Desktop() { return Require(g_services.desktop); }
IClock& Clock() { return Require(g_services.clock); }
IMessages& Messages() { return Require(g_services.messages); }
IStartupEntry& StartupEntry() { return Require(g_services.startupEntry); }
IProgram& Program() { return Require(g_services.program); }
IFiles& Files() { return Require(g_services.files); }

void SetProductName(JoystickCaps& caps, std::string_view utf8) {
  std::size_t length = std::min(utf8.size(), std::size_t{kProductNameSize - 1});
  // Back over continuation bytes to the start of the character that does not fit whole.
  if (length < utf8.size()) {
    while (length > 0 && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80) --length;
  }
  std::copy_n(utf8.data(), length, caps.productName);
  std::fill(caps.productName + length, caps.productName + kProductNameSize, '\0');
}

std::string ProgramFolder() {
  std::string path = Program().ModuleFileName();
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool IsAbsolutePath(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return true;
#ifndef _WIN32
  if (!path.empty() && path[0] == '/') return true;
#endif
  return false;
}

std::string ResolveProgramPath(const std::string& path) {
  return IsAbsolutePath(path) ? path : ProgramFolder() + path;
}

void ShowError(const std::string& text, const std::string& caption) {
  Report(text, caption, MessageIcon::Error);
}

void ShowFindings(const std::vector<Finding>& findings) { Messages().ShowFindings(findings); }

void IMessages::ShowFindings(const std::vector<Finding>& findings) {
  if (findings.empty()) return;
  const Finding shown = CombineFindings(findings);
  Show(shown.text, shown.caption, MessageButtons::Ok, shown.icon);
}

MessageAnswer DefaultAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
      return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
      return MessageAnswer::No;
  }
  return MessageAnswer::Ok;
}

}  // namespace seam
