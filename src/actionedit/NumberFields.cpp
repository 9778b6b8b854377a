#include "actionedit/NumberFields.h"

#include <algorithm>

#include "actions/MouseAction.h"

namespace actionedit {

namespace {

// The digits of a digits-only box; a text longer than any box allows saturates.
long long DigitsValue(std::string_view typed) {
  long long value = 0;
  for (const char c : typed) {
    if (c < '0' || c > '9') break;
    value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
  }
  return value;
}

}  // namespace

int StoredNumber(const NumberField& field, std::string_view typed) {
  if (typed.empty()) return field.whenEmpty;
  return static_cast<int>(std::clamp<long long>(DigitsValue(typed), field.least, field.most));
}

int StoredDirection(std::string_view typed) {
  return CMouseAction::NormalDirection(DigitsValue(typed));
}

}  // namespace actionedit
