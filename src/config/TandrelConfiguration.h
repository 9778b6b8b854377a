// The global configuration: the configuration file beside the program, one controller object
// per present controller ID (0..15) with its default profile, the action library's file, the
// start-up entry, the once-a-second hot-plug check, and automatic profile switching by the
// title of the active window.
//
// The Windows program makes one instance at start-up; tests and tandrel-cli make their own,
// with a program path of their choosing, under whatever platform and timer service they have
// installed. Relative file names in the files are resolved by the readers against the folder
// of the installed program (seam::Program()), so a configuration made with another module path
// must run under a program that names the same module.
//
// Threads and the configuration lock. lock_ (a recursive mutex, "the configuration lock")
// guards the controller table, the document with the elements remembered in it, the switching
// rules read from it, and the flags launch-on-start-up and load-failed. It is held for the
// whole of Load, SwitchProfileForWindow, the hot-plug tick, the saves and every accessor.
// - Lock order: the configuration lock, then a controller's own locks (Joystick.h), then the
//   action library's lock. Nobody holding the library lock may call into the configuration.
// - The hot-plug tick runs on the timer thread and only tries the lock: when the main thread
//   holds it (a reload waiting for the user's answer, say) the tick skips that second and the
//   timer thread stays free for every other timer. So no tick ever waits for the lock, and
//   every wait for a tick in flight made under the lock (stopping a controller's poll, ending
//   a repeating key) waits for a tick that does not need it.
// - The destructor stops the hot-plug timer without the lock, waiting for a tick in flight,
//   before anything else goes.
// - GetJoystick hands out a pointer into the table: it stays valid only while the caller holds
//   Lock(), since a reload, a switch or the hot-plug tick may replace the object. The live
//   view and input detection go by ID instead and get values (LiveState, LiveLayout).
// - The live records (live_, one per ID) are outside the lock: the object in the slot writes
//   its own (CJoystick::PublishTo), and anyone reads them without a lock. A slot's record is
//   handed to a new object only after the previous one is gone, and cleared under the lock
//   when the slot empties, so it has one writer at a time.
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/ActionLibrary.h"
#include "config/JoysticksTabMerge.h"
#include "config/SwitchRules.h"
#include "engine/JoystickLiveState.h"
#include "engine/LiveStateChannel.h"
#include "platform/Types.h"
#include "timer/TimerUser.h"

class CJoystick;
class CXMLNode;
class IConfigurationObserver;

struct ConfigurationSettings {
  // Full path of the program's module file; empty: the installed program's own.
  std::string modulePath;
  // The configuration file; empty: the module path + ".config".
  std::string configPath;
  // Nothing outside the object changes: no file is written (the saves are skipped and report
  // success) and the start-up entry is left alone. For tandrel-cli's check and replay.
  bool readOnly = false;
  // Told of every profile that starts polling; not owned, may be null.
  IConfigurationObserver* observer = nullptr;

  // The settings of a configuration read from a given configuration file: the module path is
  // the file's path without a trailing ".config" (any case), or the file's own path when it
  // has no such ending, so the program folder is always the file's folder.
  static ConfigurationSettings ForConfigFile(const std::string& configPath);
};

// A controller present now, as the configuration window lists it: values, read under the
// configuration lock and handed out after it.
struct PresentController {
  int id = 0;
  std::string name;                    // the device's product name
  std::optional<std::string> profile;  // the default profile its entry names
  std::optional<std::string> picture;
  bool enabled = false;  // its entry is enabled as the file says
  bool polling = false;  // its controller object polls (a profile loaded)
  seam::ControllerLayout layout = seam::ControllerLayout::Joystick;  // whose input names it has
};

class CTandrelConfiguration : public CTimerUser {
 public:
  // Ends the message about a reload that found a mistake and changed nothing.
  static constexpr const char* kPreviousStays = "The previous settings stay in force.";
  static constexpr unsigned kHotPlugPeriodMs = 1000;
  static constexpr const char* kStartupValueName = "Tandrel";

  // Loads the configuration and starts the hot-plug check, whether or not the load succeeded.
  explicit CTandrelConfiguration(ConfigurationSettings settings = {});
  explicit CTandrelConfiguration(std::string modulePath, std::string configPath = {});
  // Stops the hot-plug check (after a tick in flight), then deletes every controller (which
  // releases whatever they hold pressed), empties the action library and drops the document.
  ~CTandrelConfiguration() override;

  // Rebuilds everything from the configuration file: controllers, start-up entry, action
  // library, default profiles, and the window rules applied to the window last reported
  // active. Called at construction and after the configuration window's OK, Cancel and Apply.
  // A reload that finds the configuration file or the actions file unusable changes nothing
  // and says so; the configuration file is written only when the user deletes invalid IDs.
  void Load();
  bool LoadFailed() const;

  // The folder of the module file, with its trailing separator.
  const std::string& GetProgramFolder() const { return programFolder_; }
  const std::string& GetModulePath() const { return modulePath_; }
  const std::string& GetConfigPath() const { return configPath_; }
  bool GetLaunchOnStartup() const;

  // The configuration lock (see the top of the file).
  std::unique_lock<std::recursive_mutex> Lock() const;
  // The controller object for the ID, or null (no object, or an ID outside 0..15). Valid only
  // while the caller holds Lock().
  CJoystick* GetJoystick(int id) const;
  // The "fileName" of the first entry with that ID; none when there is no joysticks element,
  // no such entry, or no "fileName".
  std::optional<std::string> GetProfileFileName(int id) const;
  // Every profile file the configuration names, defaults and window rules (ConfigDocument.h).
  std::vector<std::string> GetProfileFileNames() const;
  // Whether the first entry with that ID is enabled as the file says (no "enabled" = "false");
  // false when there is no such entry.
  bool IsJoystickEnabled(int id) const;
  // The "picture" of the first entry with that ID; none when there is no controller object
  // for the ID, no entry, or no "picture".
  std::optional<std::string> GetPicture(int id) const;

  // Every controller present now, by ID.
  std::vector<PresentController> PresentControllers() const;

  // Why the file at `path` cannot hold a profile (the window's Save As, Open and the Joysticks
  // tab's Change ask before anything is read or written): "The file "<path>" cannot be a
  // profile: it is the configuration file." or "... it is the actions file."; empty when it can.
  std::string WhyNotAProfile(const std::string& path) const;

  // The live view, by ID (see JoystickLiveState.h): the latest reading of the controller in
  // the slot, whichever object it is, copied without a lock; and its elements, axis settings
  // and profile, which change only when the profile or the object does (compare
  // profileGeneration). None without a controller object (or, for the state, before its first
  // reading).
  std::optional<JoystickLiveState> LiveState(int id) const;
  std::optional<JoystickLiveLayout> LiveLayout(int id) const;
  // Reads the controller in the slot when it does not poll (CJoystick::ReadIdle), so that
  // LiveState shows it too; a window that shows a controller calls it on its timer.
  void ReadIdle(int id);

  // Holding one controller's actions back while the window picks an input by pressing it
  // (CJoystick::HoldBack: everything it holds is released once, nothing fires, its live state
  // goes on). The hold-back belongs to the ID, not to the object: a controller object that
  // takes the slot meanwhile (window switching, a controller plugged in again) is held back
  // from its start, and one pulled out takes what it held with it. The window ends the
  // hold-back when its detection ends (input found, Esc, time-out); a reload ends every
  // hold-back too, and the window reloads whenever it applies or closes (OK, Cancel, Apply), so
  // none outlives it.
  void HoldBack(int id, bool held);
  bool IsHeldBack(int id) const;

  // Writes the loaded document back to the configuration file (when it differs from it). False
  // after showing SaveFailureText when it cannot be written (the old file stays whole).
  bool SaveConfigFile();
  // With no actions file named: true for an unedited library, else false after saying so.
  // Writes the action library to the actions file once the user has edited it
  // (`libraryEdited`); an unedited library is the file's own content and is not written. False
  // after showing the same message, with the file name as the configuration gives it, when it
  // cannot be written. When the last load could not read the file, or skipped any of its
  // elements, its bytes are kept beside it first (KeepCopyOf), which is said ("The file "<name>"
  // could not be read [in full]. Its contents were kept in "<copy>" before it was written
  // again."); false when no copy could be made.
  bool SaveActionsFile(bool libraryEdited = true);
  // The Joysticks tab's Apply: merges `state` into the configuration file as it stands on disk
  // (see JoysticksTabMerge.h) and writes it. False after showing "Coudln't save the
  // configuration file" (caption "Error") when it cannot be written. Does not reload.
  bool SaveJoysticksTab(const JoysticksTabState& state);

  // A window with this title became active: each enabled entry's controller takes the profile
  // of the first rule whose window text occurs in the title, or else its default profile,
  // loaded quietly into a freshly opened controller object unless already in force.
  void SwitchProfileForWindow(const char* title);

  // The hot-plug check, once a second on the timer thread: controllers pulled out lose their
  // object; configured controllers that appear get one with their default profile.
  void OnTimer() override;

 private:
  // An entry whose ID lies outside 0..15, with the ID as the file writes it.
  struct InvalidEntry {
    CXMLNode* entry;
    std::string idText;
  };
  // A configuration file read and checked before it is put in force.
  struct StagedConfiguration {
    std::unique_ptr<CXMLNode> document;  // null: it could not be read
    bool usable = false;                 // it has "Actions" with "fileName", and "Joysticks"
    bool launchOnStartup = false;
    CXMLNode* actionsElement = nullptr;    // in document
    CXMLNode* joysticksElement = nullptr;  // in document
    std::string actionsFile;
    std::string actionsRefusal;  // why the actions file named cannot be one; empty: it can
  };
  enum class LoadOutcome { Loaded, Failed, KeptPrevious };
  LoadOutcome LoadLocked(std::vector<InvalidEntry>& invalid);
  StagedConfiguration ReadConfiguration() const;
  std::vector<InvalidEntry> LoadEntries();
  static bool AskToDeleteInvalidIds(const std::vector<InvalidEntry>& invalid);
  void ReportAboutConfiguration(const std::string& text) const;
  // The saves, their messages collected by the caller.
  bool SaveConfigFileLocked();
  bool SaveActionsFileCollecting(bool libraryEdited);
  bool SaveJoysticksTabLocked(const JoysticksTabState& state);
  void SwitchProfilesLocked(std::string_view title);
  void ApplyRunKey();
  void ConnectJoystick(int id);
  // Puts `controller` (or none) in the slot, after the object there has gone, and gives it the
  // slot's live record.
  void Seat(int id, std::unique_ptr<CJoystick> controller);
  // A new controller object opened for the ID, held back when the ID is; null without device.
  std::unique_ptr<CJoystick> OpenController(int id) const;
  enum class SwitchResult { Switched, NoDevice, LoadFailed };
  // Replaces the controller of a slot by a freshly opened one loaded quietly with `fileName`.
  // NoDevice and LoadFailed drop the new object and leave the slot alone.
  SwitchResult SwitchTo(int id, const std::string& fileName);
  bool SameProfile(int id, const std::string& fileName) const;
  void Notify(int id, const std::string& path);

  const std::string modulePath_;
  const std::string configPath_;
  const std::string programFolder_;
  const bool readOnly_;
  IConfigurationObserver* const observer_;

  // See the top of the file: everything below is guarded by lock_.
  mutable std::recursive_mutex lock_;
  bool launchOnStartup_ = false;
  bool loadFailed_ = false;
  unsigned loadGeneration_ = 0;  // counts the loads: each makes a new document
  std::array<std::unique_ptr<CJoystick>, seam::kMaxJoysticks> controllers_;
  std::array<bool, seam::kMaxJoysticks> heldBack_{};  // by ID, see HoldBack
  ActionsFileState actionsFileState_ = ActionsFileState::Missing;
  std::string actionsRefusal_;   // why the actions file named is not read, nor ever written
  bool libraryInForce_ = false;  // the action library in force was read from its file
  std::unique_ptr<CXMLNode> document_;
  CXMLNode* actionsElement_ = nullptr;    // in document_
  CXMLNode* joysticksElement_ = nullptr;  // in document_
  std::vector<config::SwitchEntry> switchEntries_;
  // The title of the window last reported active: the rules are applied to it after a load.
  std::optional<std::string> activeTitle_;

  // By ID; see the top of the file.
  std::array<LiveStateRecord, seam::kMaxJoysticks> live_;

  unsigned hotPlugTimer_ = 0;  // written by the constructor only
};
