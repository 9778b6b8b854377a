#include "qt/KeyNames.h"

#include <X11/Xlib.h>

#include "actionedit/KeyText.h"
#include "platform/XKeyTable.h"

namespace qtui {

std::string LinuxKeyName(unsigned code) {
  const auto vk = static_cast<std::uint8_t>(code);
  if (vk == 0 || seam::XButtonForVirtualKey(vk) != 0) return actionedit::KeyName(vk);
  const std::optional<std::uint32_t> keysym = seam::KeysymForVirtualKey(vk);
  if (!keysym) return actionedit::KeyName(vk) + " (not sent on Linux)";
  const char* name = XKeysymToString(*keysym);
  return name != nullptr ? name : actionedit::KeyName(vk);
}

std::optional<std::uint8_t> VirtualKeyOfXKey(std::uint32_t plainKeysym, std::uint32_t typedKeysym) {
  if (auto vk = seam::VirtualKeyForKeysym(plainKeysym)) return vk;
  return seam::VirtualKeyForKeysym(typedKeysym);
}

}  // namespace qtui
