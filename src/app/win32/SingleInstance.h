// One running copy of the program per program folder. Two copies would both poll the
// controllers (every input sent twice) and both write the same files (the later OK wins
// silently). The first copy claims the folder with a named shared record and publishes its main
// window there; a copy started later finds the record, asks that window to bring up the
// configuration window, and ends.
#pragma once

#include <windows.h>

#include <string>

class CSingleInstance {
 public:
  // Claims the folder of `moduleFileName` (case does not matter) for this process.
  explicit CSingleInstance(const std::wstring& moduleFileName);
  ~CSingleInstance();
  CSingleInstance(const CSingleInstance&) = delete;
  CSingleInstance& operator=(const CSingleInstance&) = delete;

  // False when another copy of the program in the same folder holds the claim.
  bool IsFirst() const { return first_; }
  // The first copy: makes its main window known once it exists.
  void Publish(HWND mainWindow);
  // A later copy: asks the first copy's main window to show its configuration window, waiting
  // up to `waitMs` for that window to be published (the first copy may still be loading).
  // False when it never was.
  bool ShowFirstCopysConfiguration(DWORD waitMs) const;

  // The name of the shared record for a folder: the same for every spelling of its case.
  static std::wstring ClaimName(const std::wstring& moduleFileName);

 private:
  struct Record;
  HANDLE mapping_ = nullptr;
  Record* record_ = nullptr;
  bool first_ = true;
};
