// Saving a document so that a failed or interrupted save never destroys the previous file.
#pragma once

#include <optional>
#include <string>

#include "xml/XMLNode.h"

// Writes `root` as a whole document to a new temporary file beside `path`, under a name no
// other file has ("<path>.<8 hex digits>.tmp"), makes it reach the disk and then puts it in the
// place of `path` in one step (seam::Files()), so that a crash or power loss leaves the old file
// or the new one, never a part. `path` is used as given (callers resolve it). False, with the
// old file untouched and no temporary file left, when anything fails; showing a message is the
// caller's business.
bool SaveXMLFile(const CXMLNode& root, const std::string& path);

// Keeps the bytes of the file at `path` in a new file beside it, "<path>.bak" or, when that name
// is taken, "<path>.2.bak" and so on: before the program writes over a file that it could not
// read, or read only in part. Returns the copy's path; none when the file could not be read or
// no copy could be made (the caller must then not write over the file).
std::optional<std::string> KeepCopyOf(const std::string& path);
