// Tandrel.exe as a process, started as a user starts it, with the real system under it: what
// it shows, which windows it makes and how it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "resource.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// The program in a folder of its own (with Hook.dll and the default files, if asked), started
// there with the command line's arguments.
class ProgramProcess {
 public:
  ProgramProcess(bool withFiles, const std::string& arguments) {
    const fs::path build(TANDREL_BUILD_DIR);
    fs::copy_file(build / "Tandrel.exe", folder.path() / "Tandrel.exe");
    for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
      if (withFiles)
        fs::copy_file(fs::path(TANDREL_SOURCE_DIR) / "data" / name, folder.path() / name);
    }
    if (withFiles) fs::copy_file(build / "Hook.dll", folder.path() / "Hook.dll");
    std::string command = "\"" + folder.File("Tandrel.exe") + "\" " + arguments;
    STARTUPINFOA startup = {sizeof(startup)};
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.path().string().c_str(), &startup, &process));
  }
  ~ProgramProcess() {
    TerminateProcess(process.hProcess, 9);  // when it is still running
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  // A top-level window of the process with this class (or any) and caption; with `wait`, the
  // first one within 20 s.
  HWND Find(const char* windowClass, const char* caption, bool wait = true) {
    for (int i = 0; i < (wait ? 2000 : 1); ++i, Sleep(10)) {
      for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, windowClass, caption)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == process.dwProcessId) return w;
      }
    }
    return nullptr;
  }
  // The exit code, or STILL_ACTIVE when the process runs on after the wait.
  DWORD ExitCode(DWORD waitMs = 20000) {
    DWORD code = 0;
    WaitForSingleObject(process.hProcess, waitMs);
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }

  TempFolder folder;
  PROCESS_INFORMATION process = {};
};

constexpr const char* kMainClass = "TandrelMainFrame";

TEST(Program, WithoutItsConfigurationItSaysSoAndEndsWithoutAWindow) {
  ProgramProcess program(false, "/NOCONFIGURE");
  HWND box = program.Find(nullptr, "Configuration Error");
  ASSERT_NE(box, nullptr);
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
  EXPECT_EQ(text, "Could not open the file \"" + program.folder.File("Tandrel.exe.config") + "\".");
  EXPECT_EQ(program.Find(kMainClass, nullptr, false), nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.ExitCode(), DWORD(-1));
}

// "/NoConfigure" counts in any case, anywhere on the command line.
TEST(Program, RunsHiddenUntilExitAndOpensItsWindowUnlessTold) {
  for (const char* arguments : {"-x/noConfigureX", ""}) {
    ProgramProcess program(true, arguments);
    if (*arguments == '\0') {
      HWND window = program.Find(nullptr, "Tandrel Configuration");
      ASSERT_NE(window, nullptr);
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
      for (int i = 0; i < 2000 && IsWindow(window); ++i) Sleep(10);
    }
    HWND main = program.Find(kMainClass, "Tandrel");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(SendMessageA(main, WM_CLOSE, 0, 0), 0);  // refused
    EXPECT_EQ(program.ExitCode(200), STILL_ACTIVE);
    EXPECT_EQ(program.Find(nullptr, "Tandrel Configuration", false), nullptr);
    EXPECT_EQ(program.Find(nullptr, "Error", false), nullptr);  // Hook.dll was found and installed
    PostMessageA(main, WM_COMMAND, ID_EXIT, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
  }
}

}  // namespace
