// Small text rules shared by the action classes and the action library: names compared
// without regard to ASCII case, numbers read from attribute values, and messages filled in
// at any length.
#pragma once

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

class CXMLNode;

namespace actions {

char FoldCase(char c);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The value of the first attribute of that name, or null.
const char* AttributeText(const CXMLNode& element, const char* name);

// The number at the start of `text`, as the program's files store numbers: optional white
// space, an optional sign, then decimal digits; text without digits reads as 0. Values beyond
// the range of int are clamped to it instead of overflowing.
int ReadDecimal(const char* text);
// ReadDecimal of `text` when that number lies within least..most; none when it does not, or
// lies beyond the range of int (ReadDecimal would clamp it): a value the program cannot take
// as written, which its reader reports as the file writes it.
std::optional<int> ReadDecimalWithin(const char* text, int least = INT_MIN, int most = INT_MAX);
// The value of a hexadecimal digit ("0"-"9", "a"-"f", "A"-"F"); 0 for any other character.
unsigned HexDigitValue(char c);
// The hexadecimal fold of key values: for each character the value is multiplied by 16 and the
// character's digit value added ("0"-"9", "a"-"f", "A"-"F"; any other character adds nothing but
// still shifts). Wraps modulo 2^32; callers keep the low byte.
unsigned FoldHexDigits(std::string_view text);
// ReadDecimal of the attribute of that name, or `fallback` when the element has none.
int DecimalAttribute(const CXMLNode& element, const char* name, int fallback);

// `pattern` with each "%s" replaced by the next argument, in order. The result holds the whole
// text however long the arguments are.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> args);

// Shows a problem found in an action element: no owner window, caption "XML Error", the error
// icon. The element is skipped by the caller.
void ShowXMLError(const std::string& text);

// Converts to int, truncating toward zero and clamping to the range of int (NaN gives 0), so
// that runaway settings never make an out-of-range conversion.
std::int32_t TruncateToInt(double value);

}  // namespace actions
