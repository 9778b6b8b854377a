// The texts of the Profile tab's lists and what an element entry stands for in a profile.
// The element list always holds 48 entries: "Button 1".."Button 32" (positions 0-31), two
// entries per axis (X at 32-33, Y 34-35, Z 36-37, R 38-39, U 40-41, V 42-43; "Left"/"Right"
// before the axis name, "Up"/"Down" once the axis is vertical), then the four hat directions
// (44-47). The list does not depend on the controller actually connected.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

class CXMLNode;
struct DetectedInput;

namespace profileedit {

inline constexpr int kButtonEntryCount = 32;
inline constexpr std::array<const char*, 6> kAxisNames = {"X Axis", "Y Axis", "Z Axis",
                                                          "R Axis", "U Axis", "V Axis"};
inline constexpr std::array<const char*, 4> kPOVDirections = {"Forward", "Right", "Backward",
                                                              "Left"};
// The axis type list, in this order.
inline constexpr std::array<const char*, 2> kAxisTypeTexts = {"Horizontal", "Vertical"};
inline constexpr const char* kHorizontalAxisText = kAxisTypeTexts[0];
inline constexpr const char* kVerticalAxisText = kAxisTypeTexts[1];
inline constexpr const char* kNoShiftButtonText = "No Shift Button";
// The first entry of the action list: no action for the chosen combination.
inline constexpr const char* kNoActionText = "<<None>>";

// "Button %d": the entries of the button lists and of the element list; on a pad with the
// button's name beside it ("Button 1 (A)"). Names are shown only: the files keep numbers.
std::string ButtonEntryText(int number,
                            seam::ControllerLayout names = seam::ControllerLayout::Joystick);
// "Shift Button %d": the entry of shift state k (k >= 1) in the shift state list.
std::string ShiftStateEntryText(int shiftState);
// "0", "10", ... "90": the percent list of axis actions.
std::vector<std::string> PercentTexts();
// The percent an entry of the percent list stands for (its first 4 characters read as a
// number).
int PercentValue(std::string_view text);

// The 48 entries of the element list as the page shows them for a profile (none: every axis
// horizontal): each axis' entries "Up"/"Down" when the profile's axis is vertical, and on a pad
// every input's name beside it ("Down Z Axis (Left Trigger)": which trigger an entry of Z
// holds depends on the axis' "swapped").
std::vector<std::string> ElementEntryTexts(
    const CXMLNode* root = nullptr,
    seam::ControllerLayout names = seam::ControllerLayout::Joystick);
// The position of the first of the axis' two entries in the element list; none for a name
// that is not one of kAxisNames (ignoring case).
std::optional<std::size_t> AxisEntryIndex(std::string_view axisName);
// The axis' two entries: "Left X Axis", "Right X Axis" or "Up X Axis", "Down X Axis".
std::array<std::string, 2> AxisEntryTexts(std::string_view axisName, bool vertical);

// The entry of the element list for an input picked by pressing it (Detect): its button, hat
// direction, or the axis direction holding the side it was pushed to. An axis' first entry
// ("Left", "Up") holds its side towards the minimum, unless the profile being edited swaps the
// axis (`swapped`). None for a button beyond the list.
std::optional<std::size_t> DetectedEntryIndex(const DetectedInput& input, bool swapped);

enum class TargetKind { Button, AxisDirection, POVDirection };

// What an element entry stands for in the document.
struct ElementTarget {
  TargetKind kind = TargetKind::Button;
  int button = 0;         // Button: its number, 1-based
  std::string axis;       // AxisDirection: the axis name, "X Axis"
  std::string direction;  // AxisDirection: "Left", "Right", "Up", "Down"; POV: "Forward"...
};

inline constexpr std::size_t kElementEntryCount =
    kButtonEntryCount + 2 * kAxisNames.size() + kPOVDirections.size();

// What the element entry at `position` stands for, its axis entries labelled vertical or not
// (the list keeps each entry's position as its item data); none outside the list.
std::optional<ElementTarget> ElementTargetAt(std::size_t position, bool verticalAxis);
// The position of the entry of a button (1..32), of an axis' negative (Left/Up) or positive
// (Right/Down) direction, or of a hat direction (0 forward, 1 right, 2 backward, 3 left).
std::size_t ButtonEntryIndex(int number);
std::size_t AxisDirectionEntryIndex(std::size_t axis, bool positive);
std::size_t POVEntryIndex(std::size_t direction);

// The other direction of an axis: "Right" for "Left", "Up" for "Down" and so on (any case);
// empty for any other word.
std::string_view PartnerDirection(std::string_view direction);

}  // namespace profileedit
