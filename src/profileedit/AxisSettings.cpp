#include "profileedit/AxisSettings.h"

#include <algorithm>
#include <memory>

#include "profileedit/DocumentEdits.h"
#include "profileedit/ElementEntries.h"
#include "profileedit/ProfileDocument.h"

namespace profileedit {

namespace {

bool BeginsIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && XMLNamesEqual(text.substr(0, prefix.size()), prefix);
}

bool SetLeastNumber(CXMLNode& root, std::string_view axisName, std::string_view typed,
                    const char* attribute, int least, NumberSource source) {
  const int value = std::max(EditNumber(typed).value_or(least), least);
  const bool created = FindAxisElement(root, axisName) == nullptr;
  CXMLNode& axis = FindOrCreateAxis(root, axisName);
  const char* stored = AttributeText(axis, attribute);
  if (stored != nullptr && source == NumberSource::Shown) return created;
  if (stored != nullptr && NumberAttribute(axis, attribute, 0) == value) return created;
  return SetAttribute(axis, attribute, std::to_string(value)) || created;
}

bool RenameDirections(CXMLNode& axis, bool vertical) {
  const std::string_view from[2] = {vertical ? "Left" : "Up", vertical ? "Right" : "Down"};
  const std::string_view to[2] = {vertical ? "Up" : "Left", vertical ? "Down" : "Right"};
  bool changed = false;
  for (CXMLNode* direction = axis.FindChild("Direction", nullptr); direction != nullptr;
       direction = axis.FindChild("Direction", direction)) {
    CAttribute* name = direction->FindAttribute("name");
    for (int side = 0; name != nullptr && side < 2; ++side) {
      if (XMLNamesEqual(name->Value(), from[side])) {
        name->SetValue(std::string(to[side]));
        changed = true;
        break;
      }
    }
  }
  return changed;
}

}  // namespace

CXMLNode* FindAxisElement(const CXMLNode& root, std::string_view axisName) {
  const CXMLNode* axes = root.FindChild("Axes", nullptr);
  return axes != nullptr ? FindChildNamed(*axes, "Axis", "Name", axisName) : nullptr;
}

NewAxisNumbers NewAxisSettings(const CXMLNode& root) {
  NewAxisNumbers numbers;
  bool threshold = false, sensitivity = false;
  const CXMLNode* axes = root.FindChild("Axes", nullptr);
  for (const CXMLNode* axis = axes != nullptr ? axes->FindChild("Axis", nullptr) : nullptr;
       axis != nullptr && !(threshold && sensitivity); axis = axes->FindChild("Axis", axis)) {
    if (!threshold && AttributeText(*axis, "threshold") != nullptr) {
      numbers.threshold = std::max(NumberAttribute(*axis, "threshold", 0), kDefaultThreshold);
      threshold = true;
    }
    if (!sensitivity && AttributeText(*axis, "sensitivity") != nullptr) {
      numbers.sensitivity = std::max(NumberAttribute(*axis, "sensitivity", 0), kDefaultSensitivity);
      sensitivity = true;
    }
  }
  return numbers;
}

CXMLNode& FindOrCreateAxis(CXMLNode& root, std::string_view axisName, bool vertical) {
  if (CXMLNode* axis = FindAxisElement(root, axisName)) return *axis;
  const NewAxisNumbers numbers = NewAxisSettings(root);
  CXMLNode& axis = AppendChild(FindOrAppendChild(root, "Axes"), "Axis", "name", axisName);
  axis.AddAttribute("sensitivity", std::to_string(numbers.sensitivity));
  axis.AddAttribute("threshold", std::to_string(numbers.threshold));
  axis.AddAttribute("type", vertical ? kVerticalAxisText : kHorizontalAxisText);
  return axis;
}

AxisSettings ReadAxisSettings(const CXMLNode& root, std::string_view axisName) {
  AxisSettings settings;
  const CXMLNode* axis = FindAxisElement(root, axisName);
  if (axis == nullptr) {
    const NewAxisNumbers numbers = NewAxisSettings(root);
    settings.threshold = std::to_string(numbers.threshold);
    settings.sensitivity = std::to_string(numbers.sensitivity);
    return settings;
  }
  settings.threshold = NumberBoxText(*axis, "threshold", kDefaultThreshold);
  settings.sensitivity = NumberBoxText(*axis, "sensitivity", kDefaultSensitivity);
  if (const char* type = AttributeText(*axis, "type")) {
    settings.typeEntry.reset();
    for (std::size_t i = 0; i < kAxisTypeTexts.size() && !settings.typeEntry; ++i) {
      if (BeginsIgnoringCase(kAxisTypeTexts[i], type)) settings.typeEntry = i;
    }
  }
  const char* swapped = AttributeText(*axis, "swapped");
  settings.swapped = swapped != nullptr && XMLNamesEqual(swapped, "true");
  return settings;
}

bool IsVerticalAxis(const CXMLNode& root, std::string_view axisName) {
  const CXMLNode* axis = FindAxisElement(root, axisName);
  const char* type = axis != nullptr ? AttributeText(*axis, "type") : nullptr;
  return type != nullptr && XMLNamesEqual(type, kVerticalAxisText);
}

bool SetAxisThreshold(CXMLNode& root, std::string_view axisName, std::string_view typed,
                      NumberSource source) {
  return SetLeastNumber(root, axisName, typed, "threshold", kDefaultThreshold, source);
}

bool SetAxisSensitivity(CXMLNode& root, std::string_view axisName, std::string_view typed,
                        NumberSource source) {
  return SetLeastNumber(root, axisName, typed, "sensitivity", kDefaultSensitivity, source);
}

bool SetAxisSwapped(CXMLNode& root, std::string_view axisName, bool swapped) {
  const bool created = FindAxisElement(root, axisName) == nullptr;
  CXMLNode& axis = FindOrCreateAxis(root, axisName);
  const bool edited =
      swapped ? SetAttribute(axis, "swapped", "true") : RemoveAttribute(axis, "swapped");
  return created || edited;
}

bool SetAxisType(CXMLNode& root, std::string_view axisName, bool vertical) {
  CXMLNode& axis = FindOrCreateAxis(root, axisName);
  const bool typed = SetAttribute(axis, "type", vertical ? kVerticalAxisText : kHorizontalAxisText);
  return SetAxisOrientation(root, axisName, vertical) || typed;
}

bool SetAxisOrientation(CXMLNode& root, std::string_view axisName, bool vertical) {
  CXMLNode* axis = FindAxisElement(root, axisName);
  return axis != nullptr && RenameDirections(*axis, vertical);
}

std::vector<AxisOrientation> PrepareAxesForEditing(CXMLNode& root) {
  std::vector<AxisOrientation> shown;
  const CXMLNode* axes = root.FindChild("Axes", nullptr);
  if (axes == nullptr) return shown;
  for (CXMLNode* axis = axes->FindChild("Axis", nullptr); axis != nullptr;
       axis = axes->FindChild("Axis", axis)) {
    const char* name = AttributeText(*axis, "name");
    if (name == nullptr) continue;
    if (AttributeText(*axis, "type") == nullptr) axis->AddAttribute("type", "horizontal");
    const std::string type = AttributeText(*axis, "type");
    const bool vertical = XMLNamesEqual(type, kVerticalAxisText);
    if (!vertical && !XMLNamesEqual(type, kHorizontalAxisText)) continue;
    RenameDirections(*axis, vertical);
    shown.push_back({name, vertical});
  }
  return shown;
}

}  // namespace profileedit
