#include "actions/CombinationBuilder.h"

#include <cstddef>
#include <optional>
#include <unordered_map>

#include "actions/TextRules.h"

namespace {

class CCombinationBuilder {
 public:
  CCombinationBuilder(const std::vector<PendingCombination>& pending, const CombinationParts& parts)
      : pending_(pending), parts_(parts), state_(pending.size(), State::Waiting) {
    for (std::size_t i = 0; i < pending_.size(); ++i) position_[pending_[i].action] = i;
  }

  std::vector<const CComplexAction*> BuildAll() {
    for (std::size_t i = 0; i < pending_.size(); ++i) {
      if (state_[i] == State::Waiting) Walk(i);
    }
    std::vector<const CComplexAction*> failed;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
      if (state_[i] == State::Failed) failed.push_back(pending_[i].action);
    }
    return failed;
  }

 private:
  enum class State { Waiting, Walking, Built, Failed };
  struct Frame {
    std::size_t combination;
    std::size_t nextEntry;
  };

  // Depth first from `start`: each combination is built once every pending combination it uses
  // is built or has failed.
  void Walk(std::size_t start) {
    Push(start);
    while (!stack_.empty()) {
      const Frame top = stack_.back();
      const std::vector<CombinedActionEntry>& entries = pending_[top.combination].entries;
      if (top.nextEntry == entries.size()) {
        stack_.pop_back();
        state_[top.combination] = Build(top.combination) ? State::Built : State::Failed;
        continue;
      }
      const std::optional<std::size_t> used = PendingNamed(entries[top.nextEntry]);
      if (used && state_[*used] == State::Waiting) {
        Push(*used);  // this entry is looked at again once that one is done
      } else if (used && state_[*used] == State::Walking) {
        DropCycle(*used);
      } else {
        ++stack_.back().nextEntry;
      }
    }
  }

  void Push(std::size_t combination) {
    state_[combination] = State::Walking;
    stack_.push_back({combination, 0});
  }

  // The pending combination an entry names, if it names one.
  std::optional<std::size_t> PendingNamed(const CombinedActionEntry& entry) const {
    const auto found = position_.find(parts_.inFile(entry.theme, entry.name));
    if (found == position_.end()) return std::nullopt;
    return found->second;
  }

  // `first` is on the stack and the top uses it: the frames from it up form a cycle, each using
  // the next and the top using `first`. All of them fail, and the frame below (which uses
  // `first`) finds it failed.
  void DropCycle(std::size_t first) {
    std::size_t bottom = stack_.size() - 1;
    while (stack_[bottom].combination != first) --bottom;
    std::string names;
    for (std::size_t i = bottom; i < stack_.size(); ++i) {
      const bool last = i + 1 == stack_.size();
      names += std::string(i == bottom ? ""
                           : last      ? " and "
                                       : ", ") +
               "\"" + pending_[stack_[i].combination].action->GetName() + "\"";
      state_[stack_[i].combination] = State::Failed;
    }
    actions::ShowXMLError(bottom + 1 == stack_.size()
                              ? "The ComplexAction " + names + " uses itself."
                              : "The ComplexActions " + names + " use each other in a cycle.");
    stack_.resize(bottom);
  }

  bool Build(std::size_t combination) {
    const PendingCombination& built = pending_[combination];
    for (const CombinedActionEntry& entry : built.entries) {
      const std::optional<std::size_t> used = PendingNamed(entry);
      if (used && state_[*used] == State::Failed) {
        actions::ShowXMLError(actions::FillIn(
            "The ComplexAction \"%s\" uses the ComplexAction \"%s\", which could not be read.",
            {built.action->GetName(), entry.name}));
        return false;
      }
    }
    return ResolveCombinedActions(*built.action, built.entries, parts_.resolve);
  }

  const std::vector<PendingCombination>& pending_;
  const CombinationParts& parts_;
  std::vector<State> state_;
  std::unordered_map<const CAction*, std::size_t> position_;
  std::vector<Frame> stack_;
};

}  // namespace

std::vector<const CComplexAction*> BuildCombinations(const std::vector<PendingCombination>& pending,
                                                     const CombinationParts& parts) {
  return CCombinationBuilder(pending, parts).BuildAll();
}
