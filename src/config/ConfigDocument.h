// Reading and editing the entries of the configuration document ("Configuration" root with
// "LaunchOnStartup", "Actions" and "Joysticks", whose "Joystick" entries carry "ID",
// "fileName", "enabled", "picture" and "Profile" rules). Names match without regard to case.
#pragma once

#include <string>
#include <vector>

#include "actions/TextRules.h"

class CXMLNode;

namespace config {

// The value of the first attribute of that name, or null.
using actions::AttributeText;

// "true" without regard to case.
bool IsTrueText(const char* text);
// The entry says "enabled" = "false" (any case); any other value or none means enabled.
bool IsEntryDisabled(const CXMLNode& entry);

// The controller ID of a "Joystick" entry: its "ID" read as a decimal number from its leading
// digits (text without digits reads as 0). False when the entry has no "ID".
bool ReadEntryId(const CXMLNode& entry, int& id);

// The first "Joystick" entry of `joysticks` whose "ID" equals `id`; entries without "ID" are
// passed over. Null when there is none.
CXMLNode* FindJoystickEntry(const CXMLNode& joysticks, int id);

// A stored path as it can be compared with another: resolved from the program folder, with one
// kind of separator, "." and ".." taken out, and in one letter case (Windows file names ignore
// it).
std::string ComparablePath(const std::string& path);

// Every profile file the entries of `joysticks` name, as written: each entry's "fileName" and
// those of its "Profile" window rules, in file order (repeats included).
std::vector<std::string> ProfileFileNames(const CXMLNode& joysticks);

// What else in the configuration the file of this path is, besides an actions file: "the
// configuration file" or "the profile of joystick N" (of an entry or of a window rule); empty
// when nothing.
std::string OtherUseOf(const std::string& path, const std::string& configPath,
                       const CXMLNode* joysticks);

// Sets the first attribute of that name, or appends it when there is none.
void SetAttributeText(CXMLNode& node, const char* name, const std::string& value);
// Removes every attribute of that name.
void RemoveAttributes(CXMLNode& node, const char* name);

}  // namespace config
