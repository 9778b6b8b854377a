// Which profiles use a library action, by theme and name as the profile readers look actions
// up (without regard to case): asked before the Actions tab deletes one, since a profile that
// names a missing action leaves its input doing nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CXMLNode;

namespace profileedit {

// Whether any "Action" entry of the document names the action.
bool UsesAction(const CXMLNode& root, std::string_view theme, std::string_view name);

// Those of the profile files (as the configuration names them, relative to the program's
// folder or absolute) whose document uses the action, each once, in the given order. A file
// that cannot be read uses nothing.
std::vector<std::string> ProfilesUsingAction(const std::vector<std::string>& files,
                                             std::string_view theme, std::string_view name);

// The question the Actions tab asks before it deletes the action `name` that profiles use:
// `users` (ProfilesUsingAction of the configuration's profiles) and the profile open in the
// Profiles tab when its document uses the action (`open`, named once even when it is one of
// `users`: `comparable` turns a path into the form the system compares). Empty when none does.
std::string DeleteUsedActionQuestion(std::string_view name, std::vector<std::string> users,
                                     const std::optional<std::string>& open,
                                     std::string (*comparable)(const std::string&));
inline constexpr const char* kDeleteUsedActionCaption = "Delete Action";  // Yes, No; No default

}  // namespace profileedit
