// What the Joysticks tab of the configuration window writes when it applies: its state is
// merged into the configuration file as the file stands on disk, so that everything the tab
// does not show (the actions file's name, the window rules of the entries it keeps, elements
// and attributes the program does not know) survives.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/Types.h"

class CXMLNode;

// The tab's state. It holds data only for IDs that had a controller object when the window
// opened; the entries of every other ID are left as they are (a controller unplugged for the
// moment keeps its profile and window rules).
struct JoysticksTabState {
  struct Controller {
    std::string profile;  // default profile file name; empty: none
    std::string picture;  // picture file name; empty: none
    bool enabled = true;
  };
  bool launchOnStartup = false;
  std::array<std::optional<Controller>, seam::kMaxJoysticks> controllers;  // none: no data
};

// Merges the tab's state into a configuration document (the root):
// 1. "LaunchOnStartup" is found or appended and its "value" set to "true" or "false".
// 2. "Actions" is appended with "fileName" = "Actions.xml" when missing; an existing one stays.
// 3. "Joysticks" is appended when missing only if some ID has a profile; without it, the
//    entries are left alone.
// 4. For each ID the tab holds data for: with a profile or a picture, the first entry with that
//    ID (or a new one whose first attribute is "ID") gets "fileName" set or removed,
//    "enabled" = "false" when disabled (removed when enabled), "picture" set or removed; a new
//    entry is appended. With neither, the first entry with that ID is removed, rules and all.
// Existing elements and attributes keep their places; new ones are appended.
void MergeJoysticksTab(CXMLNode& root, const JoysticksTabState& state);
