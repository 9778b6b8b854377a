// The Windows installer, silently, in this Wine prefix's own user folders: it puts the program
// into the user's programs folder with a Start-menu entry, the installed program starts, an
// update replaces the running program but keeps the user's edited files, and the uninstaller
// removes the program and leaves those files.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, whose declarations it uses.
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace {

const char* const kProgramFiles[] = {"Tandrel.exe", "Hook.dll", "tandrel-cli.exe", "Tandrel.html"};
const char* const kUserFiles[] = {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml",
                                  "SlideShow.xml"};

fs::path KnownFolder(int folder) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// Starts a program; the caller owns the process handle.
HANDLE Start(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  // No standard streams: a program left running must not hold the test runner's pipes.
  startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

// The exit code of a process that must end within a minute; -1 when it did not.
DWORD ExitCodeOf(HANDLE process) {
  DWORD code = static_cast<DWORD>(-1);
  if (process != nullptr && WaitForSingleObject(process, 60000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process, &code);
  }
  if (process != nullptr) CloseHandle(process);
  return code;
}

std::string Quoted(const fs::path& path) {
  std::string quoted = "\"";
  quoted += path.string();
  return quoted += '"';
}

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::remove_all(folder); }
  void TearDown() override {
    if (program != nullptr && WaitForSingleObject(program, 0) == WAIT_TIMEOUT) {
      TerminateProcess(program, 1);
      WaitForSingleObject(program, 60000);
    }
    if (program != nullptr) CloseHandle(program);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  // The build folder's installer, seen from Windows (Wine shows the root as drive Z:).
  const std::string setup =
      Quoted("Z:" + fs::path(TANDREL_SETUP).make_preferred().string()) + " /S";
  const fs::path folder = KnownFolder(CSIDL_LOCAL_APPDATA) / "Programs" / "Tandrel";
  const fs::path shortcut = KnownFolder(CSIDL_PROGRAMS) / "Tandrel.lnk";
  HANDLE program = nullptr;  // the installed program, while it runs
};

TEST_F(InstallerTest, InstallsStartsUpdatesKeepingTheUsersFilesAndUninstalls) {
  ASSERT_EQ(ExitCodeOf(Start(setup)), 0u);
  for (const char* file : kProgramFiles) EXPECT_TRUE(fs::exists(folder / file)) << file;
  for (const char* file : kUserFiles) EXPECT_TRUE(fs::exists(folder / file)) << file;
  EXPECT_TRUE(fs::exists(shortcut));

  // The installed program comes up to its message loop with its hidden main window.
  program = Start(Quoted(folder / "Tandrel.exe") + " /NoConfigure");
  ASSERT_NE(program, nullptr);
  ASSERT_EQ(WaitForInputIdle(program, 60000), 0u);
  HWND window = FindWindowA("TandrelMainFrame", "Tandrel");
  ASSERT_NE(window, nullptr);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  EXPECT_EQ(owner, GetProcessId(program));

  // An update over the running program: it is asked to exit (and does so normally), its
  // files are replaced, and the user's edited actions stay.
  const std::string edited = Read(folder / "Actions.xml") + "\r\n";
  std::ofstream(folder / "Actions.xml", std::ios::binary | std::ios::app) << "\r\n";
  fs::remove(folder / "Tandrel.html");
  ASSERT_EQ(ExitCodeOf(Start(setup)), 0u);
  EXPECT_EQ(ExitCodeOf(std::exchange(program, nullptr)), 0u);
  EXPECT_TRUE(fs::exists(folder / "Tandrel.html"));
  EXPECT_EQ(Read(folder / "Actions.xml"), edited);

  // Run in place (_?=) so that it ends when it is done; it cannot remove itself then.
  ASSERT_EQ(ExitCodeOf(Start(Quoted(folder / "Uninstall.exe") + " /S _?=" + folder.string())), 0u);
  for (const char* file : kProgramFiles) EXPECT_FALSE(fs::exists(folder / file)) << file;
  EXPECT_FALSE(fs::exists(shortcut));
  EXPECT_EQ(Read(folder / "Actions.xml"), edited);
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tandrel", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
}

}  // namespace
