// The platform seam: one narrow interface per system facility the core uses, and the
// process-wide holder of the implementations in force. The Windows program installs the
// Win32 adapters at start-up; tests and tandrel-cli install the simulated ones. Nothing in
// the core calls the system any other way.
//
// Threading: every interface may be called from the main thread and the timer thread at once;
// each implementation guards its own state. The holder itself is written only while no other
// thread uses the platform (start-up, a test's set-up and tear-down).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/Findings.h"
#include "platform/Types.h"

namespace seam {

// The multimedia joystick functions.
class IJoysticks {
 public:
  virtual ~IJoysticks() = default;
  // The simple position query succeeds for this ID.
  virtual bool IsPresent(int id) = 0;
  // Fills caps; false (caps untouched) when the device cannot be queried.
  virtual bool GetCaps(int id, JoystickCaps& caps) = 0;
  // Fills state; false (state untouched) when the device cannot be read.
  virtual bool GetState(int id, JoystickState& state) = 0;
};

// Synthetic keyboard and mouse events.
class IInput {
 public:
  virtual ~IInput() = default;
  virtual void KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) = 0;
  virtual void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                          std::int32_t data) = 0;
};

// The keyboard layout: MapVirtualKeyA and VkKeyScanA.
class IKeyboardLayout {
 public:
  virtual ~IKeyboardLayout() = default;
  // mapType kMapVkToScan: scan code of a virtual key; kMapVkToChar: its unshifted character
  // (0 for keys without one). 0 when there is no translation.
  virtual unsigned MapKey(unsigned code, unsigned mapType) = 0;
  // Virtual key in the low byte, shift state in the high byte; -1 when no key types it.
  virtual std::int16_t KeyForChar(char ch) = 0;
};

// Desktop settings and geometry.
class IDesktop {
 public:
  virtual ~IDesktop() = default;
  virtual int KeyboardDelay() = 0;  // 0..3
  virtual int KeyboardSpeed() = 0;  // 0..31
  virtual int FullScreenWidth() = 0;
  virtual int FullScreenHeight() = 0;
  virtual bool GetCursorPos(int& x, int& y) = 0;
};

// The millisecond tick count (wraps after 2^32 ms).
class IClock {
 public:
  virtual ~IClock() = default;
  virtual std::uint32_t TickCount() = 0;
};

// Message boxes without an owner window. The answer of a plain message is Ok.
class IMessages {
 public:
  virtual ~IMessages() = default;
  virtual MessageAnswer Show(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) = 0;
  // The findings of one load (Findings.h): one box for all of them, combined by
  // CombineFindings; nothing for none. A checker that lists every finding overrides it.
  virtual void ShowFindings(const std::vector<Finding>& findings);
};

// The start-up entry: a named value in the list of programs started with the system.
class IStartupEntry {
 public:
  virtual ~IStartupEntry() = default;
  // false when the list cannot be opened or written.
  virtual bool Write(const std::string& name, const std::string& command) = 0;
  // Removing a missing value is no error; false only when the list cannot be opened.
  virtual bool Remove(const std::string& name) = 0;
};

// The running program itself.
class IProgram {
 public:
  virtual ~IProgram() = default;
  // Full path of the program's module file.
  virtual std::string ModuleFileName() = 0;
};

// A file opened for reading, or why it was not.
struct OpenedFile {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file{nullptr, std::fclose};
  std::string why;       // when there is no file: the reason in a few words
  bool missing = false;  // no file of that name exists
};

// How a write of the file adapter ended.
struct FileWrite {
  bool done = false;
  bool nameTaken = false;  // CreateDurably: another file already had the name
  std::string why;         // not done: what the system said, in a few words ("permission denied")
  explicit operator bool() const { return done; }
};

// Files read, and written whole and replaced in one step: the program's documents. Paths are
// UTF-8.
class IFiles {
 public:
  virtual ~IFiles() = default;
  // Opens a regular file for binary reading. Anything else (a folder, a device such as "COM1",
  // a pipe) is refused without being opened for reading, so that nothing can block the reader.
  virtual OpenedFile OpenForReading(const std::string& path) = 0;
  // Creates `path` only when no file of that name exists, writes `bytes` and returns once they
  // have reached the disk. Not done when anything fails, with no file left behind.
  virtual FileWrite CreateDurably(const std::string& path, const std::string& bytes) = 0;
  // Puts the file `from` in the place of `to`, replacing it in one step, and returns once the
  // change has reached the disk. The new file keeps the permissions of the one it replaces. Not
  // done, with both files as they were, when it fails.
  virtual FileWrite Replace(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
  // The file that writing `path` must replace: the final target when `path` is a symbolic link
  // (so that the link stays a link), else `path` itself.
  virtual std::string WriteTarget(const std::string& path) = 0;
};

// The implementations in force. Not owned.
struct Services {
  IJoysticks* joysticks = nullptr;
  IInput* input = nullptr;
  IKeyboardLayout* keyboardLayout = nullptr;
  IDesktop* desktop = nullptr;
  IClock* clock = nullptr;
  IMessages* messages = nullptr;
  IStartupEntry* startupEntry = nullptr;
  IProgram* program = nullptr;
  IFiles* files = nullptr;
};

// Installs a set of implementations and returns the previous one.
Services Install(const Services& services);
const Services& Current();

// Shorthands for the core; each requires an installed implementation.
IJoysticks& Joysticks();
IInput& Input();
IKeyboardLayout& KeyboardLayout();
IDesktop& Desktop();
IClock& Clock();
IMessages& Messages();
IStartupEntry& StartupEntry();
IProgram& Program();
IFiles& Files();

// The system's own files of this build (POSIX or Win32), which the simulated set uses too.
IFiles& SystemFiles();

// Installs a set for the life of the object and restores the previous one after.
class ScopedServices {
 public:
  explicit ScopedServices(const Services& services) : previous_(Install(services)) {}
  ~ScopedServices() { Install(previous_); }
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services previous_;
};

// The program's folder: the module file name cut just after its last path separator
// ("\" or "/"), so it keeps the trailing separator.
std::string ProgramFolder();

// A stored path is absolute when its second character is ':' or, on POSIX, when it starts
// with '/'; otherwise it is taken relative to the program folder.
bool IsAbsolutePath(const std::string& path);
std::string ResolveProgramPath(const std::string& path);

// Reports an error with the OK button (Report: collected while the thread collects findings).
void ShowError(const std::string& text, const std::string& caption);
// Shows collected findings: Messages().ShowFindings.
void ShowFindings(const std::vector<Finding>& findings);

// The answer of a box closed without a choice: Ok, Cancel for Ok/Cancel, No for the questions.
MessageAnswer DefaultAnswer(MessageButtons buttons);

}  // namespace seam
