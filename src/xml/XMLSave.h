// Saving a document so that a failed or interrupted save never destroys the previous file.
#pragma once

#include <string>

#include "xml/XMLNode.h"

// Writes `root` as a whole document to a temporary file beside `path` and renames it over
// `path`. `path` is used as given (callers resolve it). False, with the old file untouched and
// no temporary file left, when anything fails; showing a message is the caller's business.
bool SaveXMLFile(const CXMLNode& root, const std::string& path);
