// tandrel as a process: the first run's configuration folder, the start-up entry, the one-line
// failures, the window rules through real X properties, and the ways it ends (a signal while
// keys and buttons are held, the X server going away) with nothing left pressed.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>

#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "support/XRecorder.h"
#include "support/XvfbServer.h"

#include <X11/keysym.h>

namespace {

namespace fs = std::filesystem;

class ProgramTest : public ::testing::Test {
 protected:
  void CopyDefaults(const fs::path& to) {
    fs::create_directories(to);
    for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
      fs::copy_file(fs::path(TANDREL_SOURCE_DIR) / "data" / name, to / name,
                    fs::copy_options::overwrite_existing);
    }
  }
  static void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  std::unique_ptr<ChildProcess> Start(std::vector<std::string> args,
                                      std::vector<std::string> env = {}) {
    env.insert(env.begin(), {"XDG_CONFIG_HOME=" + (home.path() / "config").string(),
                             "XDG_RUNTIME_DIR=" + home.path().string()});
    const std::string name = "process" + std::to_string(++started_);
    return std::make_unique<ChildProcess>(args, env, home.File(name + ".out"),
                                          home.File(name + ".err"));
  }
  // Running: it has reported the active window's title.
  static bool Running(const ChildProcess& process) {
    return process.Out().find("window \"") != std::string::npos;
  }

  TempFolder home;

 private:
  int started_ = 0;
};

TEST_F(ProgramTest, TheFirstRunSeedsTheConfigurationFolderAndKeepsWhatIsThere) {
  const fs::path folder = home.path() / "config" / "tandrel";
  const std::string slideShow = ReadFile(std::string(TANDREL_SOURCE_DIR) + "/data/SlideShow.xml");
  Write(folder / "Gamepad.xml", slideShow);
  Write(home.path() / "config" / "autostart" / "tandrel.desktop", "[Desktop Entry]\n");
  auto first = Start({TANDREL_PROGRAM, "run", "--verbose"});
  ASSERT_TRUE(Eventually([&] { return Running(*first); })) << first->Err();
  // One program per display.
  auto second = Start({TANDREL_PROGRAM, "run"});
  EXPECT_EQ(second->Wait(), 1);
  EXPECT_NE(second->Err().find("tandrel: another tandrel already runs on this display"),
            std::string::npos);
  first->Signal(SIGINT);
  EXPECT_EQ(first->Wait(), 0);
  EXPECT_EQ(first->Out().substr(0, first->Out().find('\n')),
            "tandrel: first run: copied the default files to " + folder.string());
  EXPECT_EQ(ReadFile((folder / "Gamepad.xml").string()), slideShow);
  for (const char* name : {"Tandrel.exe.config", "Actions.xml"})
    EXPECT_TRUE(fs::exists(folder / name));
  // The default configuration does not start with the desktop.
  EXPECT_FALSE(fs::exists(home.path() / "config" / "autostart" / "tandrel.desktop"));

  // Launching on start-up writes the autostart entry that runs this folder.
  const fs::path mine = home.path() / "my files";
  CopyDefaults(mine);
  std::string config = ReadFile((mine / "Tandrel.exe.config").string());
  config.replace(config.find("\"false\""), 7, "\"true\"");
  Write(mine / "Tandrel.exe.config", config);
  auto third = Start({TANDREL_PROGRAM, "run", mine.string()});
  ASSERT_TRUE(Eventually(
      [&] { return fs::exists(home.path() / "config" / "autostart" / "tandrel.desktop"); }));
  third->Signal(SIGTERM);
  EXPECT_EQ(third->Wait(), 0);
  const std::string entry =
      ReadFile((home.path() / "config" / "autostart" / "tandrel.desktop").string());
  EXPECT_NE(
      entry.find("\nExec=\"" + std::string(TANDREL_PROGRAM) + "\" run \"" + mine.string() + "\"\n"),
      std::string::npos)
      << entry;
  EXPECT_EQ(third->Out(), "") << "nothing is printed without --verbose";
}

TEST_F(ProgramTest, EveryFailureIsOneLineAndANonZeroExit) {
  CopyDefaults(home.path() / "good");
  CopyDefaults(home.path() / "broken");
  Write(home.path() / "broken" / "Tandrel.exe.config", "<Configuration >\r\n</Configuration>\r\n");
  fs::create_directories(home.path() / "empty");
  const std::string good = (home.path() / "good").string();
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> env;
    int code;
    std::string line;  // a line of stderr
  } cases[] = {
      {{}, {}, 2, "tandrel: no command given"},
      {{"start"}, {}, 2, "tandrel: unknown command \"start\""},
      {{"run", "a", "b"}, {}, 2, "tandrel: run takes one FOLDER"},
      {{"run", "--fast"}, {}, 2, "tandrel: unknown option \"--fast\""},
      {{"run", "missing"}, {}, 1, "tandrel: \"missing\" is not a folder"},
      {{"run", "empty"}, {}, 1, "tandrel: there is no Tandrel.exe.config in \"empty\""},
      {{"run"},
       {"XDG_CONFIG_HOME=", "HOME="},
       1,
       "tandrel: neither XDG_CONFIG_HOME nor HOME names a folder for the configuration"},
      {{"run", good}, {"DISPLAY=:9999"}, 1, "tandrel: cannot open the X display \":9999\""},
      {{"run", "broken"},
       {},
       1,
       "tandrel: the configuration \"" + (home.path() / "broken" / "Tandrel.exe.config").string() +
           "\" cannot be used"},
  };
  const fs::path previous = fs::current_path();
  fs::current_path(home.path());
  for (const auto& c : cases) {
    std::vector<std::string> args = {TANDREL_PROGRAM};
    args.insert(args.end(), c.args.begin(), c.args.end());
    auto process = Start(args, c.env);
    EXPECT_EQ(process->Wait(), c.code) << c.line;
    const std::string err = process->Err();
    EXPECT_NE(err.find(c.line + "\n"), std::string::npos) << err;
    if (c.code == 1)
      EXPECT_EQ(err.substr(err.rfind('\n', err.size() - 2) + 1), c.line + "\n") << err;
    EXPECT_EQ(process->Out(), "");
  }
  fs::current_path(previous);
}

TEST_F(ProgramTest, TheXServerGoingAwayEndsTheProgram) {
  CopyDefaults(home.path() / "files");
  XvfbServer server;
  auto process = Start({TANDREL_PROGRAM, "run", (home.path() / "files").string(), "--verbose"},
                       {"DISPLAY=" + server.Display()});
  ASSERT_TRUE(Eventually([&] { return Running(*process); })) << process->Err();
  server.Kill();
  EXPECT_EQ(process->Wait(), 1);
  EXPECT_EQ(process->Err(), "tandrel: lost the connection to the X server\n");
}

// As a window manager sets them: the active window (_NET_ACTIVE_WINDOW) and its title
// (_NET_WM_NAME, or a Latin-1 WM_NAME alone; at most 254 bytes, cut where a character begins)
// choose the profile, and button 6 does what it says: the Right arrow key in SlideShow.xml,
// Enter in Gamepad.xml. At the end, SIGTERM while a key and a button are held leaves nothing
// pressed.
TEST_F(ProgramTest, TheProfileFollowsTheActiveWindowAndItsTitleAndNothingStaysPressed) {
  CopyDefaults(home.path() / "files");
  XRecorder recorder;  // the window manager, and the window the keys reach
  recorder.Activate(0);
  const Window slides = recorder.MakeWindow("Quarterly Review - Slide Show");
  const Window notes = recorder.MakeWindow("Caf\xe9 - Editor", false);
  const Window gone = recorder.MakeWindow("Slide Show");
  XDestroyWindow(recorder.display(), gone);
  auto process = Start({TANDREL_WITH_PAD, (home.path() / "files").string()});
  ASSERT_TRUE(Eventually([&] { return Running(*process); })) << process->Err();
  const std::string x253(253, 'x');
  const struct {
    Window active, renamed;    // and a window given a new title (WM_NAME, Latin-1) then, if any
    std::string title, reads;  // that title; the active window's title as the program reads it
    std::string profile;       // the profile that starts, if any
    KeySym key;                // of button 6, if pressed
  } steps[] = {
      {slides, 0, "", "Quarterly Review - Slide Show", "SlideShow.xml", XK_Right},
      {notes, slides, "Slide Show", "Caf\u00e9 - Editor", "Gamepad.xml", XK_Return},  // not active
      {notes, notes, "Holiday - Slide Show", "Holiday - Slide Show", "SlideShow.xml", XK_Right},
      {notes, notes, x253 + "\xe9 Slide Show", x253, "Gamepad.xml", 0},
      {gone, 0, "", "", "", 0},
  };
  // Whether the server comes to hold this key alone (none: 0) and these mouse buttons.
  const auto holds = [&](KeySym key, unsigned buttons = 0) {
    std::vector<unsigned> keys;
    if (key != 0) keys.push_back(XKeysymToKeycode(recorder.display(), key));
    return Eventually(
        [&] { return recorder.KeysDown() == keys && recorder.ButtonMask() == buttons; });
  };
  std::string said =
      "controller 0 plugged in \"Wireless Gamepad\"\nprofile 0 Gamepad.xml\nwindow \"\"\n";
  for (const auto& step : steps) {
    recorder.Activate(step.active);
    if (step.renamed != 0) recorder.SetTitle(step.renamed, step.title, false);
    said += "window \"" + step.reads + "\"\n";
    if (!step.profile.empty()) said += "profile 0 " + step.profile + "\n";
    ASSERT_TRUE(Eventually([&] { return process->Out() == said; })) << process->Out();
    if (step.key == 0) continue;
    process->Signal(SIGUSR1);  // button 6 down, then up
    EXPECT_TRUE(holds(step.key)) << step.reads;
    process->Signal(SIGUSR1);
    EXPECT_TRUE(holds(0)) << step.reads;
  }
  process->Signal(SIGUSR2);  // the hat right and button 1: in Gamepad.xml Right and a click
  ASSERT_TRUE(holds(XK_Right, Button1Mask)) << process->Err();
  process->Signal(SIGTERM);
  EXPECT_EQ(process->Wait(), 0) << process->Err();
  EXPECT_EQ(recorder.KeysDown(), std::vector<unsigned>{});
  EXPECT_EQ(recorder.ButtonMask(), 0u);
  EXPECT_EQ(process->Out(), said);
}

}  // namespace
