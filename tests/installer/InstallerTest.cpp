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

TEST(Installer, InstallsStartsUpdatesKeepingTheUsersFilesAndUninstalls) {
  // The build folder's installer, seen from Windows (Wine shows the root as drive Z:).
  const std::string setup = "\"Z:" + fs::path(TANDREL_SETUP).make_preferred().string() + "\" /S";
  const fs::path folder = KnownFolder(CSIDL_LOCAL_APPDATA) / "Programs" / "Tandrel";
  const fs::path shortcut = KnownFolder(CSIDL_PROGRAMS) / "Tandrel.lnk";
  const char* const programFiles[] = {"Tandrel.exe", "Hook.dll", "tandrel-cli.exe", "Tandrel.html"};
  fs::remove_all(folder);
  ASSERT_EQ(ExitCodeOf(Start(setup)), 0u);
  for (const char* file : programFiles) EXPECT_TRUE(fs::exists(folder / file)) << file;
  for (const char* file : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"})
    EXPECT_TRUE(fs::exists(folder / file)) << file;
  EXPECT_TRUE(fs::exists(shortcut));

  // The installed program comes up to its message loop with its hidden main window.
  HANDLE program = Start("\"" + (folder / "Tandrel.exe").string() + "\" /NoConfigure");
  ASSERT_EQ(WaitForInputIdle(program, 60000), 0u);
  DWORD owner = 0;
  GetWindowThreadProcessId(FindWindowA("TandrelMainFrame", "Tandrel"), &owner);
  EXPECT_EQ(owner, GetProcessId(program));

  // An update over the running program: it is asked to exit (and does so normally), its
  // files are replaced, and the user's edited actions stay.
  const std::string edited = Read(folder / "Actions.xml") + "\r\n";
  std::ofstream(folder / "Actions.xml", std::ios::binary | std::ios::app) << "\r\n";
  fs::remove(folder / "Tandrel.html");
  ASSERT_EQ(ExitCodeOf(Start(setup)), 0u);
  EXPECT_EQ(ExitCodeOf(program), 0u);
  EXPECT_TRUE(fs::exists(folder / "Tandrel.html"));
  EXPECT_EQ(Read(folder / "Actions.xml"), edited);

  // Run in place (_?=) so that it ends when it is done; it cannot remove itself then.
  ASSERT_EQ(
      ExitCodeOf(Start("\"" + (folder / "Uninstall.exe").string() + "\" /S _?=" + folder.string())),
      0u);
  for (const char* file : programFiles) EXPECT_FALSE(fs::exists(folder / file)) << file;
  EXPECT_FALSE(fs::exists(shortcut));
  EXPECT_EQ(Read(folder / "Actions.xml"), edited);
  HKEY key = nullptr;
  const char* entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tandrel";
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, entry, 0, KEY_READ, &key), ERROR_SUCCESS);
  fs::remove_all(folder);
}

}  // namespace
