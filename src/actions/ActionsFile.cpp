// The actions file: reading it into the library and building its tree from the library.
#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "actions/ActionIndex.h"
#include "actions/ActionLibrary.h"
#include "actions/CombinationBuilder.h"
#include "actions/ComplexAction.h"
#include "actions/LibraryCommit.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/TextRules.h"
#include "actions/VKAction.h"
#include "platform/Platform.h"
#include "xml/XMLLoad.h"
#include "xml/XMLNode.h"
#include "xml/XMLSave.h"

namespace {

// The actions read from a file so far, before they join the library. Lookups see these and,
// when the file adds to the library rather than replacing it, the library's own actions, just
// as if every action had joined the library as soon as it was read.
class CStagedActions {
 public:
  explicit CStagedActions(bool seeLibrary) : seeLibrary_(seeLibrary) {}

  // Keeps the action unless its theme and name are taken: then it is reported and dropped.
  bool Stage(std::unique_ptr<CAction> action, const char* elementName) {
    if (Taken(action->GetTheme(), action->GetName())) {
      actions::ShowXMLError(actions::FillIn(
          "The %s \"%s\" of the theme \"%s\" is skipped: an action with that theme and name "
          "comes before it.",
          {elementName, action->GetName(), action->GetTheme()}));
      return false;
    }
    index_.Add(action.get());
    actions_.push_back(std::move(action));
    return true;
  }

  // The file's own action of that theme and name, unless the library's comes first.
  const CAction* InFile(const std::string& theme, const std::string& name) const {
    if (seeLibrary_ && ActionExists(theme.c_str(), name.c_str())) return nullptr;
    return index_.Find(theme, name);
  }

  std::unique_ptr<CAction> Resolve(const char* theme, const char* name) const {
    if (seeLibrary_) {
      if (auto clone = CloneAction(theme, name)) return clone;
    }
    const CAction* staged = index_.Find(theme, name);
    return staged != nullptr ? staged->Clone() : nullptr;
  }

  // The staged actions in order, but for those dropped (combinations that could not be built).
  std::vector<std::unique_ptr<CAction>> Take(const std::vector<const CComplexAction*>& dropped) {
    const std::unordered_set<const CAction*> gone(dropped.begin(), dropped.end());
    std::erase_if(actions_, [&gone](const auto& action) { return gone.count(action.get()) != 0; });
    index_.Clear();
    return std::move(actions_);
  }

 private:
  bool Taken(const char* theme, const char* name) const {
    return index_.Find(theme, name) != nullptr || (seeLibrary_ && ActionExists(theme, name));
  }

  bool seeLibrary_;
  std::vector<std::unique_ptr<CAction>> actions_;
  actions::CActionIndex index_;
};

struct Group {
  const char* groupName;
  const char* elementName;
  std::unique_ptr<CAction> (*read)(const CXMLNode*);
};

// Key, mouse and wheel actions come before combinations, which may use any of them.
constexpr Group kSimpleGroups[] = {
    {"VKActions", "VKAction", ReadVKAction},
    {"MouseActions", "MouseAction", ReadMouseAction},
    {"MouseWheelActions", "MouseWheelAction", ReadMouseWheelAction},
};

template <typename Visit>
void ForEachChildNamed(const CXMLNode& parent, const char* name, Visit visit) {
  for (const auto& child : parent.Children()) {
    if (actions::EqualsIgnoringCase(child->Name(), name)) visit(*child);
  }
}

// Set by the last ReloadActions: its file could not be used.
std::atomic<bool> g_failedToLoad{false};

ActionsFileState LoadActionsFile(const char* path, bool replace, OnReloadFailure onFailure) {
  if (path == nullptr) return ActionsFileState::Missing;
  // The reader reports a file that cannot be opened or parsed, saying what and where.
  XMLReadResult read = LoadXMLDocument(path, XMLReport::Everything);
  std::unique_ptr<CXMLNode> root = std::move(read.root);
  if (!root) {
    if (replace && onFailure == OnReloadFailure::Clear) {
      g_failedToLoad = true;
      ClearActions();
    }
    return read.missing ? ActionsFileState::Missing : ActionsFileState::Unreadable;
  }
  if (replace) g_failedToLoad = false;
  // The root's own name is not checked. Every element an action is read from and that does not
  // join the library is counted: the file then holds more than the library it gave.
  std::size_t skipped = 0;
  CStagedActions staged(!replace);
  for (const Group& group : kSimpleGroups) {
    const CXMLNode* node = root->FindChild(group.groupName, nullptr);
    if (node == nullptr) continue;
    ForEachChildNamed(*node, group.elementName, [&](const CXMLNode& element) {
      auto action = group.read(&element);
      if (!action || !staged.Stage(std::move(action), group.elementName)) ++skipped;
    });
  }
  // Combinations are staged under their names first and get their parts once all are read, so
  // that each may use any other, before or after it in the file.
  std::vector<PendingCombination> pending;
  if (const CXMLNode* node = root->FindChild("ComplexActions", nullptr)) {
    ForEachChildNamed(*node, "ComplexAction", [&](const CXMLNode& element) {
      std::optional<ComplexActionElement> combination = ReadComplexActionElement(element);
      CComplexAction* action = combination ? combination->action.get() : nullptr;
      if (!combination || !staged.Stage(std::move(combination->action), "ComplexAction")) {
        ++skipped;
        return;
      }
      pending.push_back({action, std::move(combination->entries)});
    });
  }
  const CombinationParts parts{
      [&staged](const std::string& theme, const std::string& name) {
        return staged.InFile(theme, name);
      },
      [&staged](const char* theme, const char* name) { return staged.Resolve(theme, name); }};
  const std::vector<const CComplexAction*> failed = BuildCombinations(pending, parts);
  skipped += failed.size();
  root.reset();
  // Freed here, after the library lock is released.
  std::vector<std::unique_ptr<CAction>> leftovers =
      actions::CommitToLibrary(staged.Take(failed), replace);
  return skipped == 0 ? ActionsFileState::Read : ActionsFileState::ReadInPart;
}

// Builds the "ComplexActions" group: library order, except that each combination is preceded
// by every combination it uses that is not written yet (so the file loads back whole).
class CCombinationWriter {
 public:
  CCombinationWriter(std::vector<const CComplexAction*> combinations, CXMLNode& group)
      : combinations_(std::move(combinations)),
        state_(combinations_.size(), kUnwritten),
        group_(group) {
    for (std::size_t i = 0; i < combinations_.size(); ++i) {
      index_.Add(const_cast<CComplexAction*>(combinations_[i]));
      position_[combinations_[i]] = i;
    }
  }

  void WriteAll() {
    for (std::size_t i = 0; i < combinations_.size(); ++i) Write(i);
  }

 private:
  enum State { kUnwritten, kWriting, kWritten };

  void Write(std::size_t i) {
    if (state_[i] != kUnwritten) return;  // written, or a cycle back to one being written
    state_[i] = kWriting;
    std::vector<std::size_t> used;
    for (const auto& part : combinations_[i]->GetActions()) {
      if (const CAction* target = index_.Find(part->GetTheme(), part->GetName())) {
        const std::size_t j = position_.at(target);
        if (state_[j] == kUnwritten) used.push_back(j);
      }
    }
    std::sort(used.begin(), used.end());
    for (const std::size_t j : used) Write(j);
    group_.AddChild(combinations_[i]->CreateXMLNode());
    state_[i] = kWritten;
  }

  std::vector<const CComplexAction*> combinations_;
  std::vector<State> state_;
  CXMLNode& group_;
  actions::CActionIndex index_;
  std::unordered_map<const CAction*, std::size_t> position_;
};

}  // namespace

ActionsFileState LoadActions(const char* path) {
  return LoadActionsFile(path, false, OnReloadFailure::Keep);
}

ActionsFileState ReloadActions(const char* path, OnReloadFailure onFailure) {
  return LoadActionsFile(path, true, onFailure);
}

bool ActionLibraryFailedToLoad() { return g_failedToLoad; }

void ClearActionsForUnusableFile() {
  g_failedToLoad = true;
  ClearActions();
}

std::unique_ptr<CXMLNode> CreateActionsXML() {
  auto root = std::make_unique<CXMLNode>("Actions");
  CXMLNode* keys = root->AddChild(std::make_unique<CXMLNode>("VKActions"));
  CXMLNode* moves = root->AddChild(std::make_unique<CXMLNode>("MouseActions"));
  CXMLNode* wheels = root->AddChild(std::make_unique<CXMLNode>("MouseWheelActions"));
  CXMLNode* combos = root->AddChild(std::make_unique<CXMLNode>("ComplexActions"));

  auto lock = LockActionLibrary();
  std::vector<const CComplexAction*> combinations;
  for (const CAction* action : actions::SnapshotLibraryLocked()) {
    if (dynamic_cast<const CVKAction*>(action) != nullptr) {
      keys->AddChild(action->CreateXMLNode());
    } else if (dynamic_cast<const CMouseAction*>(action) != nullptr) {
      moves->AddChild(action->CreateXMLNode());
    } else if (dynamic_cast<const CMouseWheelAction*>(action) != nullptr) {
      wheels->AddChild(action->CreateXMLNode());
    } else if (const auto* complex = dynamic_cast<const CComplexAction*>(action)) {
      combinations.push_back(complex);
    }
  }
  CCombinationWriter(std::move(combinations), *combos).WriteAll();
  return root;
}

XMLSaveResult SaveActions(const char* path) {
  if (path == nullptr) return {};
  const std::unique_ptr<CXMLNode> root = CreateActionsXML();
  return SaveXMLFile(*root, seam::ResolveProgramPath(path));
}
