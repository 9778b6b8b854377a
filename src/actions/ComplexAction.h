// A combination: several actions (its parts) that one input triggers together, such as Ctrl
// and V as one chord. The parts are private copies of library actions, each with its own push
// type; pressing the combination presses them in order, releasing it releases them in reverse
// order. A part may itself be a combination. Stored as a "ComplexAction" element with one
// "CombinedAction" child per part.
//
// The list of parts is edited only on library templates (under the library's lock, see
// ActionLibrary.h) and on a combination being built; a pressed clone's parts never change.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "actions/Action.h"

class CComplexAction final : public CAction {
 public:
  CComplexAction(PushType type, const char* name);
  // Holds clones of `parts` (the caller keeps its list), then takes the given active flag.
  CComplexAction(PushType type, const std::vector<const CAction*>& parts, const char* name,
                 const char* theme, bool active);
  // Same push type, name, theme and active flag, with the parts cloned again.
  CComplexAction(const CComplexAction& other);
  ~CComplexAction() override;

  // Appends a clone of `action`; false, appending nothing, when there is none to append.
  bool AppendAction(const CAction* action);
  // Appends a part that is already a private copy.
  void AdoptAction(std::unique_ptr<CAction> part);
  void RemoveAllActions();
  // Deletes the part at that position; positions outside the list are ignored.
  void EraseAction(std::size_t position);
  // Deletes the first part that IsEqual to `action`, if any.
  void RemoveAction(const CAction* action);
  // A direct part has this theme and name (ignoring case); nested combinations are not searched.
  bool UsesAction(const char* theme, const char* name) const;
  // Replaces the parts by clones of `actions`; false when any append failed (the others stay).
  bool SetActions(const std::vector<const CAction*>& actions);
  const std::vector<std::unique_ptr<CAction>>& GetActions() const { return parts_; }
  // The actions this combination presses, counted through nested combinations, itself included.
  std::size_t CountNestedActions() const;

  // A combination read from a file may press at most this many actions in all: nesting lets a
  // small file describe a combination that doubles with every level.
  static constexpr std::size_t kMaxNestedActions = 256;

  void OnTimer() override {}  // the parts run their own timers
  std::unique_ptr<CAction> Clone() const override;
  bool IsEqual(const CAction* other) const override;
  const char* ElementName() const override { return "ComplexAction"; }
  void Start(CMouseSpeedData* speed) override;
  void Stop(CMouseSpeedData* speed) override;
  void WriteAttributes(CXMLNode* element) const override;

 private:
  std::vector<std::unique_ptr<CAction>> parts_;  // in press order
};

// Finds the action a "CombinedAction" names and returns a private copy of it, or null.
using ActionResolver = std::function<std::unique_ptr<CAction>(const char* theme, const char* name)>;

// One "CombinedAction" entry: the action it names, and the push type it gives that part (None:
// the action's own).
struct CombinedActionEntry {
  std::string theme;
  std::string name;
  PushType type = PushType::None;
};

// A "ComplexAction" element read without its parts: the combination (push type, name and theme,
// no parts yet) and the entries that name its parts. An entry without "Theme" is left out.
struct ComplexActionElement {
  std::unique_ptr<CComplexAction> action;
  std::vector<CombinedActionEntry> entries;
};

// Reads the element itself; none, after its message ("XML Error"), when the element is wrong:
// no name, an unknown type, an entry with no name or with an unknown type.
std::optional<ComplexActionElement> ReadComplexActionElement(const CXMLNode& element);

// Gives `action` one part per entry, in order, each a private copy from `resolve` with the
// entry's push type. False, after the message, when an entry names no action ("asked for an
// undefined action") or the combination would press more than kMaxNestedActions in all; the
// combination then has no parts and must be dropped.
bool ResolveCombinedActions(CComplexAction& action, const std::vector<CombinedActionEntry>& entries,
                            const ActionResolver& resolve);

// Reads a "ComplexAction" element, resolving its parts in the action library; null (after its
// message) when the element is rejected. The actions file reads its combinations in any order
// (CombinationBuilder.h).
std::unique_ptr<CAction> ReadComplexAction(const CXMLNode* element);
