#include "platform/PadIds.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace seam {

bool IsXInputDeviceName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper.starts_with("CONTROLLER (") || upper.find("XINPUT") != std::string::npos;
}

void PadIdTable::Follow(const Seen& seen) {
  for (int pad = 0; pad < kPads; ++pad) {
    if (!seen.pad[pad]) padIds_[pad] = -1;
  }
  for (int pad = 0; pad < kPads; ++pad) {
    if (seen.pad[pad] && padIds_[pad] < 0) padIds_[pad] = FreeId(seen);
  }
  // The twins that no pad accounts for: the last ones of those the pads do not hold.
  int unaccounted = -static_cast<int>(std::count(seen.pad.begin(), seen.pad.end(), true));
  for (int id = 0; id < kMaxJoysticks; ++id) unaccounted += seen.device[id] && seen.twin[id];
  for (int id = kMaxJoysticks - 1; id >= 0; --id) {
    shown_[id] = seen.device[id] && !Held(id);
    if (shown_[id] && seen.twin[id]) shown_[id] = unaccounted-- > 0;
  }
}

bool PadIdTable::Held(int id) const {
  return std::find(padIds_.begin(), padIds_.end(), id) != padIds_.end();
}

int PadIdTable::FreeId(const Seen& seen) const {
  for (int id = 0; id < kMaxJoysticks; ++id) {
    if (seen.device[id] && seen.twin[id] && !Held(id)) return id;
  }
  for (int id = 0; id < kMaxJoysticks; ++id) {
    if (!seen.device[id] && !Held(id)) return id;
  }
  return -1;
}

PadIdTable::Source PadIdTable::At(int id) const {
  if (id < 0 || id >= kMaxJoysticks) return {};
  const auto pad = std::find(padIds_.begin(), padIds_.end(), id);
  if (pad != padIds_.end()) return {Source::Kind::Pad, static_cast<int>(pad - padIds_.begin())};
  if (shown_[id]) return {Source::Kind::Device, id};
  return {};
}

}  // namespace seam
