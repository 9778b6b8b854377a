// Follows the window in front and its title without putting anything into other programs. Out
// of context WinEvent hooks (the system calls back on this thread, while it takes messages)
// report a new window in front and title changes in the program in front; a check on a timer of
// a window of ours catches what no event reports (Wine 8 sends neither; a busy system may drop
// them). The report is the title of the window in front, at most kMaxTitle characters (empty
// for a window that has gone), given at once and then whenever the window in front or its
// title changes, never twice for the same.
//
// Titles are read from the system (InternalGetWindowText): no message goes to the program in
// front, so a hung program cannot hang this thread, and nothing but the hooks' events wakes
// another process. One follower per thread: the system's callbacks carry no context of ours.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

class CActiveWindowFollower {
 public:
  static constexpr int kMaxTitle = 254;
  // Switching waits at most this long where no event arrives. The idle cost is one wake of
  // this thread a period (the two questions it asks cost next to nothing beside it): about
  // 0.03 % of a core under Wine at 1 s, twice that at 0.5 s. The system may move a check by up
  // to kCheckToleranceMs to share the wake with other timers.
  static constexpr UINT kCheckPeriodMs = 1000;
  static constexpr ULONG kCheckToleranceMs = 100;
  using TitleReport = std::function<void(const std::string& title)>;

  // `timerWindow`: a window of this thread that lives longer than the follower (the timer
  // is one of its WM_TIMER messages, identifier kTimerId).
  CActiveWindowFollower(HWND timerWindow, TitleReport report);
  ~CActiveWindowFollower();
  CActiveWindowFollower(const CActiveWindowFollower&) = delete;
  CActiveWindowFollower& operator=(const CActiveWindowFollower&) = delete;

  // Reads the window in front and its title, and reports them when either changed.
  void Check();

  static constexpr UINT_PTR kTimerId = 0x7A3D;

 private:
  struct EventHookRelease {
    void operator()(HWINEVENTHOOK hook) const { ::UnhookWinEvent(hook); }
  };
  using EventHook = std::unique_ptr<std::remove_pointer_t<HWINEVENTHOOK>, EventHookRelease>;

  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                               LONG child, DWORD thread, DWORD time);
  static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
  // Title changes are heard from the program in front only, so that other programs renaming
  // their windows and controls do not wake this one.
  void HearTitlesOf(HWND front);

  const HWND timerWindow_;
  const TitleReport report_;
  EventHook foregroundHook_;
  EventHook titleHook_;
  DWORD titleProcess_ = 0;  // the program titleHook_ hears
  bool reported_ = false;
  HWND front_ = nullptr;
  std::wstring title_;
  bool reporting_ = false;  // a report's message box takes messages: no second report inside
};
