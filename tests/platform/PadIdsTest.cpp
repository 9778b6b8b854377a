// One ID for every device where two interfaces serve the same pads (Windows: XInput, and the
// joystick interface, which lists XInput's pads too): pads keep the IDs of their twins, count
// once, and keep their IDs while plugged in.
#include <gtest/gtest.h>

#include <string>

#include "platform/PadIds.h"

namespace {

using seam::PadIdTable;

TEST(PadIdTable, EachPadCountsOnceAndKeepsItsId) {
  // Steps in order. Devices of the joystick interface by ID: '.' none, 'j' a joystick, 't' a
  // pad's twin; pads by index: '1' while XInput has one. Then what IDs 0..4 stand for.
  const struct {
    const char* devices;
    const char* pads;
    const char* ids;
  } steps[] = {
      {"tj", "0000", "D0 D1 - - -"},    // XInput has none (yet): the twin is a joystick
      {"tj", "1000", "P0 D1 - - -"},    // the pad takes its twin's ID
      {"tjt", "1000", "P0 D1 D2 - -"},  // a twin no pad accounts for
      {"tjt", "1100", "P0 D1 P1 - -"},  // ... until its pad arrives
      {"tj.", "1100", "P0 D1 P1 - -"},  // a pad keeps its ID while XInput reports it
      {"..j", "0100", "- - P1 - -"},    // a joystick at a pad's ID waits for it
      {"..j", "0000", "- - D2 - -"},
      {"j", "0010", "D0 P2 - - -"},         // a pad before its twin takes a free ID...
      {"j.t", "0010", "D0 P2 - - -"},       // ... and its twin, listed later elsewhere, counts not
      {"ttttt", "1111", "P0 P2 P1 P3 D4"},  // a fifth pad: XInput serves four
  };
  PadIdTable table;
  for (const auto& step : steps) {
    PadIdTable::Seen seen;
    for (std::size_t id = 0; step.devices[id] != '\0'; ++id) {
      seen.device[id] = step.devices[id] != '.';
      seen.twin[id] = step.devices[id] == 't';
    }
    for (int pad = 0; pad < PadIdTable::kPads; ++pad) seen.pad[pad] = step.pads[pad] == '1';
    table.Follow(seen);
    std::string ids;
    for (int id = 0; id < 5; ++id) {
      const PadIdTable::Source at = table.At(id);
      ids += std::string(id > 0 ? " " : "") + "-DP"[static_cast<int>(at.kind)] +
             (at.index >= 0 ? std::to_string(at.index) : "");
    }
    EXPECT_EQ(ids, step.ids) << step.devices << " " << step.pads;
  }
  for (const auto& [name, pad] : {std::pair{"Controller (XBOX 360 For Window", true},
                                  {"controller (Gamepad F310)", true},
                                  {"Bluetooth XINPUT compatible input device", true},
                                  {"Controller", false},
                                  {"Logitech Dual Action", false},
                                  {"Game Controller (USB)", false}}) {
    EXPECT_EQ(seam::IsXInputDeviceName(name), pad) << name;
  }
}

}  // namespace
