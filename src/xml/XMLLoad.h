// Loading the program's files with the program's reporting: LoadXMLFile (XMLNode.h) with the
// reader's whole result, and a choice of what is reported to the user.
#pragma once

#include <string>

#include "xml/XMLReader.h"

enum class XMLReport {
  CannotOpen,  // only a file that cannot be opened, as LoadXMLFile does
  Everything,  // also a file that is not well formed: what is wrong and where
};

// LoadXMLFile with the reader's result. With XMLReport::Everything a file that is not well
// formed is reported too, with the caption "Configuration Error" (see NotValidText).
XMLReadResult LoadXMLDocument(const char* path, XMLReport report);

// "Could not open the file "<path>"." for a CannotOpen result, with the reason after a colon
// when the file exists (too large, a folder, no permission).
std::string CouldNotOpenText(const std::string& path, const XMLReadResult& result);

// "The file "<path>" is not valid: <reason>, at line L, column C." for a Malformed result.
std::string NotValidText(const std::string& path, const XMLReadResult& result);
