// The program as the user lives with it: a hidden main window that owns the notification icon
// and its menu, the configuration window opened from them, the active-window follower that
// switches profiles by the window rules, the message loop, and the order in which all of it is
// built and torn down. The configuration object is made before and destroyed after (see
// WinMain.cpp).
#pragma once

#include <windows.h>

#include <memory>

#include "ui/GdiHandles.h"

namespace ui {
class IUserInterface;
}
namespace seam {
class Win32Messages;
}

class CTandrelConfigDlg;
class CTandrelConfiguration;
class CNotificationIcon;
class CActiveWindowFollower;

class CTandrelApplication {
 public:
  static constexpr const char* kWindowClass = "TandrelMainFrame";
  // Posted to the main window by a copy started while this one runs (see CSingleInstance).
  static constexpr UINT kAnotherStart = WM_APP + 1;
  // The main window's answer to "Exit" (ID_EXIT, as the installer sends it) when the user keeps
  // Tandrel running (-1 when it exits).
  static constexpr LRESULT kStaysRunning = 1;

  // The configuration, the user interface and the core's message boxes (whose owner the
  // configuration window sets while open; null: left alone) outlive the application.
  CTandrelApplication(HINSTANCE instance, CTandrelConfiguration& configuration,
                      ui::IUserInterface& user, seam::Win32Messages* coreMessages = nullptr);
  ~CTandrelApplication();
  CTandrelApplication(const CTandrelApplication&) = delete;
  CTandrelApplication& operator=(const CTandrelApplication&) = delete;

  // The whole life of the program after the configuration has loaded: start-up, the
  // configuration window unless the command line holds "/NOCONFIGURE" (any case, also inside
  // a longer word), the message loop, shut-down. 0 after "Exit", -1 when the main window
  // cannot be made.
  int Run(const char* commandLine);
  // The part of Run after a successful Start.
  int RunStarted(const char* commandLine);

  // Start-up up to the message loop: main window, menu, configuration window object, icon,
  // the follower of the window in front (which applies the window rules at once). False when the
  // main window cannot be made.
  bool Start();
  // Everything Start built, in the order the user and the files expect.
  void Shutdown();

  // Opens the configuration window, or brings it forward when it is already open.
  void ShowConfigurationWindow();

  HWND MainWindow() const { return window_; }
  CTandrelConfigDlg* ConfigurationWindow() { return configWindow_.get(); }

  static bool SuppressesConfiguration(const char* commandLine);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
  void ShowPopupMenu();
  void OpenHelp();
  // Says that a later start found this copy running, and from which folder.
  void TellAlreadyRunning();
  // Whether Tandrel may exit now. Edits of the configuration window not yet applied are asked
  // about first, with the window in front: false when the user keeps them (Cancel), or when
  // applying them failed (the window says why and keeps them).
  bool MayExit();
  // Ends the configuration window's own message loop, then the program's.
  void Exit();

  const HINSTANCE instance_;
  CTandrelConfiguration& configuration_;
  ui::IUserInterface& user_;
  seam::Win32Messages* const coreMessages_;
  HWND window_ = nullptr;  // never destroyed: it goes with the process
  ui::MenuHandle menu_;
  std::unique_ptr<CTandrelConfigDlg> configWindow_;
  std::unique_ptr<CNotificationIcon> icon_;
  std::unique_ptr<CActiveWindowFollower> follower_;
  bool askingToExit_ = false;  // the question of MayExit is shown
};
