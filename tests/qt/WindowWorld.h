// The Linux configuration window on a virtual X server of the program's own, over the real Linux
// adapters, the real timer service and a configuration folder with the default files, with an
// SDL virtual pad at ID 0. Message boxes and file dialogs are answered by a ScriptedUser.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/TandrelConfiguration.h"
#include "platform/linux/LinuxPlatform.h"
#include "qt/ConfigWindow.h"
#include "qt/UserInterface.h"
#include "qt/WindowMessages.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "support/VirtualPad.h"
#include "timer/RealTimerService.h"
#include "timer/TimerService.h"

// Every box takes No (or Ok) and is kept as "CAPTION: TEXT"; file dialogs take the files given,
// in order, then Cancel.
class ScriptedUser : public qtui::UserInterface {
 public:
  seam::MessageAnswer Ask(QWidget*, const std::string& text, const std::string& caption,
                          seam::MessageButtons buttons, seam::MessageIcon, bool) override {
    asked.push_back(caption + ": " + text);
    return buttons == seam::MessageButtons::Ok ? seam::MessageAnswer::Ok : seam::MessageAnswer::No;
  }
  std::optional<std::string> ChooseFile(QWidget*, const qtui::FileRequest& request) override {
    asked.push_back("file: " + request.title);
    if (files.empty()) return std::nullopt;
    std::string file = files.front();
    files.pop_front();
    return file;
  }
  bool OpenManual(const std::string&) override { return false; }

  std::deque<std::string> files;
  std::vector<std::string> asked;
};

// Presses and releases the key of `keysym` through the X server (XTest), as a keyboard does.
void PressKeyOnTheServer(unsigned long keysym);

class WindowWorld : public ::testing::Test {
 protected:
  WindowWorld();
  ~WindowWorld() override;

  // Opens a new window on `tab` and waits until it is on the screen.
  qtui::ConfigWindow& Open(const char* tab = "Joysticks");
  std::string ReadFolderFile(const std::string& name) const { return ReadFile(folder.File(name)); }
  // Waits (processing events) until `condition` holds; false after 10 s.
  static bool Eventually(const std::function<bool()>& condition);
  static void Click(QWidget* widget);
  // Chooses the entry of that text in a list as the user does (the list's `activated`).
  static void Choose(class QComboBox* box, const QString& text);
  static void Type(class QLineEdit* field, const QString& text);
  // No control of `page` covers another control beside it.
  static void ExpectNothingCovered(const QWidget* page);

  TempFolder folder;
  VirtualPad pad{"Story Pad", 6, 12, true};
  ScriptedUser user;
  // The configuration's messages as the window's program shows them: boxes of the open window.
  qtui::WindowMessages messages{user, [this] { return window.get(); }};
  std::unique_ptr<seam::LinuxPlatform> platform;
  std::unique_ptr<seam::ScopedServices> services;
  RealTimerService timers;
  std::unique_ptr<ScopedTimerService> timerService;
  std::unique_ptr<CTandrelConfiguration> configuration;
  std::unique_ptr<qtui::ConfigWindow> window;
};
