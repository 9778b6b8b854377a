// Saving a document so that a failed or interrupted save never destroys the previous file.
#pragma once

#include <optional>
#include <string>

#include "xml/XMLNode.h"

// How a save ended. Not saved: the program refused to write a file its own reader would refuse
// (too large, a value too long, too many items), and `refusal` says what, with the size and the
// limit; or the system failed, and `why` says what it said ("permission denied").
struct XMLSaveResult {
  bool saved = false;
  std::string refusal;
  std::string why;
  explicit operator bool() const { return saved; }
};

// Writes `root` as a whole document to a new temporary file beside `path`, under a name no
// other file has ("<path>.<8 hex digits>.tmp"), makes it reach the disk and then puts it in the
// place of `path` in one step (seam::Files()), so that a crash or power loss leaves the old file
// or the new one, never a part. `path` is used as given (callers resolve it); a symbolic link
// is written through to its target, and the new file keeps the old one's permissions. A file
// that already holds exactly these bytes is not written at all. Not saved, with the old file
// untouched and no temporary file left, when anything fails or the reader would not read the
// document back; showing a message is the caller's business.
XMLSaveResult SaveXMLFile(const CXMLNode& root, const std::string& path);

// What the reader would refuse in `root` written as `text`, in a few words; none when nothing.
std::optional<std::string> WhyUnreadable(const CXMLNode& root, const std::string& text);

// "The file "<name>" was not written: <refusal>."
std::string NotWrittenText(const std::string& name, const std::string& refusal);
// Why a save failed, for the user: NotWrittenText for a refusal, else "The file "<name>" could
// not be written: <why>."
std::string SaveFailureText(const std::string& name, const XMLSaveResult& result);

// Keeps the bytes of the file at `path` in a new file beside it, "<path>.bak" or, when that name
// is taken, "<path>.2.bak" and so on: before the program writes over a file that it could not
// read, or read only in part. Returns the copy's path; none when the file could not be read or
// no copy could be made (the caller must then not write over the file).
std::optional<std::string> KeepCopyOf(const std::string& path);
