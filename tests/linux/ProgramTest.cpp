// tandrel as a process: the first run's configuration folder, one program per X server, the
// start-up entry, the help and the one-line failures, and the ways it ends (a signal while keys
// and buttons are held, the X server going away, a failed wait) with nothing left pressed.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/linux/TandrelRun.h"
#include "platform/PadLayout.h"
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
  const std::string display_ = std::getenv("DISPLAY");

 private:
  int started_ = 0;
};

TEST_F(ProgramTest, TheFirstRunSeedsTheConfigurationFolderAndKeepsWhatIsThere) {
  const fs::path folder = home.path() / "config" / "tandrel";
  const std::string slideShow = ReadFile(std::string(TANDREL_SOURCE_DIR) + "/data/SlideShow.xml");
  Write(folder / "Gamepad.xml", slideShow);
  Write(home.path() / "config" / "autostart" / "tandrel.desktop", "[Desktop Entry]\n");
  // Without XDG_RUNTIME_DIR the lock is kept in a folder of the user's, not in the files' one.
  auto first = Start({TANDREL_PROGRAM, "run", "--verbose"}, {"XDG_RUNTIME_DIR="});
  ASSERT_TRUE(Eventually([&] { return Running(*first); })) << first->Err();
  // One program per X server, whatever the display is called.
  const std::string lock =
      "/tmp/tandrel-" + std::to_string(geteuid()) + "/tandrel-" + display_ + ".lock";
  for (const std::string& alias :
       {display_ + ".0", "unix" + display_, "localhost" + display_, "tcp/localhost" + display_}) {
    auto second = Start({TANDREL_PROGRAM, "run"}, {"XDG_RUNTIME_DIR=", "DISPLAY=" + alias});
    EXPECT_EQ(second->Wait(), 1) << alias;
    EXPECT_EQ(second->Out(), "") << "the folder is there: no first run";
    EXPECT_EQ(second->Err(), "tandrel: another tandrel (process " + std::to_string(first->Pid()) +
                                 ") already runs on the X server " + display_ + " (" + lock +
                                 ")\n");
  }
  // The lock of a process killed outright blocks no one.
  first->Signal(SIGKILL);
  EXPECT_EQ(first->Wait(), -1);
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
  auto third = Start({TANDREL_PROGRAM, "run", mine.string()}, {"XDG_RUNTIME_DIR="});
  ASSERT_TRUE(Eventually([&] {
    return fs::exists(home.path() / "config" / "autostart" / "tandrel.desktop");
  })) << third->Err();
  third->Signal(SIGINT);
  EXPECT_EQ(third->Wait(), 0);
  const std::string entry =
      ReadFile((home.path() / "config" / "autostart" / "tandrel.desktop").string());
  EXPECT_NE(
      entry.find("\nExec=\"" + std::string(TANDREL_PROGRAM) + "\" run \"" + mine.string() + "\"\n"),
      std::string::npos)
      << entry;
  EXPECT_EQ(third->Out(), "") << "nothing is printed without --verbose";
}

TEST_F(ProgramTest, HelpAndEveryFailureAreOneLineThatSaysWhatIsWrong) {
  CopyDefaults(home.path() / "good");
  CopyDefaults(home.path() / "utf16");
  // As Notepad saves "Unicode".
  std::string utf16 = "\xFF\xFE";
  for (char c : ReadFile((home.path() / "good" / "Tandrel.exe.config").string()))
    (utf16 += c) += '\0';
  Write(home.path() / "utf16" / "Tandrel.exe.config", utf16);
  for (const char* folder : {"empty", "fifo", "zero", "loop", "locked", "readonly"})
    fs::create_directories(home.path() / folder);
  ASSERT_EQ(mkfifo((home.path() / "fifo" / "Tandrel.exe.config").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", home.path() / "zero" / "Tandrel.exe.config");
  fs::create_symlink("Tandrel.exe.config", home.path() / "loop" / "Tandrel.exe.config");
  fs::permissions(home.path() / "locked", fs::perms::none);
  fs::permissions(home.path() / "readonly", fs::perms::owner_read | fs::perms::owner_exec);
  const std::string utf16Config = (home.path() / "utf16" / "Tandrel.exe.config").string();
  const std::string readonly = (home.path() / "readonly").string();
  const std::string usage = "usage: tandrel [--background] [--folder FOLDER] [--verbose]\n";
  const struct {
    int code;
    std::string args;  // split at blanks
    // What stdout (exit 0) or stderr after "tandrel: " begins with; all of stderr for exit 1.
    std::string text;
    std::vector<std::string> env = {};
    bool unprivileged = false;  // run without root's right to read and write any file
  } cases[] = {
      {0, "--help", usage},
      {0, "run -h", usage},
      {0, "--version", "tandrel " TANDREL_VERSION "\n"},
      {2, "--fast", "unknown option \"--fast\"\n" + usage},
      {1, "--background --folder good", "cannot open the X display \":9999\"", {"DISPLAY=:9999"}},
      {2, "start", "unknown command \"start\""},
      {2, "run a b", "run takes one FOLDER"},
      {2, "run --fast", "unknown option \"--fast\""},
      {1, "run missing", "\"missing\" is not a folder"},
      {1, "run empty", "there is no Tandrel.exe.config in \"empty\""},
      {1, "run fifo", "\"fifo/Tandrel.exe.config\" is a FIFO (named pipe), not a file"},
      {1, "run zero",
       "\"zero/Tandrel.exe.config\" is a link to \"/dev/zero\", a device, not a file"},
      {1, "run loop",
       "\"loop/Tandrel.exe.config\" is a link in a loop of links: it reaches no file"},
      {1, "run locked", "cannot look into the folder \"locked\": Permission denied", {}, true},
      {1,
       "run",
       "neither XDG_CONFIG_HOME nor HOME names a folder for the configuration",
       {"XDG_CONFIG_HOME=", "HOME="}},
      {1,
       "run good",
       "DISPLAY is not set: there is no X display to work on (a systemd user service needs "
       "`systemctl --user import-environment DISPLAY XAUTHORITY` in the session)",
       {"DISPLAY="}},
      {1,
       "run good",
       "cannot make the lock \"" + readonly + "/tandrel-" + display_ + ".lock\": Permission denied",
       {"XDG_RUNTIME_DIR=" + readonly},
       true},
      {1, "run good", "cannot open the X display \":9999\"", {"DISPLAY=:9999"}},
      {1, "run utf16",
       "Configuration Error: The file \"" + utf16Config +
           "\" is not valid: it is UTF-16 text, not "
           "UTF-8 (save it as UTF-8), at line 1, column 1.\ntandrel: the configuration \"" +
           utf16Config + "\" cannot be used"},
  };
  const fs::path previous = fs::current_path();
  fs::current_path(home.path());
  for (const auto& c : cases) {
    std::vector<std::string> args = {TANDREL_PROGRAM};
    if (c.unprivileged)
      args.insert(args.begin(),
                  {"/usr/bin/setpriv", "--bounding-set=-dac_override,-dac_read_search"});
    std::istringstream words(c.args);
    for (std::string word; words >> word;) args.push_back(word);
    auto process = Start(args, c.env);
    EXPECT_EQ(process->Wait(), c.code) << c.text;
    const std::string shown = c.code == 0 ? process->Out() : process->Err();
    const std::string text = (c.code == 0 ? "" : "tandrel: ") + c.text;
    EXPECT_EQ(shown.substr(0, text.size()), text);
    if (c.code == 1) EXPECT_EQ(shown, text + "\n");
    EXPECT_EQ(c.code == 0 ? process->Err() : process->Out(), "");
  }
  fs::current_path(previous);
}

TEST_F(ProgramTest, LosingTheXServerOrTheWaitEndsWithOneLine) {
  CopyDefaults(home.path() / "files");
  const std::string files = (home.path() / "files").string();
  // Said once at start: in a Wayland session, and without a controller.
  const std::string start =
      "tandrel: this is a Wayland session: keys and the pointer reach X11 programs only (through "
      "XWayland), and window rules see only their windows\ntandrel: no game controller present "
      "(if one is plugged in, check that this user may read it: ls -lL "
      "/dev/input/by-id/*-event-joystick)\n";
  for (const bool serverGoes : {true, false}) {
    XvfbServer server;
    // Out of descriptors, the leak check at the end could not read the process' threads.
    auto process = Start({TANDREL_PROGRAM, "run", files, "--verbose"},
                         {"DISPLAY=" + server.Display(), "WAYLAND_DISPLAY=wayland-0",
                          serverGoes ? "ASAN_OPTIONS=" : "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Eventually([&] { return Running(*process); })) << process->Err();
    if (serverGoes) {
      server.Kill();
    } else {
      // Fewer descriptors allowed than it waits on: poll fails when a window wakes it.
      const rlimit one{1, 1};
      ASSERT_EQ(prlimit(process->Pid(), RLIMIT_NOFILE, &one, nullptr), 0);
      setenv("DISPLAY", server.Display().c_str(), 1);
      XRecorder manager;
      manager.Activate(manager.MakeWindow("Notes"));
      setenv("DISPLAY", display_.c_str(), 1);
    }
    EXPECT_EQ(process->Wait(), 1);
    EXPECT_EQ(process->Err(), start + (serverGoes ? "tandrel: lost the connection to the X server\n"
                                                  : "tandrel: cannot wait for events: Invalid "
                                                    "argument\n"));
  }
  // Without a descriptor for its signals nothing could stop it: it does not start.
  app::RunSettings settings;
  settings.folder = files;
  settings.err = std::tmpfile();
  rlimit saved{};
  getrlimit(RLIMIT_NOFILE, &saved);
  const int lowestFree = dup(0);
  close(lowestFree);
  const rlimit full{static_cast<rlim_t>(lowestFree), saved.rlim_max};
  setrlimit(RLIMIT_NOFILE, &full);
  EXPECT_EQ(app::RunTandrel(settings), 1);
  setrlimit(RLIMIT_NOFILE, &saved);
  std::rewind(settings.err);
  char text[100] = {};
  EXPECT_STREQ(std::fgets(text, sizeof text, settings.err),
               "tandrel: cannot watch for signals: Too many open files\n");
  std::fclose(settings.err);
}

// With a tray on the desktop, the program started from the application menu opens its window at
// once (only the desktop's start, with --background, shows the icon alone).
TEST_F(ProgramTest, FromTheMenuTheWindowOpensBesideATray) {
  CopyDefaults(home.path() / "files");
  XRecorder tray;
  tray.ClaimTray();
  auto process = Start({TANDREL_PROGRAM, "--folder", (home.path() / "files").string()});
  EXPECT_TRUE(Eventually([&] { return tray.HasWindowNamed("Tandrel Configuration"); }))
      << process->Err();
  process->Signal(SIGTERM);
  EXPECT_EQ(process->Wait(), 0);
}

// A test killed outright leaves no X server behind.
TEST(XvfbServerTest, EndsWithTheTestEvenKilled) {
  int names[2];
  ASSERT_EQ(pipe(names), 0);
  const pid_t test = fork();
  if (test == 0) {  // the test to kill: it starts a server and waits
    XvfbServer server;
    if (write(names[1], server.Display().c_str(), server.Display().size()) > 0) pause();
    _exit(1);
  }
  close(names[1]);
  char display[16] = {};
  const ssize_t got = read(names[0], display, sizeof display - 1);
  close(names[0]);
  kill(test, SIGKILL);
  waitpid(test, nullptr, 0);
  ASSERT_GT(got, 1);
  EXPECT_TRUE(Eventually([&] {
    ::Display* connection = XOpenDisplay(display);
    if (connection != nullptr) XCloseDisplay(connection);
    return connection == nullptr;
  })) << display;
}

// Neither a start nor a reload (SIGHUP) writes the configuration: a link stays a link to the
// hand-formatted, read-only file it was. A reload that meets a typo keeps the settings in force
// and says so in one line; the pad goes on driving the X server, also once pulled out and plugged
// in again; and SIGTERM while a key and a button are held leaves nothing pressed.
TEST_F(ProgramTest, AReloadNeverWritesTheConfigurationAndThePadDrivesUntilSigterm) {
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
  // The profile's two Escapes misspelt: the message names the profile with its folder, once
  // at each load.
  std::string profile = ReadFile((files / "Gamepad.xml").string());
  for (auto at = profile.find("\"Escape\""); at != std::string::npos;
       at = profile.find("\"Escape\""))
    profile.replace(at, 8, "\"Escpae\"");
  Write(files / "Gamepad.xml", profile);
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
  const std::string typo = "tandrel: XML Error: " + (files / "Gamepad.xml").string() +
                           ": The action \"Escpae\" was not found. (2 times)\n";
  std::string said = typo;  // at every load of the profile
  auto process = Start({TANDREL_WITH_PAD, files.string(), control.string()});
  ASSERT_TRUE(Eventually([&] { return process->Err() == said; })) << process->Err();
  EXPECT_TRUE(drives());
  process->Signal(SIGHUP);
  said += typo;
  ASSERT_TRUE(Eventually([&] { return process->Err() == said; })) << process->Err();
  EXPECT_TRUE(fs::is_symlink(files / "Tandrel.exe.config"));
  EXPECT_EQ(ReadFile(byHand.string()), text);
  EXPECT_EQ(fs::status(byHand).permissions(), readOnly);

  fs::permissions(byHand, fs::perms::owner_write, fs::perm_options::add);
  Write(byHand, "<Configuration>\n  <Actions fileName \"Actions.xml\"/>\n");
  process->Signal(SIGHUP);
  said += "tandrel: Configuration Error: The file \"" + (files / "Tandrel.exe.config").string() +
          "\" is not valid: expected '=' after an attribute name, at line 2, column 21. The "
          "previous settings stay in force.\n";
  ASSERT_TRUE(Eventually([&] { return process->Err() == said; })) << process->Err();
  EXPECT_TRUE(drives());
  Write(control, "out\n");
  said +=
      "tandrel: no game controller present (if one is plugged in, check that this user may "
      "read it: ls -lL /dev/input/by-id/*-event-joystick)\n";
  ASSERT_TRUE(Eventually([&] { return process->Err() == said; })) << process->Err();
  EXPECT_TRUE(drives());
  Write(control, "9000 1\n");  // the Right arrow key and the left button
  ASSERT_TRUE(Eventually(
      [&] { return recorder.KeysDown() == right && recorder.ButtonMask() == Button1Mask; }));
  process->Signal(SIGTERM);
  EXPECT_EQ(process->Wait(), 0);
  EXPECT_EQ(recorder.KeysDown(), std::vector<unsigned>{});
  EXPECT_EQ(recorder.ButtonMask(), 0u);
  // Plugged in again after a poll saw it gone, the profile loads once more.
  const std::string err = process->Err();
  EXPECT_TRUE(err == said || err == said + typo) << err;
}

// As a window manager sets them: the active window (_NET_ACTIVE_WINDOW) and its title
// (_NET_WM_NAME, or a Latin-1 WM_NAME alone; at most 254 bytes, cut where a character begins)
// choose the profile, and button 6 does what it says: the Right arrow key in SlideShow.xml,
// Enter in Gamepad.xml.
TEST_F(ProgramTest, TheProfileFollowsTheActiveWindowAndItsTitle) {
  CopyDefaults(home.path() / "files");
  const fs::path control = home.path() / "pad";
  Write(control, "-1 0\n");
  XRecorder recorder;  // the window manager, and the window the keys reach
  recorder.Activate(0);
  const Window slides = recorder.MakeWindow("Quarterly Review - Slide Show");
  const Window notes = recorder.MakeWindow("Caf\xe9 - Editor", false);
  const Window gone = recorder.MakeWindow("Slide Show");
  XDestroyWindow(recorder.display(), gone);
  auto process = Start({TANDREL_WITH_PAD, (home.path() / "files").string(), control.string()});
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
  // Whether the server comes to hold this key alone (none: 0).
  const auto holds = [&](KeySym key) {
    std::vector<unsigned> keys;
    if (key != 0) keys.push_back(XKeysymToKeycode(recorder.display(), key));
    return Eventually([&] { return recorder.KeysDown() == keys; });
  };
  std::string said = "controller 0 plugged in \"Wireless Gamepad\"\ncontroller 0 inputs: " +
                     seam::PadInputsText() + "\nprofile 0 Gamepad.xml\nwindow \"\"\n";
  for (const auto& step : steps) {
    recorder.Activate(step.active);
    if (step.renamed != 0) recorder.SetTitle(step.renamed, step.title, false);
    said += "window \"" + step.reads + "\"\n";
    if (!step.profile.empty()) said += "profile 0 " + step.profile + "\n";
    ASSERT_TRUE(Eventually([&] { return process->Out() == said; })) << process->Out();
    if (step.key == 0) continue;
    Write(control, "-1 32\n");  // button 6 down, then up
    EXPECT_TRUE(holds(step.key)) << step.reads;
    Write(control, "-1 0\n");
    EXPECT_TRUE(holds(0)) << step.reads;
  }
  process->Signal(SIGTERM);
  EXPECT_EQ(process->Wait(), 0) << process->Err();
  EXPECT_EQ(process->Out(), said);
}

}  // namespace
