// Reading a whole input file of tandrel-cli with a bound on its size, so that a device or an
// endless pipe given as a path ends in a refusal instead of exhausting memory.
#pragma once

#include <cstddef>
#include <string>

// As the program's own files (kXMLMaxFileSize): scripts are written by hand or by small tools.
constexpr std::size_t kMaxInputFileSize = std::size_t{16} << 20;

// Fills `text` with the file's bytes; false with `reason` (a few words) when the file cannot be
// opened or read, is larger than kMaxInputFileSize, or memory runs out.
bool ReadInputFile(const std::string& path, std::string& text, std::string& reason);
