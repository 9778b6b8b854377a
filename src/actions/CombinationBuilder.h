// The combinations of one actions file, given their parts so that their order in the file does
// not matter: a combination may use any action of the library or of the file, and any other
// combination of the file, listed before or after it. A combination gets its parts once every
// combination it uses has its own. What cannot be built is reported ("XML Error") and dropped:
// - an entry that names no action: "The ComplexAction "<name>" asked for an undefined action:
//   "<part>"." (ResolveCombinedActions), likewise a combination that presses too many actions;
// - combinations that use each other in a cycle, once per cycle, in the order in which each uses
//   the next and the last the first: "The ComplexActions "A", "B" and "C" use each other in a
//   cycle.", or "The ComplexAction "A" uses itself.";
// - a combination that uses a dropped one: "The ComplexAction "<name>" uses the ComplexAction
//   "<part>", which could not be read."
//
// The work grows with the number of entries, and a chain of combinations of any length is
// walked on a stack of its own, not on the call stack.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "actions/ComplexAction.h"

// A combination of the file, staged under its theme and name but without its parts yet.
struct PendingCombination {
  CComplexAction* action;
  std::vector<CombinedActionEntry> entries;
};

// Where the combinations of a file find their parts.
struct CombinationParts {
  // The action of the file that an entry's theme and name stand for (a pending combination
  // among them); null when there is none, or when the library's own action of that name is the
  // one that counts.
  std::function<const CAction*(const std::string& theme, const std::string& name)> inFile;
  // A private copy of the action an entry names, wherever it is; null when there is none.
  ActionResolver resolve;
};

// Gives every pending combination its parts, in the order of their uses. Returns those that
// could not be built, after their messages, for the caller to drop.
std::vector<const CComplexAction*> BuildCombinations(const std::vector<PendingCombination>& pending,
                                                     const CombinationParts& parts);
