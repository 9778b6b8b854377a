// check CONFIG: loads a configuration with its actions file and profiles as the program would,
// on simulated controllers and message boxes, and prints every message the program would show
// as replay does ("message [CAPTION] TEXT", "question [CAPTION] TEXT -> no": every question is
// answered No). It writes no file and leaves the start-up entry alone.
//
// Each configured controller ID is simulated with every axis, a hat and 32 buttons, named as
// its default profile names the device it was made for, so that every part of the profile is
// read. Then it reports, as "silent TEXT" lines, what the program would meet without a word:
// a file that is not well formed, a window rule's profile that is missing, not well formed or
// holds problems (its loads are quiet), a picture that does not exist, and values that make an
// input do nothing or misbehave (ValueCheck.h); and, as "linux TEXT" lines, the keys of the
// actions file that the Linux program cannot send.
//
// Every finding stands under a line "file PATH" naming the file it comes from (the resolved
// path); the line is repeated only when the file changes. A finding is printed once: where the
// file uses a missing action follows it ("(used at lines 4, 9)"), other repeats are counted
// ("(3 times)").
//
// Exit code: 0 when nothing was printed but "No problems found.", 1 otherwise, 2 when CONFIG
// itself cannot be read.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Commands.h"
#include "ValueCheck.h"
#include "actions/ActionLibrary.h"
#include "actions/TextRules.h"
#include "config/ConfigDocument.h"
#include "config/TandrelConfiguration.h"
#include "engine/Joystick.h"
#include "platform/sim/SimPlatform.h"
#include "replay/ReplayOutput.h"
#include "timer/TimerService.h"
#include "timer/VirtualTimerService.h"
#include "xml/XMLReader.h"

namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Calls `visit` with each element of the tree and its line, in document order.
void VisitWithLines(const CXMLNode& node, const std::vector<std::size_t>& lines, std::size_t& index,
                    const std::function<void(const CXMLNode&, std::size_t)>& visit) {
  visit(node, index < lines.size() ? lines[index] : 0);
  ++index;
  for (const auto& child : node.Children()) VisitWithLines(*child, lines, index, visit);
}

// The lines of the file at `path` whose Action elements use the action that `finding` says the
// library lacks ("... The action "NAME" was not found.").
std::vector<std::size_t> LinesUsingMissingAction(const std::string& path,
                                                 const std::string& finding) {
  const std::string head = "The action \"", tail = "\" was not found.";
  const std::size_t open = finding.rfind(head);
  if (open == std::string::npos || !finding.ends_with(tail)) return {};
  const std::size_t from = open + head.size();
  const std::string name = finding.substr(from, finding.size() - tail.size() - from);
  const XMLReadResult read = ReadXMLFile(path, true);
  if (read.status != XMLReadStatus::Ok) return {};
  std::vector<std::size_t> lines;
  std::size_t index = 0;
  VisitWithLines(*read.root, read.elementLines, index,
                 [&](const CXMLNode& element, std::size_t line) {
                   const char* theme = config::AttributeText(element, "Theme");
                   const char* used = config::AttributeText(element, "name");
                   if (actions::EqualsIgnoringCase(element.Name(), "Action") && theme != nullptr &&
                       used != nullptr && name == used && !ActionExists(theme, used)) {
                     lines.push_back(line);
                   }
                 });
  return lines;
}

// Prints the message boxes. While a window rule's profile is read, its messages are the
// program's silent problems: they are printed as findings, and the question about a profile
// made for another controller is answered Yes, as the quiet load accepts it.
//
// A message belongs to the file the program read last, except the configuration's own
// messages, which it shows between the reads of its profiles.
class CheckMessages : public seam::IMessages, public XMLLoadObserver {
 public:
  explicit CheckMessages(std::string configPath) : configPath_(std::move(configPath)) {}

  void Loading(const char* path) override { reading_ = seam::ResolveProgramPath(path); }

  seam::MessageAnswer Show(const std::string& text, const std::string& caption,
                           seam::MessageButtons buttons, seam::MessageIcon icon) override {
    if (!context_.empty()) {
      if (buttons != seam::MessageButtons::Ok) return seam::MessageAnswer::Yes;
      Print(reading_, "silent " + context_ + replay::EscapeLineBreaks(text));
      return seam::MessageAnswer::Ok;
    }
    const seam::MessageAnswer answer = answers_.Show(text, caption, buttons, icon);
    Print(IsConfigurationMessage(text, caption) ? configPath_ : reading_,
          replay::MessageLine(text, caption, buttons, answer));
    return answer;
  }
  // Every finding of a load on a line of its own, under the file it was read from.
  void ShowFindings(const std::vector<seam::Finding>& findings) override {
    for (const seam::Finding& finding : findings) {
      const std::string file = IsConfigurationMessage(finding.text, finding.caption)
                                   ? configPath_
                                   : seam::ResolveProgramPath(finding.file);
      Print(file, context_.empty()
                      ? replay::MessageLine(finding.text, finding.caption, seam::MessageButtons::Ok,
                                            seam::MessageAnswer::Ok)
                      : "silent " + context_ + replay::EscapeLineBreaks(finding.text));
    }
  }
  // Takes a finding about the file at `path` (resolved), once: a repeat is counted. Where the
  // file uses a missing action is looked up now, while the library is loaded.
  void Print(const std::string& path, const std::string& line) {
    const auto [known, added] = index_.try_emplace(path + '\n' + line, findings_.size());
    if (added) {
      findings_.push_back({path, line, LinesUsingMissingAction(path, line), 1});
    } else {
      ++findings_[known->second].count;
    }
  }
  // Prints every finding under a line naming its file, repeated when the file changes.
  void PrintAll() const {
    std::string lastFile;
    for (const CheckFinding& finding : findings_) {
      if (finding.path != lastFile) std::printf("file %s\n", finding.path.c_str());
      lastFile = finding.path;
      std::printf("%s%s\n", finding.line.c_str(), finding.Where().c_str());
    }
  }
  void SetContext(std::string context) { context_ = std::move(context); }
  int Printed() const { return static_cast<int>(findings_.size()); }

 private:
  struct CheckFinding {
    std::string path, line;
    std::vector<std::size_t> lines;  // where the file holds what it is about, when known
    int count = 0;
    // " (used at lines 4, 9)", or " (3 times)" for a repeat without lines.
    std::string Where() const {
      if (lines.empty()) return count > 1 ? " (" + std::to_string(count) + " times)" : "";
      std::string where = lines.size() > 1 ? " (used at lines " : " (used at line ";
      for (std::size_t i = 0; i < lines.size(); ++i)
        where += (i > 0 ? ", " : "") + std::to_string(lines[i]);
      return where + ")";
    }
  };

  // The configuration shows its own problems between the reads of its files.
  static bool IsConfigurationMessage(const std::string& text, const std::string& caption) {
    return !seam::IsAboutFileRead(text, caption);
  }

  seam::SimMessages answers_;  // none scripted: No to every question
  std::string configPath_;
  std::string reading_;  // the file the program read last
  std::string context_;
  std::vector<CheckFinding> findings_;
  std::map<std::string, std::size_t> index_;  // path and line -> its place in findings_
};

class CConfigurationCheck {
 public:
  explicit CConfigurationCheck(const std::string& configPath)
      : settings_(ConfigurationSettings::ForConfigFile(configPath)),
        messages_(settings_.configPath) {
    settings_.readOnly = true;
    platform_.UseClock(&timers_);
    platform_.program().SetModuleFileName(settings_.modulePath);
  }

  // `shown` is CONFIG as the user gave it, for a refusal.
  int Run(const std::string& shown) {
    // A device or a pipe is no configuration to report on: it is refused like a folder.
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(settings_.configPath), error);
    if (!error && fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status)) {
      Complain("cannot open \"" + shown + "\": not a regular file");
      return kExitFailed;
    }
    const XMLReadResult config = ReadXMLFile(settings_.configPath);
    if (config.status == XMLReadStatus::CannotOpen) {
      Complain("cannot open \"" + shown + "\": " + config.reason);
      return kExitFailed;
    }
    seam::Services services = platform_.services();
    services.messages = &messages_;
    seam::ScopedServices installed(services);
    ScopedTimerService timerService(&timers_);
    ScopedLoadObserver observer(&messages_);

    if (config.status == XMLReadStatus::Ok) PlugConfiguredControllers(*config.root);
    {
      // The program reports a configuration it cannot read, saying what and where.
      CTandrelConfiguration configuration(settings_);
      if (config.status == XMLReadStatus::Ok) CheckSilentProblems(*config.root);
    }
    messages_.PrintAll();
    if (messages_.Printed() == 0) {
      std::printf("No problems found.\n");
      return kExitOk;
    }
    return kExitReported;
  }

 private:
  // Every ID with a default profile gets a controller that the profile fits.
  void PlugConfiguredControllers(const CXMLNode& root) {
    const CXMLNode* joysticks = root.FindChild("Joysticks", nullptr);
    if (joysticks == nullptr) return;
    for (const auto& entry : joysticks->Children()) {
      int id = 0;
      const char* fileName = config::AttributeText(*entry, "fileName");
      if (!actions::EqualsIgnoringCase(entry->Name(), "Joystick") ||
          !config::ReadEntryId(*entry, id) || id < 0 || id >= seam::kMaxJoysticks ||
          fileName == nullptr || platform_.joysticks().IsPresent(id)) {
        continue;
      }
      std::string name = "Gamepad";
      const XMLReadResult profile = ReadXMLFile(seam::ResolveProgramPath(fileName));
      if (profile.status == XMLReadStatus::Ok) {
        if (const char* made = config::AttributeText(*profile.root, "name")) name = made;
      }
      platform_.joysticks().Plug(id, seam::MakeJoystickCaps("ZRUV", 32, true, 0, 65535, name));
    }
  }

  void CheckSilentProblems(const CXMLNode& root) {
    if (const CXMLNode* actions = root.FindChild("Actions", nullptr)) {
      if (const char* fileName = config::AttributeText(*actions, "fileName")) {
        CheckFile(fileName, ActionValueFindings);
        CheckLinuxKeys(fileName);
      }
    }
    const CXMLNode* joysticks = root.FindChild("Joysticks", nullptr);
    if (joysticks == nullptr) return;
    std::set<std::string> checked;
    for (const auto& entry : joysticks->Children()) {
      if (!actions::EqualsIgnoringCase(entry->Name(), "Joystick")) continue;
      int id = -1;
      const bool validId = config::ReadEntryId(*entry, id) && id >= 0 && id < seam::kMaxJoysticks;
      if (const char* picture = config::AttributeText(*entry, "picture")) {
        std::error_code error;
        if (!fs::exists(fs::path(seam::ResolveProgramPath(picture)), error)) {
          messages_.Print(settings_.configPath, "silent The picture " + Quoted(picture) +
                                                    " of joystick " + std::to_string(id) +
                                                    " does not exist.");
        }
      }
      if (!validId) continue;
      const char* fileName = config::AttributeText(*entry, "fileName");
      // The program read it and reported a file it could not open or parse.
      if (fileName != nullptr && checked.insert(fileName).second) {
        CheckFile(fileName, ProfileValueFindings);
      }
      for (const auto& rule : entry->Children()) {
        if (!actions::EqualsIgnoringCase(rule->Name(), "Profile")) continue;
        CheckRule(id, *rule, checked);
      }
    }
  }

  // A window rule's profile is loaded quietly by the program, only when a window matches.
  void CheckRule(int id, const CXMLNode& rule, std::set<std::string>& checked) {
    const char* window = config::AttributeText(rule, "window");
    const char* fileName = config::AttributeText(rule, "fileName");
    const std::string what = "The profile " + Quoted(fileName != nullptr ? fileName : "") +
                             " for windows titled " + Quoted(window != nullptr ? window : "") +
                             " of joystick " + std::to_string(id);
    if (window == nullptr || fileName == nullptr) {
      messages_.Print(settings_.configPath,
                      "silent A window rule of joystick " + std::to_string(id) +
                          " has no \"window\" or no \"fileName\": it is never used.");
      return;
    }
    if (!checked.insert(fileName).second) return;  // read and reported already
    const std::string path = seam::ResolveProgramPath(fileName);
    const XMLReadResult profile = ReadXMLFile(path);
    if (profile.status == XMLReadStatus::CannotOpen) {
      std::error_code error;
      messages_.Print(path, "silent " + what +
                                (fs::exists(fs::path(path), error)
                                     ? " cannot be opened: " + profile.reason + "."
                                     : " does not exist."));
      return;
    }
    if (profile.status == XMLReadStatus::Malformed) {
      NotWellFormed(fileName, profile);
      return;
    }
    // What the quiet load would skip without a word.
    messages_.SetContext(what + ": ");
    CJoystick controller;
    if (controller.Open(id)) controller.LoadProfile(fileName, true);
    messages_.SetContext("");
    Findings(path, ProfileValueFindings(*profile.root));
  }

  // A file the program reads and reports when it cannot open or parse it: the values it would
  // take without a word.
  void CheckFile(const std::string& fileName,
                 std::vector<std::string> (*findings)(const CXMLNode&)) {
    const std::string path = seam::ResolveProgramPath(fileName);
    const XMLReadResult read = ReadXMLFile(path);
    if (read.status == XMLReadStatus::Ok) Findings(path, findings(*read.root));
  }

  // Keys the Linux program would not send, as "linux TEXT" lines.
  void CheckLinuxKeys(const std::string& fileName) {
    const std::string path = seam::ResolveProgramPath(fileName);
    const XMLReadResult read = ReadXMLFile(path);
    if (read.status != XMLReadStatus::Ok) return;
    for (const std::string& text : LinuxKeyFindings(*read.root))
      messages_.Print(path, "linux " + text);
  }

  void Findings(const std::string& path, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) messages_.Print(path, "silent " + text);
  }

  void NotWellFormed(const std::string& fileName, const XMLReadResult& read) {
    messages_.Print(seam::ResolveProgramPath(fileName), "silent The file " + Quoted(fileName) +
                                                            " is not well formed: " + read.reason +
                                                            ", at " + read.Position() + ".");
  }

  class ScopedLoadObserver {
   public:
    explicit ScopedLoadObserver(XMLLoadObserver* observer)
        : previous_(SetXMLLoadObserver(observer)) {}
    ~ScopedLoadObserver() { SetXMLLoadObserver(previous_); }
    ScopedLoadObserver(const ScopedLoadObserver&) = delete;
    ScopedLoadObserver& operator=(const ScopedLoadObserver&) = delete;

   private:
    XMLLoadObserver* previous_;
  };

  ConfigurationSettings settings_;
  seam::SimPlatform platform_;
  VirtualTimerService timers_;
  CheckMessages messages_;
};

}  // namespace

int RunCheck(const std::vector<std::string>& args) {
  if (args.size() != 1) return TakesOne("check", "CONFIG");
  std::error_code error;
  const fs::path full = fs::absolute(fs::path(args[0]), error);
  CConfigurationCheck check(error ? args[0] : full.lexically_normal().string());
  const int code = check.Run(args[0]);
  if (std::fflush(stdout) != 0) {
    Complain("cannot write the output");
    return kExitFailed;
  }
  return code;
}
