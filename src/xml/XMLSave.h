// Saving a document so that a failed or interrupted save never destroys the previous file.
#pragma once

#include <string>

#include "xml/XMLNode.h"

// Writes `root` as a whole document to a new temporary file beside `path`, under a name no
// other file has ("<path>.<8 hex digits>.tmp"), makes it reach the disk and then puts it in the
// place of `path` in one step (seam::Files()), so that a crash or power loss leaves the old file
// or the new one, never a part. `path` is used as given (callers resolve it). False, with the
// old file untouched and no temporary file left, when anything fails; showing a message is the
// caller's business.
bool SaveXMLFile(const CXMLNode& root, const std::string& path);
