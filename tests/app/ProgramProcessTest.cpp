// Tandrel.exe as a process, started as a user starts it, with the real system under it: what
// it shows, which windows it makes and how it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "resource.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

class ProgramProcess {
 public:
  // Copies the program (and, if asked, Hook.dll and the default files) into a folder of its
  // own and starts it there with the command line's arguments.
  ProgramProcess(bool withFiles, const std::string& arguments) {
    const fs::path build(TANDREL_BUILD_DIR), data = fs::path(TANDREL_SOURCE_DIR) / "data";
    fs::copy_file(build / "Tandrel.exe", folder.path() / "Tandrel.exe");
    if (withFiles) {
      fs::copy_file(build / "Hook.dll", folder.path() / "Hook.dll");
      for (const char* name :
           {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
        fs::copy_file(data / name, folder.path() / name);
      }
    }
    std::string command = "\"";
    command += folder.File("Tandrel.exe");
    command += "\" ";
    command += arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    started = std::chrono::steady_clock::now();
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.path().string().c_str(), &startup, &process));
  }
  ~ProgramProcess() {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process.hProcess, 9);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }

  // A top-level window of the process with this class (or any class) and caption; waits up
  // to 20 s for it to appear.
  HWND Wait(const char* windowClass, const char* caption) {
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
         std::chrono::steady_clock::now() < end; Sleep(10)) {
      if (HWND window = Find(windowClass, caption)) return window;
    }
    return nullptr;
  }
  HWND Find(const char* windowClass, const char* caption) {
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, windowClass, caption));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == process.dwProcessId) return window;
    }
    return nullptr;
  }
  // The exit code, or STILL_ACTIVE when the process runs on after 20 s.
  DWORD ExitCode(DWORD waitMs = 20000) {
    WaitForSingleObject(process.hProcess, waitMs);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }

  TempFolder folder;
  PROCESS_INFORMATION process = {};
  std::chrono::steady_clock::time_point started;
};

constexpr const char* kMainClass = "TandrelMainFrame";

TEST(Program, WithoutItsConfigurationItSaysSoAndEndsWithoutAWindow) {
  ProgramProcess program(false, "/NOCONFIGURE");
  HWND box = program.Wait(nullptr, "Configuration Error");
  ASSERT_NE(box, nullptr);
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
  EXPECT_EQ(std::string(text),
            "Could not open the file \"" + program.folder.File("Tandrel.exe.config") + "\".");
  EXPECT_EQ(program.Find(kMainClass, nullptr), nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.ExitCode(), DWORD(-1));
}

TEST(Program, RunsHiddenUntilExitAndOpensItsWindowUnlessTold) {
  {
    ProgramProcess program(true, "-x/noConfigureX");
    HWND main = program.Wait(kMainClass, "Tandrel");
    ASSERT_NE(main, nullptr);
    std::printf("start-up to the main window: %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - program.started)
                                           .count()));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(SendMessageA(main, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(program.ExitCode(200), STILL_ACTIVE);
    EXPECT_EQ(program.Find(nullptr, "Tandrel Configuration"), nullptr);
    EXPECT_EQ(program.Find(nullptr, "Error"), nullptr);  // Hook.dll was found and installed
    PostMessageA(main, WM_COMMAND, ID_EXIT, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
  }
  ProgramProcess program(true, "");
  HWND window = program.Wait(nullptr, "Tandrel Configuration");
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  HWND main = program.Wait(kMainClass, "Tandrel");
  for (int i = 0; i < 2000 && IsWindow(window); ++i) Sleep(10);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(program.ExitCode(100), STILL_ACTIVE);
  PostMessageA(main, WM_COMMAND, ID_EXIT, 0);
  EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
