// The profile document of the Profile tab as a whole: creating, opening, checking and saving
// it, and the edits of its root (controller identity, polling delay). The page owns the
// document and calls these on the main thread only; the running controllers never see the
// tree, only the file it is saved to.
//
// Paths are given as the page shows them: absolute when the second character is ':' (or, on
// POSIX, the first is '/'), otherwise relative to the program's folder.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "xml/XMLNode.h"
#include "xml/XMLSave.h"

namespace profileedit {

inline constexpr int kDefaultPollingDelay = 30;

// Messages of the page.
inline constexpr const char* kSaveFailedText =
    "Couldn't open the Profile for writing (no changes made).";
inline constexpr const char* kSaveFailedCaption = "Warning";  // warning icon
inline constexpr const char* kSaveChangesQuestion =
    "You made changes to the current profile.\r\nDo you want to save it first?";
inline constexpr const char* kSaveChangesCaption = "One Moment...";  // Yes, No, Cancel
inline constexpr const char* kInvalidProfileCaption = "Warning";     // Yes, No; No default
// The question asked before using a file that is not a profile, for the path as shown.
std::string InvalidProfileQuestion(std::string_view pathText);

// A new root "Joystick" with "ID" (the controller's ID in decimal) and "name", in this order.
std::unique_ptr<CXMLNode> CreateProfileDocument(int controllerId, std::string_view controllerName);
// The profile Save As starts when none is open: for the chosen controller, or without "ID" and
// "name" when none is chosen (a negative ID).
std::unique_ptr<CXMLNode> NewProfileFor(int controllerId, std::string_view controllerName);

// The document of the file: a new one (CreateProfileDocument) when the file is missing or
// empty, otherwise the parsed file, or null when it cannot be parsed.
// No file of that name exists: the page says so, and what it shows is a new profile.
bool ProfileFileMissing(const std::string& pathText);
inline constexpr const char* kMissingProfileNote =
    "The file does not exist: this is a new profile.";

std::unique_ptr<CXMLNode> OpenProfileDocument(const std::string& pathText, int controllerId,
                                              std::string_view controllerName);

// Whether the document can be edited without asking: its root is "Joystick".
bool IsProfileDocument(const CXMLNode* root);

// Writes the document over the file without ever destroying the previous one. Not saved, with
// the file untouched, when it cannot be written (the page then shows kSaveFailedText and keeps
// its changed state) or would not be read back (the page says why).
XMLSaveResult SaveProfileDocument(const CXMLNode& root, const std::string& pathText);

// The warning a failed SaveProfileDocument shows (caption kSaveFailedCaption, warning icon):
// kSaveFailedText with the system's reason, or why the file would not be read back.
std::string SaveFailedMessage(const std::string& pathText, const XMLSaveResult& saved);

// Before "Save As" writes over another file: a copy of it is kept beside it ("<file>.bak", as
// KeepCopyOf makes them), since the user said yes to replacing a file that may not be the one
// they meant. Empty when the profile may be written (no file there, or the copy was made);
// otherwise the warning to show (caption kSaveFailedCaption, warning icon).
std::string KeepReplacedProfile(const std::string& pathText);

// The controller name the profile was made for ("name" of the root), if any.
std::optional<std::string> ProfileControllerName(const CXMLNode& root);
// "Delay" of the root as the delay box shows it (NumberBoxText), "30" without one.
std::string PollingDelayText(const CXMLNode& root);

// Edits of the root; each returns whether the document changed.
//
// Records the chosen controller: "ID" and "name" set (added when missing); a negative ID (the
// empty entry) removes both.
bool SetControllerIdentity(CXMLNode& root, int controllerId, std::string_view controllerName);
// Who put a value into a number box: the user typing, or the page showing the document. A value
// the page shows never replaces what the document holds (a text such as "020", or a threshold
// below the least the box stores, stays as the user wrote it); it only makes an absent default
// explicit.
enum class NumberSource { Typed, Shown };

// The polling delay as typed (0 when empty): "delay" is added when the root has no "Delay" of
// any spelling, and replaced only when its text differs from the value in decimal.
bool SetPollingDelay(CXMLNode& root, std::string_view typed,
                     NumberSource source = NumberSource::Typed);

// The number in a digits-only edit box; none when it is empty or holds anything else. Values
// beyond the range of int are clamped to it.
std::optional<int> EditNumber(std::string_view typed);

}  // namespace profileedit
