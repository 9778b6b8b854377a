// The action library: the process-wide set of named template actions that profiles refer to,
// keyed by theme and name (both compared without regard to ASCII case), with the list of theme
// names in order of first appearance; and the actions file it is read from and written to.
//
// Threads and lifetime. The library is edited and reloaded on the user-interface thread and
// read on the timer thread too (profile loads started by the hot-plug check clone library
// actions). One lock guards it all: the library lock, a recursive mutex taken by every function
// below and available to callers through LockActionLibrary().
//  - A pointer returned by FindAction, GetActionsOfTheme or GetThemeName points into the
//    library. It stays valid only while the caller holds the library lock (or, on the one
//    thread that edits the library, until that thread's next edit). Editing a template found
//    with FindAction needs the lock held across the find and the edit.
//  - To take a private copy, use CloneAction: it finds and clones under the lock in one step.
//  - Templates are never pressed, and the library never holds its lock while it shows a message
//    or destroys the actions it removed; callers must not press actions while holding it.
//  - Recursive, so that a caller holding the lock may call any function below.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "actions/Action.h"

#include "xml/XMLNode.h"
#include "xml/XMLSave.h"

std::unique_lock<std::recursive_mutex> LockActionLibrary();

// The first action whose theme and name equal these ignoring case, or null. See the lifetime
// rule above.
CAction* FindAction(const char* theme, const char* name);
bool ActionExists(const char* theme, const char* name);
// A private copy of the library action with this theme and name, or null when there is none.
std::unique_ptr<CAction> CloneAction(const char* theme, const char* name);

// Adds an action. False when an action with the same theme and name (ignoring case) exists:
// the caller then keeps `action`. On success the library owns it (`action` is left empty) and
// a theme it did not know is appended to the theme names.
bool AddAction(std::unique_ptr<CAction>&& action);
// Deletes the action with this theme and name. Refused, with the message "Cannot delete the
// action "<name>" because it is in use by one or more actions." (caption "Error", information
// icon), while a combination in the library has it as a direct part. False when refused or
// not found. Theme names stay.
bool DeleteAction(const char* theme, const char* name);

// The actions of a theme (ignoring case), in library order. The caller owns the list, not the
// actions (see the lifetime rule).
std::vector<CAction*> GetActionsOfTheme(const char* theme);
int GetThemeCount();
// Null when the index is outside 0 .. count - 1. Valid until ClearActions (see the lifetime rule).
const char* GetThemeName(int index);
bool IsThemeKnown(const char* theme);

// Deletes every action and every theme name.
void ClearActions();

// What became of the last read of the actions file.
enum class ActionsFileState {
  Read,        // read whole
  ReadInPart,  // read, but elements its readers refused were reported and skipped: the program
               // must not write over it without keeping its bytes (KeepCopyOf)
  Missing,     // no file of that name: reported; writing one loses nothing
  Unreadable,  // a file that cannot be opened or is not well formed: reported; the program
               // must not write over it without keeping its bytes (KeepCopyOf)
};

// Reads an actions file (a relative path is taken from the program's folder) and adds its
// actions: key, mouse and wheel actions first, then combinations in file order, each of which
// may use any action of the library or of the file, whatever their order in the file
// (CombinationBuilder.h). A bad element is reported by its reader ("XML Error") and skipped,
// and so is an action whose theme and name are taken ("The <element> "<name>" of the theme
// "<theme>" is skipped: an action with that theme and name comes before it."): the first one
// read stays, key, mouse and wheel actions coming before combinations. A file that cannot be
// opened or is not well formed is reported ("Configuration Error": the file, what is wrong and
// where) and adds nothing. The file is read without the lock; its actions join the library at
// once at the end.
ActionsFileState LoadActions(const char* path);
// What a reload does with the library when the file cannot be read.
enum class OnReloadFailure {
  Clear,  // the library is empty (the actions the profiles name are then missing)
  Keep,   // the library stays as it was: a reload with a mistake keeps what is in force
};
// ClearActions and LoadActions in one step for readers of the library: they see the old
// actions or the new ones, never an empty library in between.
ActionsFileState ReloadActions(const char* path,
                               OnReloadFailure onFailure = OnReloadFailure::Clear);
// True while the library is empty because its last ReloadActions failed (or the file was not
// read, see below): the actions that profiles name are then missing for that one reason, which
// has been reported already.
bool ActionLibraryFailedToLoad();
// Empties the library for a file that must not be read as an actions file (reported by the
// caller), as a failed ReloadActions does.
void ClearActionsForUnusableFile();

// The actions file's tree of the library: root "Actions" with the groups "VKActions",
// "MouseActions", "MouseWheelActions" and "ComplexActions", each in library order, except that
// a combination is written after every combination it uses, so the file loads back whole.
std::unique_ptr<CXMLNode> CreateActionsXML();
// Writes CreateActionsXML() to `path` (a relative path is taken from the program's folder)
// without ever destroying the previous file. Not saved when the file could not be written, or
// would not be read back (the refusal says why); reporting it is the caller's business.
XMLSaveResult SaveActions(const char* path);
