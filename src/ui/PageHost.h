// What a page of the configuration window needs from the window around it, handed to the page
// as callbacks: the page knows nothing of the window's class. Main thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

struct PageHost {
  // The page's changed state changed (the window enables Apply when any page holds edits).
  std::function<void()> changed;
  // The profile the Profile page has open, when it uses the action of that theme and name (the
  // Actions page names it before deleting the action); none otherwise.
  std::function<std::optional<std::string>(std::string_view theme, std::string_view name)>
      openProfileUsing;
};

}  // namespace ui
