// The window rules of the loaded configuration document, read once per load so that a window
// activation costs only string searches: for every "Joystick" entry that takes part in
// switching (it has an "ID" within 0..15, is not disabled and names a default profile), its
// default "fileName" and its "Profile" rules in file order.
#pragma once

#include <string>
#include <vector>

class CXMLNode;

namespace config {

struct SwitchRule {
  std::string window;    // text searched for in the title (exact, case-sensitive); may be empty
  std::string fileName;  // the profile in force while such a window is active
};

struct SwitchEntry {
  int id = 0;
  std::string defaultFile;
  std::vector<SwitchRule> rules;
};

// The entries of a "Joysticks" element in file order. A "Profile" without "window" is passed
// over, and so is one without "fileName" (there is no profile to load for it).
std::vector<SwitchEntry> ReadSwitchEntries(const CXMLNode& joysticks);

}  // namespace config
