#include "app/win32/SingleInstance.h"

// After windows.h.
#include <sddl.h>

#include <cstdint>
#include <vector>

#include "app/win32/TandrelApplication.h"

struct CSingleInstance::Record {
  volatile LONG64 mainWindow;  // 0 until the first copy has published it
};

namespace {

// The user's security identifier as text ("S-1-5-21-..."): names of shared objects take no
// backslashes, and two users may share a session (a program started as another user). Empty
// when it cannot be read.
std::wstring UserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  std::wstring text;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> user(size);
  wchar_t* sid = nullptr;
  if (size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid)) {
    text = sid;
    LocalFree(sid);
  }
  CloseHandle(token);
  return text;
}

bool IsMainWindow(HWND window) {
  char className[64] = {};
  return window != nullptr && IsWindow(window) &&
         GetClassNameA(window, className, sizeof className) > 0 &&
         lstrcmpiA(className, CTandrelApplication::kWindowClass) == 0;
}

}  // namespace

CSingleInstance::CSingleInstance() {
  // "Local\\": the session's own namespace, so another session of the same user runs its own.
  const std::wstring name = L"Local\\Tandrel-" + UserSid();
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Record),
                                name.c_str());
  // Without a record (no memory for it) this copy runs as the first: better two copies than
  // none.
  if (mapping_ == nullptr) return;
  first_ = GetLastError() != ERROR_ALREADY_EXISTS;
  record_ = static_cast<Record*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(Record)));
}

CSingleInstance::~CSingleInstance() {
  if (record_ != nullptr) UnmapViewOfFile(record_);
  if (mapping_ != nullptr) CloseHandle(mapping_);
}

void CSingleInstance::Publish(HWND mainWindow) {
  if (first_ && record_ != nullptr) {
    InterlockedExchange64(&record_->mainWindow,
                          static_cast<LONG64>(reinterpret_cast<std::uintptr_t>(mainWindow)));
  }
}

bool CSingleInstance::TellFirstCopy(DWORD waitMs) const {
  if (record_ == nullptr) return false;
  constexpr DWORD kStepMs = 50;
  for (DWORD waited = 0;; waited += kStepMs) {
    const auto value =
        static_cast<std::uintptr_t>(InterlockedCompareExchange64(&record_->mainWindow, 0, 0));
    const HWND window = reinterpret_cast<HWND>(value);
    if (IsMainWindow(window)) {
      // The user started this copy, so it may hand the foreground to the first one.
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      AllowSetForegroundWindow(process);
      return PostMessageA(window, CTandrelApplication::kAnotherStart, 0, 0) != FALSE;
    }
    if (waited >= waitMs) return false;
    Sleep(kStepMs);
  }
}
