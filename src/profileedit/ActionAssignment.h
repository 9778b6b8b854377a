// Which library action a profile assigns to an input element in a shift state, and the edits
// that change it. The target of an element entry is:
// - a button: the "Button" of "Buttons" whose "number" is n;
// - an axis direction: the "Direction" whose "name" is the direction word, in the "Axis" of
//   "Axes" whose "Name" is the axis name;
// - a hat direction: the "Direction" of "POV" whose "name" is the direction.
// Within the target's "Actions", the entry for a shift state (and, on an axis, a percent) is
// the first "Action" with that "number" (and that "percent", 0 when absent). Names and
// keywords match without regard to case; numbers are compared as the engine reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profileedit/ElementEntries.h"
#include "xml/XMLNode.h"

namespace profileedit {

CXMLNode* FindTarget(const CXMLNode& root, const ElementTarget& target);

// An "Action" stored for a combination; either attribute may be missing.
struct AssignedAction {
  std::optional<std::string> theme;
  std::optional<std::string> name;
};

// Every entry stored for the shift state (and percent, for an axis) in document order: the
// page shows the first whose theme and name are both in its lists, "<<None>>" when none is.
std::vector<AssignedAction> AssignedActions(const CXMLNode& root, const ElementTarget& target,
                                            int shiftState, int percent);

// Stores the entry for (shiftState, percent) in `target`'s "Actions" (appended when missing):
// an existing entry gets "theme" and "name" (each added when missing, replaced when it differs
// ignoring case); otherwise a new "Action" with "number", "theme", "name" and, when percent is
// not 0, "percent". True when the document changed.
bool SetActionEntry(CXMLNode& target, int shiftState, std::string_view theme, std::string_view name,
                    int percent);

// The user chose an action for the element: creates what the target needs ("Buttons" and
// "Button", "POV" and "Direction", "Axes" and an "Axis" with "name", "sensitivity" "100",
// "threshold" "1000", "type" "horizontal", then the "Direction") and stores the entry. Buttons
// and hat directions ignore `percent`. An axis always gets both of its directions, so that the
// engine can read it. True when the document changed; the page counts every choice of an
// action as a change anyway.
bool AssignAction(CXMLNode& root, const ElementTarget& target, int shiftState,
                  std::string_view theme, std::string_view name, int percent);

// The user chose "<<None>>":
// - a button or hat direction loses its first entry with that "number" (whatever its
//   percent); once its "Actions" holds no "Action", the whole target goes, unless it has
//   "ReleaseActions";
// - an axis direction loses its entry for (shiftState, percent); a direction left without
//   "Action" (or without "Actions") goes together with its partner once neither holds an
//   "Action"; while the partner holds one, it stays, so the engine can still read the axis;
// - an "Axis" without any "Direction" goes as a whole, settings included.
// True when the document changed.
bool RemoveAction(CXMLNode& root, const ElementTarget& target, int shiftState, int percent);

}  // namespace profileedit
