// One running copy of the program per user and session, wherever it was started from (an
// installed copy and an unzipped one alike). Two copies would both poll the controllers (every
// input sent twice) and both hold the start-up entry. The first copy claims the session with a
// named shared record in the session's namespace, named after the user, and publishes its main
// window there; a copy started later finds the record, asks that window to bring up the
// configuration window and say from which folder it runs, and ends.
#pragma once

#include <windows.h>

#include <string>

class CSingleInstance {
 public:
  // Claims the session for this process and its user.
  CSingleInstance();
  ~CSingleInstance();
  CSingleInstance(const CSingleInstance&) = delete;
  CSingleInstance& operator=(const CSingleInstance&) = delete;

  // False when another copy of the program holds the claim.
  bool IsFirst() const { return first_; }
  // The first copy: makes its main window known once it exists.
  void Publish(HWND mainWindow);
  // A later copy: tells the first copy's main window that another start happened (it then shows
  // its configuration window), waiting up to `waitMs` for that window to be published (the first
  // copy may still be loading). False when it never was.
  bool TellFirstCopy(DWORD waitMs) const;

 private:
  struct Record;
  HANDLE mapping_ = nullptr;
  Record* record_ = nullptr;
  bool first_ = true;
};
