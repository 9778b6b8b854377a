// The Windows installer in this Wine prefix's own user folders, as a user meets it: installed
// silently, then updated and uninstalled through the wizard while Tandrel runs and other
// programs hold program files: the Hook.dll of an earlier version, which the system loaded into
// them through that version's window hook, and tandrel-cli.exe. A file a program still holds
// has to be moved aside, and the installer says that it goes at the next restart; the "restart"
// is played at the end (the programs let go, and the per-user RunOnce commands run as Windows
// runs them at the next sign-in).
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, whose declarations they use.
#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path KnownFolder(int folder) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// Starts a program without standard streams: one left running must not hold the test
// runner's pipes. The caller owns the process handle.
HANDLE Start(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

// The exit code of a process that must end within a minute; -1 when it did not.
DWORD ExitCodeOf(HANDLE process) {
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return code;
}

std::string Read(const fs::path& file) {
  std::ostringstream bytes;
  bytes << std::ifstream(file, std::ios::binary).rdbuf();
  return bytes.str();
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

// What the installers leave in the temporary folder: the uninstaller's copy (~nsu*) and the
// folders of their own helpers (ns*.tmp); other tests use the folder meanwhile.
std::set<std::string> InstallersTemporaryFiles() {
  std::set<std::string> names;
  for (const std::string& name : Names(fs::temp_directory_path())) {
    if (name.starts_with("~nsu") || (name.starts_with("ns") && name.ends_with(".tmp")))
      names.insert(name);
  }
  return names;
}

// Waits for what another process does; false when it has not happened within a minute.
bool Eventually(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// A program file held as a program that runs it or has loaded it holds it (an image mapping):
// it can be read and renamed, neither written nor removed.
HMODULE HoldAsAProgramDoes(const fs::path& file) {
  return LoadLibraryExA(file.string().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

// Whether the process has Tandrel's hidden main window (other tests may show theirs meanwhile).
bool HasMainWindow(HANDLE process) {
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "TandrelMainFrame", "Tandrel"));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == GetProcessId(process)) return true;
  }
  return false;
}

// The visible windows with their texts: the top-level ones, or the controls within a window.
std::vector<std::pair<HWND, std::string>> VisibleWindows(HWND parent = nullptr) {
  std::vector<std::pair<HWND, std::string>> windows;
  auto add = [](HWND window, LPARAM into) -> BOOL {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (IsWindowVisible(window))
      reinterpret_cast<decltype(windows)*>(into)->emplace_back(window, text);
    return TRUE;
  };
  const LPARAM into = reinterpret_cast<LPARAM>(&windows);
  parent != nullptr ? EnumChildWindows(parent, add, into) : EnumWindows(add, into);
  return windows;
}

// The installer's wizard, a window of another process, driven through its controls.
class Wizard {
 public:
  // The wizard whose caption starts with these words (the uninstaller's ends in a space).
  explicit Wizard(const std::string& caption) {
    Eventually([&] {
      for (const auto& [window, text] : VisibleWindows())
        if (text.starts_with(caption)) window_ = window;
      return window_ != nullptr;
    });
  }
  bool Found() const { return window_ != nullptr; }
  // The texts of every visible control, one a line.
  std::string Texts() const {
    std::string texts;
    for (const auto& [control, text] : VisibleWindows(window_)) texts += text + "\n";
    return texts;
  }
  bool Shows(const std::string& words) const {
    return Eventually([&] { return Texts().find(words) != std::string::npos; });
  }
  // The visible control with this text.
  HWND Control(const std::string& text) const {
    for (const auto& [control, itsText] : VisibleWindows(window_))
      if (itsText == text) return control;
    return nullptr;
  }
  // Whether a control shows this text whole, once it is there: its lines, at the control's
  // width and font, fit its height.
  bool ShowsWhole(const std::string& words) const {
    return Eventually([&] {
      HWND label = Control(words);
      RECT box = {}, needed = {};
      GetClientRect(label, &box);
      needed.right = box.right;
      HDC dc = GetDC(label);
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
      DrawTextA(dc, words.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
      ReleaseDC(label, dc);
      return label != nullptr && needed.bottom <= box.bottom;
    });
  }
  // A click on the enabled button or check box with this text, once it is there.
  void Click(const std::string& text) const {
    HWND button = nullptr;
    ASSERT_TRUE(Eventually([&] {
      button = Control(text);
      return button != nullptr && IsWindowEnabled(button);
    })) << text
        << " in\n"
        << Texts();
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, nullptr);
  }

 private:
  HWND window_ = nullptr;
};

constexpr const char* kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kUninstallEntry =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tandrel";

// A text value of the registry; empty when there is none.
std::string Value(HKEY root, const char* key, const char* name) {
  char text[2048] = {};
  DWORD size = sizeof(text);
  RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

// What Windows runs at the next sign-in for the installer: the per-user RunOnce commands. Windows
// forgets each as it runs it: so does `take`.
std::map<std::string, std::string> RemovalsAtNextSignIn(bool take = false) {
  std::map<std::string, std::string> commands;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunOnce, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return commands;
  char name[1024], command[2048];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name), commandSize = sizeof(command), type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(command),
                      &commandSize) != ERROR_SUCCESS) {
      break;
    }
    if (std::string(name).starts_with("Tandrel")) commands[name] = command;
  }
  RegCloseKey(key);
  for (const auto& [name, command] : commands)
    if (take) RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunOnce, name.c_str());
  return commands;
}

const char* const kUsersFiles[] = {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml",
                                   "SlideShow.xml"};
const char* const kProgramFiles[] = {"Tandrel.exe", "tandrel-cli.exe", "Tandrel.html",
                                     "Uninstall.exe"};
const char* const kKept = "Your configuration, actions and profiles";

TEST(Installer, UpdatesAndUninstallsWhileTandrelAndOtherProgramsRunKeepingTheUsersFiles) {
  // The build folder's installer, seen from Windows (Wine shows the root as drive Z:).
  const std::string setup = "\"Z:" + fs::path(TANDREL_SETUP).make_preferred().string() + "\"";
  const fs::path folder = KnownFolder(CSIDL_LOCAL_APPDATA) / "Programs" / "Tandrel";
  const fs::path shortcut = KnownFolder(CSIDL_PROGRAMS) / "Tandrel.lnk";
  fs::remove_all(folder);
  RemovalsAtNextSignIn(true);  // of an earlier run that failed
  const std::set<std::string> temporaryBefore = InstallersTemporaryFiles();

  ASSERT_EQ(ExitCodeOf(Start(setup + " /S")), 0u);
  for (const char* file : kProgramFiles) EXPECT_TRUE(fs::exists(folder / file)) << file;
  for (const char* file : kUsersFiles) EXPECT_TRUE(fs::exists(folder / file)) << file;
  EXPECT_TRUE(fs::exists(shortcut));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstallEntry, "Publisher"), "The Tandrel developers");

  // An earlier version's Hook.dll (any program image will do), which another program holds;
  // the installed program comes up to its message loop with its hidden main window.
  const fs::path hook = folder / "Hook.dll";
  fs::copy_file(folder / "tandrel-cli.exe", hook);
  const std::string previousHook = Read(hook);
  HMODULE heldHook = HoldAsAProgramDoes(hook);
  ASSERT_NE(heldHook, nullptr);
  HANDLE program = Start("\"" + (folder / "Tandrel.exe").string() + "\" /NoConfigure");
  ASSERT_EQ(WaitForInputIdle(program, 60000), 0u);
  EXPECT_TRUE(Eventually([&] { return HasMainWindow(program); }));

  // The update through the wizard: it says what stays, closes Tandrel (which exits normally),
  // removes Hook.dll although another program holds it, keeps the user's edited actions and
  // says that the old copy goes at the next restart.
  const std::string edited = Read(folder / "Actions.xml") + "\r\n";
  std::ofstream(folder / "Actions.xml", std::ios::binary | std::ios::app) << "\r\n";
  fs::remove(folder / "Tandrel.html");
  HANDLE update = Start(setup);
  {
    Wizard wizard("Tandrel 3.20 Setup");
    ASSERT_TRUE(wizard.Found());
    EXPECT_TRUE(wizard.Shows("are kept when you update or uninstall Tandrel"));
    wizard.Click("&Next >");
    wizard.Click("&Install");
    ASSERT_TRUE(wizard.ShowsWhole(
        "Tandrel 3.20 has been installed; your configuration, actions and profiles are "
        "kept.\r\n\r\nOther programs still use the previous version's Hook.dll: it goes when "
        "Windows restarts."))
        << wizard.Texts();
    wizard.Click("&Run Tandrel 3.20");  // neither start the program nor open the manual now
    wizard.Click("Show the user manual");
    wizard.Click("&Finish");
  }
  EXPECT_EQ(ExitCodeOf(update), 0u);
  EXPECT_EQ(ExitCodeOf(program), 0u);
  EXPECT_FALSE(fs::exists(hook));
  EXPECT_EQ(Read(folder / "Hook.dll.old1"), previousHook);
  EXPECT_TRUE(fs::exists(folder / "Tandrel.html"));
  EXPECT_EQ(Read(folder / "Actions.xml"), edited);
  ASSERT_EQ(RemovalsAtNextSignIn().size(), 1u);

  // The uninstall through the wizard while a copy unzipped elsewhere runs on (the download's
  // folder, as "Start Here.txt" names it) and another program holds tandrel-cli.exe: the program
  // is removed but for tandrel-cli.exe, which goes at the restart that the wizard asks for
  // (later, as chosen for the user); the user's files stay. "Launch On Startup" of this copy (an
  // older version's machine-wide value) goes, the unzipped copy's stays.
  const fs::path download =
      "Z:" + (fs::path(TANDREL_SETUP).parent_path() / "Tandrel-3.20").string();
  EXPECT_NE(Read(download / "Start Here.txt").find("Unzip the folder Tandrel-3.20"),
            std::string::npos);
  const fs::path unzipped = fs::temp_directory_path() / "Tandrel unzipped";
  fs::remove_all(unzipped);
  fs::copy(download, unzipped);
  const std::string otherStart = "\"" + (unzipped / "Tandrel.exe").string() + "\" /NoConfigure";
  HANDLE otherCopy = Start(otherStart);
  ASSERT_TRUE(Eventually([&] { return HasMainWindow(otherCopy); }));  // it has read its files
  RegSetKeyValueA(HKEY_CURRENT_USER, kRun, "Tandrel", REG_SZ, otherStart.c_str(),
                  otherStart.size() + 1);
  const std::string ownStart = (folder / "Tandrel.exe").string() + " /NoConfigure";
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kRun, "Tandrel", REG_SZ, ownStart.c_str(),
                  ownStart.size() + 1);
  HMODULE heldTool = HoldAsAProgramDoes(folder / "tandrel-cli.exe");
  ASSERT_NE(heldTool, nullptr);
  EXPECT_EQ(ExitCodeOf(Start("\"" + (folder / "Uninstall.exe").string() + "\"")), 0u);
  {
    Wizard wizard("Tandrel 3.20 Uninstall");
    ASSERT_TRUE(wizard.Found());
    EXPECT_TRUE(wizard.Shows(kKept + std::string(" stay in this folder")));
    wizard.Click("&Uninstall");
    ASSERT_TRUE(
        wizard.ShowsWhole("Tandrel has been uninstalled but for tandrel-cli.exe, which "
                          "other programs use: restart Windows to remove it.\r\n" +
                          std::string(kKept) + " stay in " + folder.string() + "."))
        << wizard.Texts();
    ASSERT_EQ(SendMessageA(wizard.Control("I want to manually reboot later"), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    wizard.Click("&Finish");
  }
  EXPECT_TRUE(fs::exists(folder / "tandrel-cli.exe.old1"));
  for (const char* file : kProgramFiles) EXPECT_FALSE(fs::exists(folder / file)) << file;
  EXPECT_FALSE(fs::exists(shortcut));
  EXPECT_EQ(Read(folder / "Actions.xml"), edited);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstallEntry, "Publisher"), "");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRun, "Tandrel"), "");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kRun, "Tandrel"), otherStart);
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun, "Tandrel");
  // Windows runs the uninstaller as a copy in a temporary folder; neither stays.
  EXPECT_TRUE(Eventually([&] { return InstallersTemporaryFiles() == temporaryBefore; }));

  // A restart: every program ends (and lets go of the files it held), then the RunOnce commands
  // run.
  EXPECT_EQ(WaitForSingleObject(otherCopy, 0), WAIT_TIMEOUT);
  TerminateProcess(otherCopy, 0);
  ExitCodeOf(otherCopy);
  for (HMODULE file : {heldHook, heldTool}) FreeLibrary(file);
  for (const auto& [name, command] : RemovalsAtNextSignIn(true))
    EXPECT_EQ(ExitCodeOf(Start(command)), 0u) << command;
  EXPECT_EQ(Names(folder), std::set<std::string>(std::begin(kUsersFiles), std::end(kUsersFiles)));
  EXPECT_TRUE(RemovalsAtNextSignIn().empty());
  fs::remove_all(folder);
  fs::remove_all(unzipped);
}

}  // namespace
