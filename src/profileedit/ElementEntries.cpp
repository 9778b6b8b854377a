#include "profileedit/ElementEntries.h"

#include <algorithm>

#include "actions/TextRules.h"
#include "engine/InputDetector.h"
#include "platform/PadLayout.h"
#include "profileedit/AxisSettings.h"
#include "xml/XMLNode.h"

namespace profileedit {

std::string ButtonEntryText(int number, seam::ControllerLayout names) {
  return seam::WithInputName("Button " + std::to_string(number),
                             seam::InputButtonName(names, number));
}

std::string ShiftStateEntryText(int shiftState) {
  return "Shift Button " + std::to_string(shiftState);
}

std::vector<std::string> PercentTexts() {
  std::vector<std::string> texts;
  for (int percent = 0; percent < 100; percent += 10) texts.push_back(std::to_string(percent));
  return texts;
}

int PercentValue(std::string_view text) {
  return actions::ReadDecimal(std::string(text.substr(0, 4)).c_str());
}

std::vector<std::string> ElementEntryTexts(const CXMLNode* root, seam::ControllerLayout names) {
  std::vector<std::string> texts;
  for (int n = 1; n <= kButtonEntryCount; ++n) texts.push_back(ButtonEntryText(n, names));
  for (std::size_t i = 0; i < kAxisNames.size(); ++i) {
    const bool swapped = root != nullptr && ReadAxisSettings(*root, kAxisNames[i]).swapped;
    const auto entries =
        AxisEntryTexts(kAxisNames[i], root != nullptr && IsVerticalAxis(*root, kAxisNames[i]));
    // The first entry holds the side towards the minimum, unless the axis is swapped.
    for (std::size_t e = 0; e < 2; ++e) {
      const bool towardsMax = (e == 1) != swapped;
      texts.push_back(seam::WithInputName(
          entries[e], seam::InputAxisName(names, static_cast<int>(i), towardsMax)));
    }
  }
  for (const char* direction : kPOVDirections) {
    texts.push_back(
        seam::WithInputName("POV " + std::string(direction), seam::InputHatName(names)));
  }
  return texts;
}

std::optional<std::size_t> AxisEntryIndex(std::string_view axisName) {
  for (std::size_t i = 0; i < kAxisNames.size(); ++i) {
    if (XMLNamesEqual(kAxisNames[i], axisName)) return kButtonEntryCount + 2 * i;
  }
  return std::nullopt;
}

std::array<std::string, 2> AxisEntryTexts(std::string_view axisName, bool vertical) {
  const std::string name(axisName);
  return vertical ? std::array<std::string, 2>{"Up " + name, "Down " + name}
                  : std::array<std::string, 2>{"Left " + name, "Right " + name};
}

std::optional<ElementTarget> ElementTargetAt(std::size_t position, bool verticalAxis) {
  ElementTarget target;
  if (position < kButtonEntryCount) {
    target.button = static_cast<int>(position) + 1;
    return target;
  }
  position -= kButtonEntryCount;
  if (position < 2 * kAxisNames.size()) {
    target.kind = TargetKind::AxisDirection;
    target.axis = kAxisNames[position / 2];
    constexpr std::array<std::array<const char*, 2>, 2> kWords = {
        {{"Left", "Right"}, {"Up", "Down"}}};
    target.direction = kWords[verticalAxis ? 1 : 0][position % 2];
    return target;
  }
  position -= 2 * kAxisNames.size();
  if (position < kPOVDirections.size()) {
    target.kind = TargetKind::POVDirection;
    target.direction = kPOVDirections[position];
    return target;
  }
  return std::nullopt;
}

std::size_t ButtonEntryIndex(int number) { return static_cast<std::size_t>(number - 1); }

std::size_t AxisDirectionEntryIndex(std::size_t axis, bool positive) {
  return kButtonEntryCount + 2 * axis + (positive ? 1 : 0);
}

std::size_t POVEntryIndex(std::size_t direction) {
  return kButtonEntryCount + 2 * kAxisNames.size() + direction;
}

std::optional<std::size_t> DetectedEntryIndex(const DetectedInput& input, bool swapped) {
  const int number = input.number;
  switch (input.kind) {
    case DetectedInput::Kind::Button:
      if (number < 1 || number > kButtonEntryCount) return std::nullopt;
      return ButtonEntryIndex(number);
    case DetectedInput::Kind::AxisDirection:
      if (number < 0 || number >= static_cast<int>(kAxisNames.size())) return std::nullopt;
      return AxisDirectionEntryIndex(static_cast<std::size_t>(number), input.towardsMax != swapped);
    case DetectedInput::Kind::HatDirection:
      if (number < 0 || number >= static_cast<int>(kPOVDirections.size())) return std::nullopt;
      return POVEntryIndex(static_cast<std::size_t>(number));
  }
  return std::nullopt;
}

std::string_view PartnerDirection(std::string_view direction) {
  constexpr std::array<std::array<std::string_view, 2>, 4> kPartners = {
      {{"Left", "Right"}, {"Right", "Left"}, {"Up", "Down"}, {"Down", "Up"}}};
  for (const auto& pair : kPartners) {
    if (XMLNamesEqual(pair[0], direction)) return pair[1];
  }
  return {};
}

}  // namespace profileedit
