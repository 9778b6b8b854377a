// The shift buttons of a profile: "ShiftButtons" holds one "ShiftButton" per shift button, in
// shift-number order. Assignments stay with their shift number when buttons are removed or
// reordered: shift state k always belongs to whichever button is k-th.
#pragma once

#include <vector>

#include "xml/XMLNode.h"

namespace profileedit {

// The button numbers of the shift buttons, in shift-number order, as the shift list shows
// them: only buttons 1..32 (the list's entries), each once, as the engine counts them.
std::vector<int> ReadShiftButtons(const CXMLNode& root);

// Replaces "ShiftButtons" with a new element appended as the root's last child, holding one
// "ShiftButton" with "buttonNumber" per entry of `buttons`. Always changes the document.
void RebuildShiftButtons(CXMLNode& root, const std::vector<int>& buttons);

}  // namespace profileedit
