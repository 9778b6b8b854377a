#include "config/TandrelConfiguration.h"

#include <string_view>
#include <utility>

#include "actions/ActionLibrary.h"
#include "actions/TextRules.h"
#include "config/ConfigDocument.h"
#include "config/ConfigurationObserver.h"
#include "engine/Joystick.h"
#include "platform/Findings.h"
#include "platform/Platform.h"
#include "xml/XMLLoad.h"
#include "xml/XMLNode.h"
#include "xml/XMLSave.h"

namespace {

std::string ModulePathOr(std::string path) {
  return path.empty() ? seam::Program().ModuleFileName() : path;
}

std::string FolderOf(const std::string& modulePath) {
  const auto cut = modulePath.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : modulePath.substr(0, cut + 1);
}

// Before a file that could not be read, or was read only in part, is written over: keeps its
// bytes beside it and says where. False, after saying so, when no copy could be made: the file
// must then stay as it is.
bool KeepUnreadableFile(const std::string& shownName, const std::string& path,
                        bool readInPart = false) {
  const std::string unread =
      "The file \"" + shownName + "\" could not be read" + (readInPart ? " in full" : "");
  if (const std::optional<std::string> copy = KeepCopyOf(path)) {
    seam::Report(
        unread + ". Its contents were kept in \"" + *copy + "\" before it was written again.",
        "Configuration", seam::MessageIcon::Information);
    return true;
  }
  seam::ShowError(unread + ", and no copy of it could be kept beside it, so it was not written.",
                  "Configuration Error");
  return false;
}

}  // namespace

ConfigurationSettings ConfigurationSettings::ForConfigFile(const std::string& configPath) {
  constexpr std::string_view kEnding = ".config";
  ConfigurationSettings settings;
  settings.configPath = configPath;
  settings.modulePath = configPath;
  if (configPath.size() > kEnding.size() &&
      actions::EqualsIgnoringCase(
          std::string_view(configPath).substr(configPath.size() - kEnding.size()), kEnding)) {
    settings.modulePath.resize(configPath.size() - kEnding.size());
  }
  return settings;
}

CTandrelConfiguration::CTandrelConfiguration(std::string modulePath, std::string configPath)
    : CTandrelConfiguration(ConfigurationSettings{std::move(modulePath), std::move(configPath)}) {}

CTandrelConfiguration::CTandrelConfiguration(ConfigurationSettings settings)
    : modulePath_(ModulePathOr(std::move(settings.modulePath))),
      configPath_(settings.configPath.empty() ? modulePath_ + ".config"
                                              : std::move(settings.configPath)),
      programFolder_(FolderOf(modulePath_)),
      readOnly_(settings.readOnly),
      observer_(settings.observer) {
  Load();
  hotPlugTimer_ = StartTimer(kHotPlugPeriodMs, this);
}

CTandrelConfiguration::~CTandrelConfiguration() {
  // Without the lock: stopping waits for a hot-plug tick in flight, which may hold it.
  StopTimer(hotPlugTimer_);
  EndTicks();
  std::lock_guard lock(lock_);
  for (auto& controller : controllers_) controller.reset();
  ClearActions();
  switchEntries_.clear();
  actionsElement_ = nullptr;
  joysticksElement_ = nullptr;
  document_.reset();
}

std::unique_lock<std::recursive_mutex> CTandrelConfiguration::Lock() const {
  return std::unique_lock(lock_);
}

bool CTandrelConfiguration::LoadFailed() const {
  std::lock_guard lock(lock_);
  return loadFailed_;
}

bool CTandrelConfiguration::GetLaunchOnStartup() const {
  std::lock_guard lock(lock_);
  return launchOnStartup_;
}

CJoystick* CTandrelConfiguration::GetJoystick(int id) const {
  if (id < 0 || id >= seam::kMaxJoysticks) return nullptr;
  std::lock_guard lock(lock_);
  return controllers_[static_cast<std::size_t>(id)].get();
}

std::vector<PresentController> CTandrelConfiguration::PresentControllers() const {
  std::vector<PresentController> present;
  std::lock_guard lock(lock_);
  for (int id = 0; id < seam::kMaxJoysticks; ++id) {
    const CJoystick* controller = controllers_[static_cast<std::size_t>(id)].get();
    if (controller == nullptr) continue;
    PresentController& entry = present.emplace_back();
    entry.id = id;
    entry.name = controller->GetDeviceName();
    entry.profile = GetProfileFileName(id);
    entry.picture = GetPicture(id);
    entry.enabled = IsJoystickEnabled(id);
    entry.polling = controller->IsActive();
    entry.layout = controller->GetCaps().layout;
  }
  return present;
}

std::string CTandrelConfiguration::WhyNotAProfile(const std::string& path) const {
  std::string what;
  const std::string wanted = config::ComparablePath(path);
  if (wanted == config::ComparablePath(configPath_)) {
    what = "the configuration file";
  } else {
    std::lock_guard lock(lock_);
    const char* actions =
        actionsElement_ != nullptr ? config::AttributeText(*actionsElement_, "fileName") : nullptr;
    if (actions != nullptr && wanted == config::ComparablePath(actions)) what = "the actions file";
  }
  if (what.empty()) return what;
  return "The file \"" + path + "\" cannot be a profile: it is " + what + ".";
}

std::optional<JoystickLiveState> CTandrelConfiguration::LiveState(int id) const {
  if (id < 0 || id >= seam::kMaxJoysticks) return std::nullopt;
  return live_[static_cast<std::size_t>(id)].Load();
}

void CTandrelConfiguration::ReadIdle(int id) {
  std::lock_guard lock(lock_);
  if (CJoystick* controller = GetJoystick(id)) controller->ReadIdle();
}

void CTandrelConfiguration::Seat(int id, std::unique_ptr<CJoystick> controller) {
  auto& slot = controllers_[static_cast<std::size_t>(id)];
  LiveStateRecord& record = live_[static_cast<std::size_t>(id)];
  slot.reset();  // waits for its poll in flight: no write to the record comes after
  slot = std::move(controller);
  if (slot) {
    slot->PublishTo(&record);
  } else {
    record.Store(std::nullopt);
  }
}

std::optional<JoystickLiveLayout> CTandrelConfiguration::LiveLayout(int id) const {
  std::lock_guard lock(lock_);
  const CJoystick* controller = GetJoystick(id);
  if (controller == nullptr) return std::nullopt;
  return controller->LiveLayout();
}

void CTandrelConfiguration::HoldBack(int id, bool held) {
  if (id < 0 || id >= seam::kMaxJoysticks) return;
  std::lock_guard lock(lock_);
  heldBack_[static_cast<std::size_t>(id)] = held;
  if (CJoystick* controller = GetJoystick(id)) controller->HoldBack(held);
}

bool CTandrelConfiguration::IsHeldBack(int id) const {
  if (id < 0 || id >= seam::kMaxJoysticks) return false;
  std::lock_guard lock(lock_);
  return heldBack_[static_cast<std::size_t>(id)];
}

std::unique_ptr<CJoystick> CTandrelConfiguration::OpenController(int id) const {
  auto controller = std::make_unique<CJoystick>();
  if (heldBack_[static_cast<std::size_t>(id)]) controller->HoldBack(true);
  if (!controller->Open(id)) return nullptr;
  return controller;
}

std::optional<std::string> CTandrelConfiguration::GetProfileFileName(int id) const {
  std::lock_guard lock(lock_);
  if (joysticksElement_ == nullptr) return std::nullopt;
  const CXMLNode* entry = config::FindJoystickEntry(*joysticksElement_, id);
  const char* fileName = entry != nullptr ? config::AttributeText(*entry, "fileName") : nullptr;
  if (fileName == nullptr) return std::nullopt;
  return std::string(fileName);
}

std::vector<std::string> CTandrelConfiguration::GetProfileFileNames() const {
  std::lock_guard lock(lock_);
  if (joysticksElement_ == nullptr) return {};
  return config::ProfileFileNames(*joysticksElement_);
}

bool CTandrelConfiguration::IsJoystickEnabled(int id) const {
  std::lock_guard lock(lock_);
  if (joysticksElement_ == nullptr) return false;
  const CXMLNode* entry = config::FindJoystickEntry(*joysticksElement_, id);
  return entry != nullptr && !config::IsEntryDisabled(*entry);
}

std::optional<std::string> CTandrelConfiguration::GetPicture(int id) const {
  std::lock_guard lock(lock_);
  if (GetJoystick(id) == nullptr || joysticksElement_ == nullptr) return std::nullopt;
  const CXMLNode* entry = config::FindJoystickEntry(*joysticksElement_, id);
  const char* picture = entry != nullptr ? config::AttributeText(*entry, "picture") : nullptr;
  if (picture == nullptr) return std::nullopt;
  return std::string(picture);
}

void CTandrelConfiguration::Load() {
  // What the files hold wrong is shown once the pass is over and the lock released, all
  // together; so is the question about IDs outside 0..15, asked once for all of them.
  seam::ScopedFindings findings;
  std::vector<InvalidEntry> invalid;
  unsigned generation = 0;
  bool keptPrevious = false;
  {
    std::lock_guard lock(lock_);
    keptPrevious = LoadLocked(invalid) == LoadOutcome::KeptPrevious;
    generation = loadGeneration_;
  }
  std::vector<seam::Finding> found = findings.Take();
  // The message that says what is wrong also says that nothing stopped.
  if (keptPrevious && !found.empty()) found.back().text += "\r\n" + std::string(kPreviousStays);
  seam::ShowFindings(found);
  if (!invalid.empty() && AskToDeleteInvalidIds(invalid)) {
    std::lock_guard lock(lock_);
    // Unless a reload has replaced the document meanwhile.
    if (loadGeneration_ == generation) {
      for (const InvalidEntry& entry : invalid) joysticksElement_->RemoveChild(entry.entry);
      SaveConfigFileLocked();
    }
  }
  seam::ShowFindings(findings.Take());  // a save that failed
}

CTandrelConfiguration::LoadOutcome CTandrelConfiguration::LoadLocked(
    std::vector<InvalidEntry>& invalid) {
  // The new configuration is read and checked aside; what is in force changes only once it
  // has proved usable. A first load that fails leaves every present controller idle.
  const bool previousInForce = document_ != nullptr && !loadFailed_;
  StagedConfiguration staged = ReadConfiguration();
  if (previousInForce && (!staged.usable || !staged.actionsRefusal.empty())) {
    return LoadOutcome::KeptPrevious;
  }
  if (staged.usable && staged.actionsRefusal.empty()) {
    // A library read from its file stays in force when the file has gone wrong since; one
    // that never was (no file, a file with a mistake from the start) has nothing to keep.
    const bool keepLibrary = previousInForce && libraryInForce_;
    const ActionsFileState actions = ReloadActions(
        staged.actionsFile.c_str(), keepLibrary ? OnReloadFailure::Keep : OnReloadFailure::Clear);
    const bool read = actions == ActionsFileState::Read || actions == ActionsFileState::ReadInPart;
    if (!read && keepLibrary) {
      // The file no longer holds the library in force: its bytes are kept before a save of
      // the library writes over them.
      actionsFileState_ = ActionsFileState::Unreadable;
      return LoadOutcome::KeptPrevious;
    }
    actionsFileState_ = actions;
    libraryInForce_ = read;
  }

  ++loadGeneration_;
  loadFailed_ = !staged.usable;
  switchEntries_.clear();
  actionsElement_ = nullptr;
  joysticksElement_ = nullptr;
  // Every present controller gets an object, configured or not; none is held back any more.
  heldBack_ = {};
  for (int id = 0; id < seam::kMaxJoysticks; ++id) {
    if (auto& slot = controllers_[static_cast<std::size_t>(id)]) {
      slot->SetActive(false);
      Seat(id, nullptr);
    }
    Seat(id, OpenController(id));
  }
  document_ = std::move(staged.document);
  if (loadFailed_) return LoadOutcome::Failed;

  launchOnStartup_ = staged.launchOnStartup;
  ApplyRunKey();
  actionsElement_ = staged.actionsElement;
  actionsRefusal_ = std::move(staged.actionsRefusal);
  if (!actionsRefusal_.empty()) ClearActionsForUnusableFile();
  joysticksElement_ = staged.joysticksElement;
  invalid = LoadEntries();
  switchEntries_ = config::ReadSwitchEntries(*joysticksElement_);
  // The rules hold for the window in front now, not only from its next change.
  if (activeTitle_) SwitchProfilesLocked(*activeTitle_);
  return LoadOutcome::Loaded;
}

CTandrelConfiguration::StagedConfiguration CTandrelConfiguration::ReadConfiguration() const {
  StagedConfiguration staged;
  // The reader reports a file that cannot be opened or parsed, saying what and where.
  staged.document = LoadXMLDocument(configPath_.c_str(), XMLReport::Everything).root;
  if (!staged.document) return staged;
  CXMLNode& root = *staged.document;
  const CXMLNode* launch = root.FindChild("LaunchOnStartup", nullptr);
  staged.launchOnStartup =
      launch != nullptr && config::IsTrueText(config::AttributeText(*launch, "value"));
  CXMLNode* actions = root.FindChild("Actions", nullptr);
  if (actions == nullptr || actions->FindAttribute("fileName") == nullptr) {
    ReportAboutConfiguration("There is no file that is associated with the actions.");
    return staged;
  }
  staged.actionsElement = actions;
  staged.actionsFile = config::AttributeText(*actions, "fileName");
  staged.joysticksElement = root.FindChild("Joysticks", nullptr);
  if (staged.joysticksElement == nullptr) {
    ReportAboutConfiguration("There are no configured joysticks.");
    return staged;
  }
  // The actions file is never the configuration or a profile: the first save of the library
  // would write an actions document over it.
  const std::string otherUse =
      config::OtherUseOf(staged.actionsFile, configPath_, staged.joysticksElement);
  if (!otherUse.empty()) {
    staged.actionsRefusal = "The file \"" + staged.actionsFile +
                            "\" cannot be the actions file: it is " + otherUse + ".";
    ReportAboutConfiguration(staged.actionsRefusal);
  }
  staged.usable = true;
  return staged;
}

void CTandrelConfiguration::ReportAboutConfiguration(const std::string& text) const {
  seam::NoteReadingFile(configPath_);
  seam::ShowError(text, "Configuration Error");
}

std::vector<CTandrelConfiguration::InvalidEntry> CTandrelConfiguration::LoadEntries() {
  std::vector<InvalidEntry> invalid;
  // The path each slot was last asked to load in this pass: a second entry for the same ID
  // naming the same file is not read again (the controller keeps what it has).
  std::array<std::optional<std::string>, seam::kMaxJoysticks> requested;
  for (CXMLNode* entry = joysticksElement_->FindChild("Joystick", nullptr); entry != nullptr;
       entry = joysticksElement_->FindChild("Joystick", entry)) {
    int id = 0;
    if (!config::ReadEntryId(*entry, id)) {
      ReportAboutConfiguration("There is a joystick with no ID.");
      continue;
    }
    if (id < 0 || id >= seam::kMaxJoysticks) {
      invalid.push_back({entry, config::AttributeText(*entry, "ID")});
      continue;
    }
    const char* fileName = config::AttributeText(*entry, "fileName");
    CJoystick* controller = controllers_[static_cast<std::size_t>(id)].get();
    if (fileName != nullptr && controller != nullptr) {
      auto& previous = requested[static_cast<std::size_t>(id)];
      const bool readsFile = !previous || !actions::EqualsIgnoringCase(*previous, fileName);
      previous = fileName;
      const bool loaded = controller->LoadProfile(fileName, true);
      if (config::IsEntryDisabled(*entry)) controller->SetActive(false);
      if (loaded && readsFile && controller->IsActive()) Notify(id, fileName);
    }
  }
  return invalid;
}

bool CTandrelConfiguration::AskToDeleteInvalidIds(const std::vector<InvalidEntry>& invalid) {
  std::string question;
  if (invalid.size() == 1) {
    question = "The ID " + invalid.front().idText +
               " is not valid. It must be between 0 and 15.\r\nDelete it from the configuration "
               "file?";
  } else {
    std::string ids;
    for (std::size_t i = 0; i < invalid.size(); ++i) {
      ids += (i == 0 ? "" : i + 1 == invalid.size() ? " and " : ", ") + invalid[i].idText;
    }
    question = "The IDs " + ids +
               " are not valid. They must be between 0 and 15.\r\nDelete them from the "
               "configuration file?";
  }
  return seam::Messages().Show(question, "Problem", seam::MessageButtons::YesNo,
                               seam::MessageIcon::Question) == seam::MessageAnswer::Yes;
}

void CTandrelConfiguration::ApplyRunKey() {
  if (readOnly_ || seam::Current().startupEntry == nullptr) return;
  // Failures leave the entry as it was and are not reported.
  if (launchOnStartup_) {
    // Quoted: a path with spaces would otherwise start whatever its first word names.
    seam::StartupEntry().Write(kStartupValueName, "\"" + modulePath_ + "\" /NoConfigure");
  } else {
    seam::StartupEntry().Remove(kStartupValueName);
  }
}

bool CTandrelConfiguration::SaveConfigFile() {
  // Its message is shown once the lock is released.
  seam::ScopedFindings findings;
  bool saved = false;
  {
    std::lock_guard lock(lock_);
    saved = SaveConfigFileLocked();
  }
  seam::ShowFindings(findings.Take());
  return saved;
}

bool CTandrelConfiguration::SaveConfigFileLocked() {
  if (!document_ || readOnly_) return true;
  const XMLSaveResult saved = SaveXMLFile(*document_, configPath_);
  if (saved) return true;
  seam::ShowError(SaveFailureText(configPath_, saved), "Configuration Error");
  return false;
}

bool CTandrelConfiguration::SaveActionsFile(bool libraryEdited) {
  // Its messages are shown once it is over, outside every lock.
  seam::ScopedFindings findings;
  const bool saved = SaveActionsFileCollecting(libraryEdited);
  seam::ShowFindings(findings.Take());
  return saved;
}

bool CTandrelConfiguration::SaveActionsFileCollecting(bool libraryEdited) {
  std::string fileName;
  std::string refusal;
  ActionsFileState state = ActionsFileState::Read;
  {
    std::lock_guard lock(lock_);
    const char* name =
        actionsElement_ != nullptr ? config::AttributeText(*actionsElement_, "fileName") : nullptr;
    // No actions file: an unedited library has nothing to write; edits cannot be kept, which is
    // said, and the window keeps them until the user cancels.
    if (name == nullptr) {
      if (!libraryEdited || readOnly_) return true;
      seam::ShowError(
          "The configuration names no actions file, so the edited actions could not "
          "be written.",
          "Configuration Error");
      return false;
    }
    fileName = name;
    state = actionsFileState_;
    refusal = actionsRefusal_;
  }
  if (!refusal.empty() && libraryEdited && !readOnly_) {
    seam::ShowError(refusal, "Configuration Error");
    return false;
  }
  // An unedited library is what the file holds: writing it could only lose what the file holds
  // beyond it (all of it, when the file could not be read). So the file is written only after
  // the user has edited the library; a file that could not be read, or whose load skipped
  // elements, is kept beside it first.
  if (readOnly_ || !libraryEdited) return true;
  // Outside the configuration lock: the library takes its own lock to write.
  const std::string path = seam::IsAbsolutePath(fileName) ? fileName : programFolder_ + fileName;
  const bool readInPart = state == ActionsFileState::ReadInPart;
  if ((state == ActionsFileState::Unreadable || readInPart) &&
      !KeepUnreadableFile(fileName, path, readInPart)) {
    return false;
  }
  const XMLSaveResult saved = SaveActions(path.c_str());
  if (saved) {
    std::lock_guard lock(lock_);
    actionsFileState_ = ActionsFileState::Read;
    return true;
  }
  seam::ShowError(SaveFailureText(fileName, saved), "Configuration Error");
  return false;
}

bool CTandrelConfiguration::SaveJoysticksTab(const JoysticksTabState& state) {
  // Its messages are shown once the lock is released.
  seam::ScopedFindings findings;
  bool saved = false;
  {
    std::lock_guard lock(lock_);
    saved = SaveJoysticksTabLocked(state);
  }
  seam::ShowFindings(findings.Take());
  return saved;
}

bool CTandrelConfiguration::SaveJoysticksTabLocked(const JoysticksTabState& state) {
  // The file as it stands on disk; when it cannot be read (the reader has reported why), a new
  // one, after the old file's bytes are kept beside it.
  XMLReadResult read = LoadXMLDocument(configPath_.c_str(), XMLReport::Everything);
  std::unique_ptr<CXMLNode> root = std::move(read.root);
  if (!root) {
    if (!read.missing && !readOnly_ && !KeepUnreadableFile(configPath_, configPath_)) return false;
    root = std::make_unique<CXMLNode>("Configuration");
  }
  MergeJoysticksTab(*root, state);
  if (readOnly_) return true;
  const XMLSaveResult saved = SaveXMLFile(*root, configPath_);
  if (saved) return true;
  seam::Report(saved.refusal.empty() ? "Coudln't save the configuration file\r\n" +
                                           SaveFailureText(configPath_, saved)
                                     : NotWrittenText(configPath_, saved.refusal),
               "Error");
  return false;
}

void CTandrelConfiguration::OnTimer() {
  seam::ScopedFindings findings;  // of the profiles loaded, shown after the lock
  {
    std::unique_lock lock(lock_, std::try_to_lock);
    if (!lock.owns_lock()) return;  // the main thread is busy with the table: next second
    for (int id = 0; id < seam::kMaxJoysticks; ++id) {
      auto& slot = controllers_[static_cast<std::size_t>(id)];
      const bool present = IsJoystickPresent(id);
      if (slot && !present) {
        slot->SetActive(false);
        Seat(id, nullptr);
      } else if (!slot && present) {
        ConnectJoystick(id);
      }
    }
  }
  seam::ShowFindings(findings.Take());
}

void CTandrelConfiguration::ConnectJoystick(int id) {
  if (joysticksElement_ == nullptr) return;
  // Only the default profile: a reappearing controller ignores "enabled" and the rules.
  const CXMLNode* entry = config::FindJoystickEntry(*joysticksElement_, id);
  const char* fileName = entry != nullptr ? config::AttributeText(*entry, "fileName") : nullptr;
  if (fileName == nullptr) return;
  auto& slot = controllers_[static_cast<std::size_t>(id)];
  if (slot && actions::EqualsIgnoringCase(slot->GetProfilePath(), fileName)) return;
  Seat(id, nullptr);
  Seat(id, OpenController(id));
  if (!slot) return;
  if (slot->LoadProfile(fileName, true) && slot->IsActive()) Notify(id, fileName);
}

void CTandrelConfiguration::Notify(int id, const std::string& path) {
  if (observer_ != nullptr) observer_->ProfileStarted(id, path);
}
