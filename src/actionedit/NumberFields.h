// What the number boxes of the property panels store for the text typed in them. While the
// user types, a box keeps the text; when the user leaves it, it shows the stored value, so that
// what the box says is what Save writes and what the engine uses.
#pragma once

#include <string_view>

namespace actionedit {

// A box whose value the engine needs within a range: a wheel that turns no lines, a pointer
// that moves at no speed, or a repeating step with no delay, would never do anything the user
// sees.
struct NumberField {
  int least;
  int most;
  int whenEmpty;  // the action's default
};

inline constexpr NumberField kWheelLines{1, 9, 3};
inline constexpr NumberField kUpdateDelay{1, 999, 30};
inline constexpr NumberField kMouseSpeed{1, 999, 70};

// The typed digits clamped into the field's range; `whenEmpty` for an empty box.
int StoredNumber(const NumberField& field, std::string_view typed);

// A mouse direction in degrees clockwise from up, as the action stores it: 0 to 359 (999
// degrees are 279); 0 for an empty box.
int StoredDirection(std::string_view typed);

}  // namespace actionedit
