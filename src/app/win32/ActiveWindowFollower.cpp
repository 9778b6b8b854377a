#include "app/win32/ActiveWindowFollower.h"

#include "platform/win32/Win32Files.h"

namespace {

// The follower of this thread, for the system's callbacks.
thread_local CActiveWindowFollower* tFollower = nullptr;

std::wstring TitleOf(HWND window) {
  wchar_t text[CActiveWindowFollower::kMaxTitle + 1] = {};
  const int length = ::InternalGetWindowText(window, text, CActiveWindowFollower::kMaxTitle + 1);
  return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

CActiveWindowFollower::CActiveWindowFollower(HWND timerWindow, TitleReport report)
    : timerWindow_(timerWindow), report_(std::move(report)) {
  tFollower = this;
  foregroundHook_.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                          OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
  ::SetCoalescableTimer(timerWindow_, kTimerId, kCheckPeriodMs, OnTimer, kCheckToleranceMs);
  Check();
}

CActiveWindowFollower::~CActiveWindowFollower() {
  ::KillTimer(timerWindow_, kTimerId);
  if (tFollower == this) tFollower = nullptr;
}

void CALLBACK CActiveWindowFollower::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                             LONG child, DWORD, DWORD) {
  // Names of the controls and menus inside a window change too; a title is the window's own.
  if (tFollower == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  if (event == EVENT_OBJECT_NAMECHANGE && window != tFollower->front_) return;
  tFollower->Check();
}

void CALLBACK CActiveWindowFollower::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (tFollower != nullptr) tFollower->Check();
}

void CActiveWindowFollower::Check() {
  if (reporting_) return;  // the next tick catches up
  const HWND front = ::GetForegroundWindow();
  // None is in front only for a moment, while another comes: that one is reported.
  if (front == nullptr) return;
  std::wstring title = TitleOf(front);
  if (reported_ && front == front_ && title == title_) return;
  if (front != front_) HearTitlesOf(front);
  reported_ = true;
  front_ = front;
  title_ = std::move(title);
  reporting_ = true;
  report_(seam::Narrow(title_));
  reporting_ = false;
}

void CActiveWindowFollower::HearTitlesOf(HWND front) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(front, &process);
  if (titleHook_ != nullptr && process == titleProcess_) return;
  titleHook_.reset();
  titleProcess_ = process;
  if (process == 0) return;  // gone already; process 0 would mean every program
  titleHook_.reset(::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                     OnEvent, process, 0, WINEVENT_OUTOFCONTEXT));
}
