// The settings of one axis in a profile: the "Axis" of "Axes" whose "Name" is the axis name.
// The threshold, sensitivity, swap and type edits and the assignment of an action create the
// element when it is missing (and "Axes" too, appended to the root) as a new axis: with the
// threshold and sensitivity of the profile's other axes (NewAxisSettings) and its type. Each
// edit returns whether the document changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profileedit/ProfileDocument.h"
#include "xml/XMLNode.h"

namespace profileedit {

inline constexpr int kDefaultThreshold = 1000;   // also the least threshold stored
inline constexpr int kDefaultSensitivity = 100;  // also the least sensitivity stored
// What a new axis of a profile without other axes gets: a real stick at rest stays inside a
// dead zone this wide.
inline constexpr int kRecommendedThreshold = 8000;
inline constexpr int kRecommendedSensitivity = 300;

// The values the axis controls show, the numbers as the boxes show them (NumberBoxText).
struct AxisSettings {
  std::string threshold = std::to_string(kDefaultThreshold);
  std::string sensitivity = std::to_string(kDefaultSensitivity);
  // The entry of kAxisTypeTexts whose text begins with "type" ignoring case (0, "Horizontal",
  // without "type"); none when no entry does, and the type list keeps its selection.
  std::optional<std::size_t> typeEntry = 0;
  bool swapped = false;
};

CXMLNode* FindAxisElement(const CXMLNode& root, std::string_view axisName);

// The threshold and sensitivity a new axis takes: each from the first axis of the profile that
// stores it, else the recommended values.
struct NewAxisNumbers {
  int threshold = kRecommendedThreshold;
  int sensitivity = kRecommendedSensitivity;
};
NewAxisNumbers NewAxisSettings(const CXMLNode& root);
// The axis' element, created as a new axis ("Horizontal", or "Vertical") when missing.
CXMLNode& FindOrCreateAxis(CXMLNode& root, std::string_view axisName, bool vertical = false);

// The settings of the axis; for an axis without an element, those a new one would get.
AxisSettings ReadAxisSettings(const CXMLNode& root, std::string_view axisName);

// The axis' type labels its directions "Up" and "Down" ("Vertical", any case).
bool IsVerticalAxis(const CXMLNode& root, std::string_view axisName);

// The threshold as typed; below 1000 or not a number stores 1000. Nothing changes when the
// element's "Threshold" already holds that number, or holds any value and `source` is Shown.
bool SetAxisThreshold(CXMLNode& root, std::string_view axisName, std::string_view typed,
                      NumberSource source = NumberSource::Typed);
// The same with the least value 100 and "sensitivity".
bool SetAxisSensitivity(CXMLNode& root, std::string_view axisName, std::string_view typed,
                        NumberSource source = NumberSource::Typed);
// Checked: "swapped" "true"; unchecked: no "swapped" at all.
bool SetAxisSwapped(CXMLNode& root, std::string_view axisName, bool swapped);
// The chosen type ("Horizontal" or "Vertical") and the directions renamed to match
// (SetAxisOrientation). The page then relabels the axis' two element entries.
bool SetAxisType(CXMLNode& root, std::string_view axisName, bool vertical);

// Renames the directions of an existing axis element: "Left"/"Right" become "Up"/"Down" when
// vertical, and back when horizontal.
bool SetAxisOrientation(CXMLNode& root, std::string_view axisName, bool vertical);

// The orientation of an axis whose element entries must be labelled for it.
struct AxisOrientation {
  std::string axis;
  bool vertical = false;
};

// What a profile needs when it is opened for editing: every axis with a "name" and the type
// "Vertical" or "Horizontal" gets its directions renamed to match; one without "type" first
// gets "type" "horizontal"; any other type is left alone. Returns the orientations to show,
// in document order.
std::vector<AxisOrientation> PrepareAxesForEditing(CXMLNode& root);

}  // namespace profileedit
