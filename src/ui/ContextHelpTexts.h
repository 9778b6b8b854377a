// The pop-up help texts of the configuration window's controls, kept in the program's string
// table under IDS_CONTEXT_HELP(context number) (resource.h). They stand in for the help file's
// pop-up topics when no help file lies beside the program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ui {

class CContextHelpTexts {
 public:
  explicit CContextHelpTexts(HINSTANCE instance) : instance_(instance) {}

  // The text of a context number; a context without one gets the text for controls that have
  // no help of their own, so the user always learns something.
  std::string TextOf(int context) const;
  // The text the string table holds for exactly this context number.
  std::optional<std::string> Find(int context) const;

 private:
  HINSTANCE instance_;
};

}  // namespace ui
