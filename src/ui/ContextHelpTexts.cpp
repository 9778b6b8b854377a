#include "ui/ContextHelpTexts.h"

#include "resource.h"

namespace ui {

std::optional<std::string> CContextHelpTexts::Find(int context) const {
  const long id = static_cast<long>(IDS_CONTEXT_HELP(static_cast<long>(context)));
  if (id < 1 || id > 0xFFFF) return std::nullopt;  // string identifiers are 16-bit
  // With no buffer, LoadStringW hands out the resource's own text, whatever its length.
  const wchar_t* text = nullptr;
  const int length =
      LoadStringW(instance_, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return std::nullopt;
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

std::string CContextHelpTexts::TextOf(int context) const {
  if (std::optional<std::string> text = Find(context)) return *text;
  return Find(CONTEXT_HELP_NONE).value_or(std::string());
}

}  // namespace ui
