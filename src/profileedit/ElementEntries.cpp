#include "profileedit/ElementEntries.h"

#include <algorithm>

#include "actions/TextRules.h"
#include "engine/InputDetector.h"
#include "xml/XMLNode.h"

namespace profileedit {

namespace {

constexpr std::string_view kPOVPrefix = "POV ";
constexpr std::string_view kButtonPrefix = "Button ";
constexpr std::size_t kAxisNameLength = 6;  // "X Axis"

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::string ButtonEntryText(int number) { return "Button " + std::to_string(number); }

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

std::vector<std::string> ElementEntryTexts() {
  std::vector<std::string> texts;
  for (int n = 1; n <= kButtonEntryCount; ++n) texts.push_back(ButtonEntryText(n));
  for (const char* axis : kAxisNames) {
    for (auto& text : AxisEntryTexts(axis, false)) texts.push_back(std::move(text));
  }
  for (const char* direction : kPOVDirections) texts.push_back("POV " + std::string(direction));
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

std::optional<std::size_t> DetectedEntryIndex(const DetectedInput& input, bool swapped) {
  const int number = input.number;
  switch (input.kind) {
    case DetectedInput::Kind::Button:
      if (number < 1 || number > kButtonEntryCount) return std::nullopt;
      return static_cast<std::size_t>(number - 1);
    case DetectedInput::Kind::AxisDirection:
      if (number < 0 || number >= static_cast<int>(kAxisNames.size())) return std::nullopt;
      return kButtonEntryCount + 2 * static_cast<std::size_t>(number) +
             (input.towardsMax != swapped ? 1 : 0);
    case DetectedInput::Kind::HatDirection:
      if (number < 0 || number >= static_cast<int>(kPOVDirections.size())) return std::nullopt;
      return kButtonEntryCount + 2 * kAxisNames.size() + static_cast<std::size_t>(number);
  }
  return std::nullopt;
}

std::optional<ElementTarget> ParseElementEntry(std::string_view text) {
  ElementTarget target;
  if (text.find("Axis") != std::string_view::npos) {
    const std::size_t blank = text.find(' ');
    if (text.size() <= kAxisNameLength || blank == 0 || blank == std::string_view::npos) {
      return std::nullopt;
    }
    target.kind = TargetKind::AxisDirection;
    target.axis = text.substr(text.size() - kAxisNameLength);
    target.direction = text.substr(0, blank);
    return target;
  }
  if (text.starts_with(kPOVPrefix) && text.size() > kPOVPrefix.size()) {
    target.kind = TargetKind::POVDirection;
    target.direction = text.substr(kPOVPrefix.size());
    return target;
  }
  const std::string_view digits = text.substr(std::min(text.size(), kButtonPrefix.size()));
  if (text.starts_with(kButtonPrefix) && AllDigits(digits) && digits.size() <= 9) {
    target.button = actions::ReadDecimal(std::string(digits).c_str());
    if (target.button >= 1) return target;
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
