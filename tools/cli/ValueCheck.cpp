#include "ValueCheck.h"

#include <climits>
#include <cstdio>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>

#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/TextRules.h"
#include "actions/VKAction.h"
#include "platform/Findings.h"
#include "platform/Platform.h"
#include "platform/XKeyTable.h"
#include "xml/XMLNode.h"

namespace {

using actions::AttributeText;
using actions::DecimalAttribute;

std::string Quoted(const char* text) {
  std::string quoted = "\"";
  quoted += text != nullptr ? text : "";
  quoted += '"';
  return quoted;
}

std::string Folded(const char* text) {
  std::string folded(text != nullptr ? text : "");
  for (char& c : folded) c = actions::FoldCase(c);
  return folded;
}

// Every child of `parent` with that name, in document order.
template <typename Visit>
void ForEach(const CXMLNode* parent, const char* name, Visit visit) {
  if (parent == nullptr) return;
  for (const CXMLNode* c = parent->FindChild(name, nullptr); c; c = parent->FindChild(name, c)) {
    visit(*c);
  }
}

// Whether the program's reader takes the element: one it refuses is the program's own message
// (shown by the load), never a silent problem. The reader's messages are dropped here.
bool ProgramReads(const CXMLNode& element, std::unique_ptr<CAction> (*read)(const CXMLNode*)) {
  seam::ScopedFindings dropped;
  return read(&element) != nullptr;
}

// The number the program takes from the attribute; none when the element has none or the
// program refuses it (and says so).
std::optional<int> Taken(const CXMLNode& element, const char* name, int least = INT_MIN) {
  const char* text = AttributeText(element, name);
  return text != nullptr ? actions::ReadDecimalWithin(text, least) : std::nullopt;
}

class ProfileValues {
 public:
  std::vector<std::string> Check(const CXMLNode& root) {
    // A delay the program refuses is its own message, not a silent problem.
    const int delay = Taken(root, "Delay", 0).value_or(30);
    if (delay > kLongestUsefulPollingDelay) {
      Add("The polling delay " + std::to_string(delay) + " ms is outside 0.." +
          std::to_string(kLongestUsefulPollingDelay) + ": the controller is in effect never read.");
    }
    ForEach(root.FindChild("ShiftButtons", nullptr), "ShiftButton", [&](const CXMLNode& shift) {
      const int number = DecimalAttribute(shift, "ButtonNumber", 1);
      if (number > kCheckedButtons) {
        Add("The shift button " + std::to_string(number) + " is beyond the " +
            std::to_string(kCheckedButtons) + " buttons a controller can have: it is ignored.");
      }
    });
    ForEach(root.FindChild("Axes", nullptr), "Axis", [&](const CXMLNode& axis) { Axis(axis); });
    ForEach(root.FindChild("Buttons", nullptr), "Button", [&](const CXMLNode& button) {
      const std::string what = "button " + std::to_string(DecimalAttribute(button, "number", 0));
      Lists(button, what);
    });
    ForEach(root.FindChild("POV", nullptr), "Direction", [&](const CXMLNode& direction) {
      Lists(direction, "POV direction " + Quoted(AttributeText(direction, "name")));
    });
    return std::move(findings_);
  }

 private:
  void Add(std::string text) { findings_.push_back(std::move(text)); }

  void Axis(const CXMLNode& axis) {
    const std::string what = "The axis " + Quoted(AttributeText(axis, "name"));
    const struct {
      const char* name;
      int least;  // what the program takes
      const char* effect;
    } widths[] = {{"Sensitivity", INT_MIN, "it never moves"},
                  {"Threshold", 0, "its actions never run"}};
    for (const auto& w : widths) {
      const std::optional<int> taken = Taken(axis, w.name, w.least);
      const int value = taken.value_or(0);
      if (taken && (value < 0 || value >= kCheckedAxisRange)) {
        Add(what + " has the " + Folded(w.name) + " " + std::to_string(value) + ", outside 0.." +
            std::to_string(kCheckedAxisRange - 1) + ": " + w.effect + ".");
      }
    }
    ForEach(&axis, "Direction", [&](const CXMLNode& direction) {
      const std::string side = what + " direction " + Quoted(AttributeText(direction, "Name"));
      std::set<std::tuple<int, std::string, std::string, int>> seen;
      ForEach(direction.FindChild("Actions", nullptr), "Action", [&](const CXMLNode& action) {
        const int percent = DecimalAttribute(action, "percent", 0);
        if (percent < 0 || percent > 100) {
          Add(side + " has an action at " + std::to_string(percent) +
              " percent, outside 0..100: it never runs.");
        }
        if (!seen.emplace(DecimalAttribute(action, "Number", 0),
                          Folded(AttributeText(action, "Theme")),
                          Folded(AttributeText(action, "Name")), percent)
                 .second) {
          Add(side + " binds the action " + Quoted(AttributeText(action, "Name")) +
              " twice at one percent and shift state.");
        }
      });
    });
  }

  // The press and release lists of a button or POV direction: an action twice in one list and
  // shift state runs twice on one press.
  void Lists(const CXMLNode& element, const std::string& what) {
    for (const char* list : {"Actions", "ReleaseActions"}) {
      std::set<std::tuple<int, std::string, std::string>> seen;
      ForEach(element.FindChild(list, nullptr), "Action", [&](const CXMLNode& action) {
        const int state = DecimalAttribute(action, "number", 0);
        if (!seen.emplace(state, Folded(AttributeText(action, "Theme")),
                          Folded(AttributeText(action, "name")))
                 .second) {
          Add("The " + what + " binds the action " + Quoted(AttributeText(action, "name")) +
              " twice in shift state " + std::to_string(state) + ".");
        }
      });
    }
  }

  std::vector<std::string> findings_;
};

}  // namespace

std::vector<std::string> ProfileValueFindings(const CXMLNode& profile) {
  return ProfileValues().Check(profile);
}

std::vector<std::string> ActionValueFindings(const CXMLNode& actions) {
  std::vector<std::string> findings;
  const auto check = [&](const CXMLNode& action, const char* name, int fallback, int lowest,
                         const char* effect) {
    const int value = DecimalAttribute(action, name, fallback);
    if (value < lowest) {
      findings.push_back("The " + std::string(action.GetName()) + " " +
                         Quoted(AttributeText(action, "name")) + " has the " + Folded(name) + " " +
                         std::to_string(value) + ", below " + std::to_string(lowest) + ": " +
                         effect + ".");
    }
  };
  ForEach(actions.FindChild("MouseActions", nullptr), "MouseAction", [&](const CXMLNode& a) {
    if (!ProgramReads(a, ReadMouseAction)) return;
    check(a, "Speed", 1, 1, "the pointer does not move");
    check(a, "Acceleration", 0, 0, "the pointer slows down and stops");
  });
  ForEach(actions.FindChild("MouseWheelActions", nullptr), "MouseWheelAction",
          [&](const CXMLNode& a) {
            if (ProgramReads(a, ReadMouseWheelAction))
              check(a, "lines", 1, 1, "the wheel does not turn as named");
          });
  return findings;
}

std::vector<std::string> LinuxKeyFindings(const CXMLNode& actions) {
  std::vector<std::string> findings;
  ForEach(actions.FindChild("VKActions", nullptr), "VKAction", [&](const CXMLNode& a) {
    const char* value = AttributeText(a, "value");
    const std::optional<unsigned char> key = ReadKeyValue(value != nullptr ? value : "");
    if (!key) return;  // the program refuses the action; its message says so
    if (seam::XCanSendVirtualKey(*key)) return;
    char code[8];
    std::snprintf(code, sizeof code, "0x%x", static_cast<unsigned>(*key));
    findings.push_back("The VKAction " + Quoted(AttributeText(a, "name")) + " sends the key " +
                       code + ", which tandrel on Linux cannot send: no X key stands for it.");
  });
  return findings;
}
