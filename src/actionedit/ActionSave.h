// Saving the property panels into the action library and deleting from it: the library steps of
// the Actions tab's SaveAction and DeleteSelectedAction. Every change happens under the library
// lock (the timer thread reads the library when a controller connects). The page shows the
// message of a refusal and refreshes its controls after a change; nothing here shows a message
// except the library's own in-use refusal of DeleteAction.
#pragma once

#include <string>
#include <string_view>

#include "actionedit/PanelValues.h"
#include "platform/Types.h"

namespace actionedit {

enum class EditOutcome {
  Nothing,  // nothing to change: the page stays as it is
  Changed,  // an existing action changed in place: mark the page changed
  Created,  // a new action joined the library: refresh the lists, show it, mark changed
  Deleted,  // an action left the library: refresh the lists, mark changed
  Refused,  // nothing changed; show `message` with `caption` and `icon` (owned by the page, OK)
};

struct EditResult {
  EditOutcome outcome = EditOutcome::Nothing;
  std::string message;
  std::string caption;
  seam::MessageIcon icon = seam::MessageIcon::None;
  bool operator==(const EditResult&) const = default;
};

// Saves the panels as the action `name` of `theme` (both as typed; found ignoring case).
//  - A name or theme holding both an apostrophe and a double quote is refused: the actions file
//    could not quote it.
//  - An existing action changes in place, setting by setting, where the panel of its type
//    differs (push type first, then the type's settings in the tab's order); unchanged values
//    give Nothing. A combination's parts are always rebuilt from the Combined list, which is
//    always a change.
//  - Otherwise a new action with a blank name or theme is refused; else a new action of the checked
//  type is built with the theme set and, for a
//    combination, a copy of each entry's library action with the entry's push type appended
//    in order. With no type checked nothing is created and the user is told to choose one.
//  - A combination that would contain itself, directly or through one of its parts, is refused:
//    the actions file could not be read back (each combination must follow the ones it uses).
// There is no rename: a changed name or theme saves a new action beside the old one.
EditResult SaveAction(std::string_view theme, std::string_view name,
                      const ActionPanelValues& panels);

// Refused, naming them, when combinations use the action `name` of `theme` (each must lose that
// part first, or the actions file could not be read back); Nothing otherwise.
EditResult DeletionRefusal(std::string_view theme, std::string_view name);

// Deletes the action `name` of `theme`. Nothing when there is none; refused, naming them, when
// combinations use it (each must lose that part first).
EditResult DeleteSelectedAction(std::string_view theme, std::string_view name);

}  // namespace actionedit
