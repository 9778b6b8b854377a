#include "actions/TextRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/Platform.h"
#include "xml/XMLNode.h"

namespace actions {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names, keywords and file names follow the files' own rule for names.
bool EqualsIgnoringCase(std::string_view a, std::string_view b) { return XMLNamesEqual(a, b); }

const char* AttributeText(const CXMLNode& element, const char* name) {
  const CAttribute* attribute = element.FindAttribute(name);
  return attribute != nullptr ? attribute->GetValue() : nullptr;
}

namespace {

// The number at the start of `text` as a long long, its magnitude stopped just beyond the range
// of int (so that it never overflows and a value beyond the range stays beyond it).
long long ReadWideDecimal(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  constexpr long long kBeyond = static_cast<long long>(std::numeric_limits<int>::max()) + 2;
  long long magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > kBeyond) magnitude = kBeyond;
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace

int ReadDecimal(const char* text) {
  const long long value = ReadWideDecimal(text);
  return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

std::optional<int> ReadDecimalWithin(const char* text, int least, int most) {
  const long long value = ReadWideDecimal(text);
  if (value < least || value > most) return std::nullopt;
  return static_cast<int>(value);
}

unsigned HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return 0;
}

unsigned FoldHexDigits(std::string_view text) {
  unsigned result = 0;
  for (const char c : text) result = (result << 4) + HexDigitValue(c);
  return result;
}

int DecimalAttribute(const CXMLNode& element, const char* name, int fallback) {
  const char* text = AttributeText(element, name);
  return text != nullptr ? ReadDecimal(text) : fallback;
}

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
        next != args.end()) {
      out.append(*next++);
      ++i;
    } else {
      out.push_back(pattern[i]);
    }
  }
  return out;
}

void ShowXMLError(const std::string& text) { seam::ShowError(text, "XML Error"); }

std::int32_t TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = static_cast<double>(std::numeric_limits<std::int32_t>::max());
  constexpr double kMin = static_cast<double>(std::numeric_limits<std::int32_t>::min());
  if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
  if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

}  // namespace actions
