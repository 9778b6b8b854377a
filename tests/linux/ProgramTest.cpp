// tandrel as a process: the first run's configuration folder, the start-up entry, the one-line
// failures, and the ways it ends (a signal while keys and buttons are held, the X server going
// away) with nothing left pressed.
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
      {{"--fast"}, {}, 2, "tandrel: unknown option \"--fast\""},
      {{"--background", "--folder", good},
       {"DISPLAY=:9999"},
       1,
       "tandrel: cannot open the X display \":9999\""},
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

TEST_F(ProgramTest, SigtermWhileAKeyAndAButtonAreHeldLeavesNothingPressed) {
  CopyDefaults(home.path() / "files");
  XRecorder recorder;
  const unsigned right = XKeysymToKeycode(recorder.display(), XK_Right);
  auto process = Start({TANDREL_WITH_PAD, (home.path() / "files").string()});
  ASSERT_TRUE(Eventually([&] {
    const auto keys = recorder.KeysDown();
    return keys == std::vector<unsigned>{right} && recorder.ButtonMask() == Button1Mask;
  })) << process->Err();
  process->Signal(SIGTERM);
  EXPECT_EQ(process->Wait(), 0) << process->Err();
  EXPECT_EQ(recorder.KeysDown(), std::vector<unsigned>{});
  EXPECT_EQ(recorder.ButtonMask(), 0u);
  EXPECT_NE(
      process->Out().find("controller 0 plugged in \"Wireless Gamepad\"\nprofile 0 Gamepad.xml\n"),
      std::string::npos)
      << process->Out();
}

// Neither a start nor a reload (SIGHUP) writes the configuration: a link stays a link to the
// hand-formatted, read-only file it was. A reload that meets a typo keeps the settings in force
// and says so in one line, and the pad goes on driving the X server.
TEST_F(ProgramTest, AReloadNeverWritesTheConfigurationAndATypoKeepsThePadWorking) {
  const fs::path files = home.path() / "files";
  const fs::path byHand = home.path() / "dotfiles" / "tandrel.config";
  CopyDefaults(files);
  const std::string text =
      "<Configuration>\n  <Actions fileName=\"Actions.xml\"/>\n  <Joysticks>\n"
      "    <Joystick ID=\"0\" fileName=\"Gamepad.xml\"/>\n  </Joysticks>\n</Configuration>\n";
  Write(byHand, text);
  const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(byHand, readOnly);
  fs::remove(files / "Tandrel.exe.config");
  fs::create_symlink(byHand, files / "Tandrel.exe.config");
  const fs::path control = home.path() / "pad";
  Write(control, "-1 0\n");
  XRecorder recorder;
  const std::vector<unsigned> right = {XKeysymToKeycode(recorder.display(), XK_Right)};
  const auto drives = [&] {  // the hat to the right and back: the Right arrow key
    Write(control, "9000 0\n");
    const bool down = Eventually([&] { return recorder.KeysDown() == right; });
    Write(control, "-1 0\n");
    return down && Eventually([&] { return recorder.KeysDown().empty(); });
  };
  std::unique_ptr<ChildProcess> process;
  const auto loads = [&] {
    std::size_t count = 0;
    for (std::size_t at = 0;
         (at = process->Out().find("profile 0 Gamepad.xml\n", at)) != std::string::npos; ++at) {
      ++count;
    }
    return count;
  };
  process = Start({TANDREL_WITH_PAD, files.string(), control.string()});
  ASSERT_TRUE(Eventually([&] { return loads() == 1; })) << process->Err();
  EXPECT_TRUE(drives());
  process->Signal(SIGHUP);
  ASSERT_TRUE(Eventually([&] { return loads() == 2; })) << process->Err();
  EXPECT_TRUE(fs::is_symlink(files / "Tandrel.exe.config"));
  EXPECT_EQ(ReadFile(byHand.string()), text);
  EXPECT_EQ(fs::status(byHand).permissions(), readOnly);

  fs::permissions(byHand, fs::perms::owner_write, fs::perm_options::add);
  Write(byHand, "<Configuration>\n  <Actions fileName \"Actions.xml\"/>\n");
  process->Signal(SIGHUP);
  ASSERT_TRUE(Eventually([&] { return !process->Err().empty(); }));
  EXPECT_EQ(process->Err(), "tandrel: Configuration Error: The file \"" +
                                (files / "Tandrel.exe.config").string() +
                                "\" is not valid: expected '=' after an attribute name, at line "
                                "2, column 21. The previous settings stay in force.\n");
  EXPECT_TRUE(drives());
  process->Signal(SIGTERM);
  EXPECT_EQ(process->Wait(), 0);
  EXPECT_EQ(loads(), 2u);
}

}  // namespace
