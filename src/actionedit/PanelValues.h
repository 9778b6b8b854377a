// The values of the Actions tab's four property panels, as the user sees them, and which type
// button is checked. The dialogs move these between their controls and this struct; the rules
// that fill them from a library action and save them into the library work on it alone.
// A panel keeps the values it last showed: they are the defaults of a new action of its type.
#pragma once

#include <string>
#include <vector>

#include "actions/Action.h"

namespace actionedit {

// The checked type button; None only while the library was empty and no button was clicked.
enum class ActionKind { None, VirtualKey, MouseMovement, MouseWheel, Combination };

// The defaults below are the panels' state when they are created: the first push-type button
// checked, number fields empty (read as 0), "Absolute" unchecked, "Up" checked, no parts.
struct VKPanelValues {
  PushType pushType = PushType::Hold;  // Hold, Hit, Repeat or Toggle
  unsigned char key = 0;               // the key text's key code (KeyCodeFromText)
  bool operator==(const VKPanelValues&) const = default;
};

struct MousePanelValues {
  PushType pushType = PushType::Hold;  // Hold or Hit
  bool absolute = false;
  int acceleration = 0;
  int delay = 0;
  int direction = 0;  // degrees clockwise from up, as CMouseAction::GetDirection gives them
  int speed = 0;
  bool operator==(const MousePanelValues&) const = default;
};

struct WheelPanelValues {
  PushType pushType = PushType::Hold;  // Hold or Hit
  int direction = 0;                   // CMouseWheelAction::kUp or kDown
  int delay = 0;
  int lines = 0;
  bool operator==(const WheelPanelValues&) const = default;
};

// One entry of the combination panel's lists: a library action by theme and name, with the
// push type its copy takes in the combination (PushType::None in the Available list).
struct CombinedEntry {
  std::string theme;
  std::string name;
  PushType pushType = PushType::None;
  bool operator==(const CombinedEntry&) const = default;
};

struct ComplexPanelValues {
  PushType pushType = PushType::Hold;  // Hold or Hit
  std::vector<CombinedEntry> parts;    // the Combined list, in press order
  bool operator==(const ComplexPanelValues&) const = default;
};

struct ActionPanelValues {
  ActionKind checked = ActionKind::None;
  VKPanelValues vk;
  MousePanelValues mouse;
  WheelPanelValues wheel;
  ComplexPanelValues complex;
  bool operator==(const ActionPanelValues&) const = default;
};

// An entry's text in the panel's lists: "<name> (<theme>)".
std::string EntryText(const CombinedEntry& entry);

}  // namespace actionedit
