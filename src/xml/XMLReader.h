// The reader behind LoadXMLFile, for callers that handle failures themselves (tandrel-cli,
// fuzz targets, benchmarks): no path rule and no message box.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "xml/XMLNode.h"

// Documents nested deeper than this fail to load, so that a hostile file cannot exhaust the
// stack of the reader, the writer or the destructor (the program's files are 3 or 4 deep).
constexpr int kXMLMaxDepth = 256;

// Files larger than this are refused unread. The program's own files are a few kilobytes (a
// large actions library some hundred); the limit leaves a thousandfold room for hand-made ones
// and bounds the time and memory a read can take.
constexpr std::size_t kXMLMaxFileSize = std::size_t{16} << 20;

// Documents with more elements and attributes than this fail to load, which bounds the tree of
// any file to some hundred megabytes (the program's documents hold tens to hundreds).
constexpr std::size_t kXMLMaxItems = std::size_t{1} << 20;

enum class XMLReadStatus { Ok, CannotOpen, Malformed };

struct XMLReadResult {
  std::unique_ptr<CXMLNode> root;  // set only when status is Ok
  XMLReadStatus status = XMLReadStatus::Malformed;
  std::string reason;      // why it failed, in a few words
  bool missing = false;    // CannotOpen: no file of that name exists
  std::size_t offset = 0;  // Malformed: offset of the byte where the reader stopped
  // Malformed: where that byte stands, as an editor counts (from 1; a column counts UTF-8
  // characters).
  std::size_t line = 0;
  std::size_t column = 0;
  // Malformed in a start tag holding a value over several lines: where that value opens (a
  // missing closing quote makes one).
  std::optional<std::size_t> openValueOffset;
  std::size_t openValueLine = 0;
  std::size_t openValueColumn = 0;
  // "line L, column C", and the suspect value's place when there is one.
  std::string Position() const;
  // Ok, when asked for: the line of each element's start, in document order (the root first,
  // each element before its children), as a walk of the tree meets them.
  std::vector<std::size_t> elementLines;
};

// Reads the file at `path` exactly as given (relative paths from the current directory).
// CannotOpen also when the file is larger than kXMLMaxFileSize (devices and pipes included) or
// memory runs out while it is read; the reason says which. `withElementLines` fills
// elementLines (for tools that point at a line).
XMLReadResult ReadXMLFile(const std::string& path, bool withElementLines = false);

// Parses a document held in memory with the same reader.
XMLReadResult ReadXMLMemory(const char* data, std::size_t size);

// Parses a document held in memory as if it were read from a file `chunk` bytes at a time:
// the buffered path of ReadXMLFile, for tests of the buffer boundaries.
XMLReadResult ReadXMLMemoryInChunks(const char* data, std::size_t size, std::size_t chunk);
