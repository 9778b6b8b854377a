#include "app/win32/SingleInstance.h"

#include <cstdint>
#include <cwchar>

#include "app/win32/TandrelApplication.h"
#include "resource.h"

struct CSingleInstance::Record {
  volatile LONG64 mainWindow;  // 0 until the first copy has published it
};

namespace {

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// FNV-1a over the UTF-16 units: names of shared objects take no backslashes and at most
// MAX_PATH characters, so the folder is named by a digest.
std::uint64_t Digest(const std::wstring& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : text) {
    hash ^= static_cast<std::uint16_t>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

bool IsMainWindow(HWND window) {
  char className[64] = {};
  return window != nullptr && IsWindow(window) &&
         GetClassNameA(window, className, sizeof className) > 0 &&
         lstrcmpiA(className, CTandrelApplication::kWindowClass) == 0;
}

}  // namespace

std::wstring CSingleInstance::ClaimName(const std::wstring& moduleFileName) {
  std::wstring folder = FolderOf(moduleFileName);
  for (wchar_t& c : folder) c = c == L'/' ? L'\\' : c;
  if (!folder.empty()) CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
  wchar_t digest[17] = {};
  std::swprintf(digest, 17, L"%016llx", static_cast<unsigned long long>(Digest(folder)));
  return L"Local\\Tandrel-" + std::wstring(digest);
}

CSingleInstance::CSingleInstance(const std::wstring& moduleFileName) {
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Record),
                                ClaimName(moduleFileName).c_str());
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

bool CSingleInstance::ShowFirstCopysConfiguration(DWORD waitMs) const {
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
      return PostMessageA(window, WM_COMMAND, ID_CONFIGURATION, 0) != FALSE;
    }
    if (waited >= waitMs) return false;
    Sleep(kStepMs);
  }
}
