#include "ui/TemplateHelpIds.h"

#include <cstdint>
#include <cstring>

namespace ui {

namespace {

// Reads the extended dialog template (DIALOGEX) in place.
class TemplateReader {
 public:
  TemplateReader(const std::uint8_t* data, std::size_t size) : at_(data), end_(data + size) {}

  bool Has(std::size_t bytes) const { return static_cast<std::size_t>(end_ - at_) >= bytes; }
  template <typename T>
  T Read() {
    T value{};
    if (!Has(sizeof(T))) {
      at_ = end_;
      return value;
    }
    std::memcpy(&value, at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }
  void Skip(std::size_t bytes) { at_ = Has(bytes) ? at_ + bytes : end_; }
  // A zero-terminated UTF-16 string.
  void SkipString() {
    while (Has(2) && Read<std::uint16_t>() != 0) {
    }
  }
  // A resource name: 0xFFFF and an ordinal, or a string.
  void SkipNameOrOrdinal() {
    if (!Has(2)) return;
    std::uint16_t first = 0;
    std::memcpy(&first, at_, 2);
    if (first == 0xFFFF) {
      Skip(4);
    } else {
      SkipString();
    }
  }
  void AlignTo4(const std::uint8_t* base) {
    while (at_ < end_ && (at_ - base) % 4 != 0) ++at_;
  }

 private:
  const std::uint8_t* at_;
  const std::uint8_t* end_;
};

}  // namespace

void ApplyTemplateHelpIds(HWND dialog, HINSTANCE instance, int templateId) {
  HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
  if (resource == nullptr) return;
  HGLOBAL loaded = LoadResource(instance, resource);
  const auto* base = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (base == nullptr) return;
  TemplateReader reader(base, SizeofResource(instance, resource));
  if (reader.Read<std::uint16_t>() != 1 || reader.Read<std::uint16_t>() != 0xFFFF) return;
  reader.Skip(4 + 4);  // help identifier, extended style
  const auto style = reader.Read<std::uint32_t>();
  const auto count = reader.Read<std::uint16_t>();
  reader.Skip(8);              // position and size
  reader.SkipNameOrOrdinal();  // menu
  reader.SkipNameOrOrdinal();  // window class
  reader.SkipString();         // title
  if (style & (DS_SETFONT | DS_SHELLFONT)) {
    reader.Skip(2 + 2 + 1 + 1);  // point size, weight, italic, character set
    reader.SkipString();         // typeface
  }
  for (std::uint16_t i = 0; i < count && reader.Has(24); ++i) {
    reader.AlignTo4(base);
    const auto helpId = reader.Read<std::uint32_t>();
    reader.Skip(4 + 4 + 8);  // extended style, style, position and size
    const auto id = reader.Read<std::uint32_t>();
    reader.SkipNameOrOrdinal();                 // class
    reader.SkipNameOrOrdinal();                 // text
    reader.Skip(reader.Read<std::uint16_t>());  // creation data
    HWND control = GetDlgItem(dialog, static_cast<int>(id));
    if (helpId != 0 && control != nullptr && GetWindowContextHelpId(control) == 0) {
      SetWindowContextHelpId(control, helpId);
    }
    // A drop-down box's edit field is a window of its own and holds the focus while the user
    // types: F1 there must find the box's help.
    HWND field = control != nullptr ? GetWindow(control, GW_CHILD) : nullptr;
    for (; helpId != 0 && field != nullptr; field = GetWindow(field, GW_HWNDNEXT)) {
      if (GetWindowContextHelpId(field) == 0) SetWindowContextHelpId(field, helpId);
    }
  }
}

}  // namespace ui
