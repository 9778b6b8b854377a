// The reader of the program's XML dialect: elements and attributes only.
//
// The grammar works on a one-byte lookahead, the current byte. At the end of the input the
// current byte becomes kEnd, which matches nothing, so every rule that still needs input fails
// the document. Input comes from memory or from a file through one large buffer; runs of name
// letters and value bytes are taken from the buffer in one step, which is what makes the reader
// fast, while the accepted bytes stay exactly those of the byte-at-a-time grammar.
#include "xml/XMLReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <optional>
#include <vector>

#include "platform/Platform.h"

namespace {

constexpr int kEnd = -1;
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr unsigned char kByteOrderMarkStart = 0xEF;

// With the size when it is known.
std::string TooLargeReason(std::optional<std::uint64_t> size = std::nullopt) {
  return (size ? "the file holds " + std::to_string(*size) + " bytes, " : "the file is ") +
         "larger than " + std::to_string(kXMLMaxFileSize >> 20) + " MiB (" +
         std::to_string(kXMLMaxFileSize) + " bytes), the limit for the program's files";
}

bool IsWhiteSpace(int c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }
// Setting bit 0x20 maps 'A'-'Z' onto 'a'-'z' and nothing else onto them; kEnd stays outside.
bool IsLetter(int c) { return static_cast<unsigned>((c | 0x20) - 'a') < 26u; }

// "lt", "gt" and "amp" in any letter case; every other entity stands for ';'.
char DecodeEntityName(std::string_view name) {
  if (XMLNamesEqual(name, "lt")) return '<';
  if (XMLNamesEqual(name, "gt")) return '>';
  if (XMLNamesEqual(name, "amp")) return '&';
  return ';';
}

// Where a buffered parse gets its bytes: a file, or memory handed out in pieces.
class ChunkSource {
 public:
  virtual ~ChunkSource() = default;
  // Fills up to `size` bytes; 0 at the end or on an error.
  virtual std::size_t Read(unsigned char* buffer, std::size_t size) = 0;
  // The error number of a failed read, 0 at a plain end.
  virtual int Error() const = 0;
};

class FileSource : public ChunkSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  std::size_t Read(unsigned char* buffer, std::size_t size) override {
    errno = 0;
    const std::size_t n = std::fread(buffer, 1, size, file_);
    if (n == 0 && std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
    return n;
  }
  int Error() const override { return error_; }

 private:
  std::FILE* file_;
  int error_ = 0;
};

class MemoryChunkSource : public ChunkSource {
 public:
  MemoryChunkSource(const char* data, std::size_t size, std::size_t chunk)
      : data_(data), left_(size), chunk_(chunk) {}
  std::size_t Read(unsigned char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, chunk_, left_});
    std::memcpy(buffer, data_, n);
    data_ += n;
    left_ -= n;
    return n;
  }
  int Error() const override { return 0; }

 private:
  const char* data_;
  std::size_t left_;
  std::size_t chunk_;
};

// The size of a file, when the system tells it (a file beyond what ftell can tell is cut by the
// reader as it is read instead). Leaves the file at its start.
std::optional<std::uint64_t> SizeOf(std::FILE* file) {
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  std::rewind(file);
  if (size < 0) return std::nullopt;
  return static_cast<std::uint64_t>(size);
}

// Counts lines and columns over the bytes before a failure, piece by piece: line 1 + the line
// feeds seen, column 1 + the characters after the last one (UTF-8 continuation bytes and a
// leading byte-order mark are not characters of their own).
class PositionCounter {
 public:
  void Count(const unsigned char* bytes, std::size_t n) {
    std::size_t i = 0;
    if (!started_ && n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) i = 3;
    started_ = true;
    for (; i < n; ++i) {
      if (bytes[i] == '\n') {
        ++line_;
        column_ = 1;
      } else if ((bytes[i] & 0xC0) != 0x80) {
        ++column_;
      }
    }
  }
  std::size_t Line() const { return line_; }
  std::size_t Column() const { return column_; }

 private:
  bool started_ = false;
  std::size_t line_ = 1;
  std::size_t column_ = 1;
};

}  // namespace

// Friend of CXMLNode: it places the nodes, attributes, lists and strings of a document in the
// document's arena, the lists at their final size.
class CXMLParser {
 public:
  // Reads from memory that outlives the parser.
  CXMLParser(const char* data, std::size_t size)
      : start_(reinterpret_cast<const unsigned char*>(data)),
        p_(start_),
        end_(start_ + size),
        arena_(std::make_unique<XMLArena>(size)) {}
  ~CXMLParser() { Pool().Give(std::move(workspace_)); }
  CXMLParser(const CXMLParser&) = delete;
  CXMLParser& operator=(const CXMLParser&) = delete;

  // Reads from a source through a buffer of `bufferSize` bytes; `expected` is the size of the
  // input when it is known (0 when not).
  CXMLParser(ChunkSource& source, std::size_t bufferSize, std::size_t expected)
      : source_(&source), arena_(std::make_unique<XMLArena>(expected)) {
    buffer_.resize(std::max<std::size_t>(bufferSize, 1));
    start_ = p_ = end_ = buffer_.data();
  }

  // Records the offset of each element's '<' in `offsets`, in document order.
  void RecordElementOffsets(std::vector<std::size_t>* offsets) { elementOffsets_ = offsets; }

  XMLReadResult ParseDocument() {
    XMLReadResult result;
    c_ = ' ';  // the first skip of white space reads the first byte
    bool outOfMemory = false;
    try {
      SkipByteOrderMark();
      if (ParseElement(0) == nullptr) root_.reset();
    } catch (const std::bad_alloc&) {
      // A hostile file must not end the program: running out of memory fails the read.
      outOfMemory = true;
      root_.reset();
    }
    // A failed read leaves nodes in the arena that no list holds: they own nothing outside it,
    // so they go with it. The lists keep their capacity.
    attributes_.clear();
    children_.clear();
    if (outOfMemory || tooLarge_) {
      result.status = XMLReadStatus::CannotOpen;
      result.reason = outOfMemory ? "not enough memory to read the file" : TooLargeReason();
      return result;
    }
    if (root_) {
      result.status = XMLReadStatus::Ok;
      root_->arena_ = std::move(arena_);
      result.root = std::move(root_);
      return result;
    }
    if (readError_ != 0) {
      result.status = XMLReadStatus::CannotOpen;
      result.reason = std::strerror(readError_);
      return result;
    }
    if (!failed_) Fail(c_ == '/' ? "closing tag without an element" : "no root element");
    result.status = XMLReadStatus::Malformed;
    result.reason = reason_;
    result.offset = failOffset_;
    result.openValueOffset = multiLineValue_;
    return result;
  }

 private:
  void Advance() {
    if (p_ != end_) {
      c_ = *p_++;
    } else {
      Refill();
    }
  }

  void Refill() {
    offset_ += static_cast<std::size_t>(end_ - start_);
    start_ = p_ = end_ = buffer_.data();
    c_ = kEnd;
    if (source_ == nullptr || atEnd_) return;
    const std::size_t n = source_->Read(buffer_.data(), buffer_.size());
    if (n == 0) {
      atEnd_ = true;
      readError_ = source_->Error();
      return;
    }
    // Counted as read, for devices and files that grow while they are read.
    if (n > kXMLMaxFileSize - offset_) {
      atEnd_ = tooLarge_ = true;
      return;
    }
    end_ = start_ + n;
    c_ = *p_++;
  }

  // Records why the document fails (the first reason only); false for the caller to pass up.
  bool Fail(const std::string& why) {
    if (!failed_) {
      failed_ = true;
      reason_ = why;
      if (c_ == kEnd) {
        reason_ += " (end of file)";
        failOffset_ = offset_ + static_cast<std::size_t>(end_ - start_);
      } else {
        failOffset_ = offset_ + static_cast<std::size_t>(p_ - start_) - 1;
      }
    }
    return false;
  }

  // Records a failure that stands at an earlier byte of the input.
  bool FailAt(const std::string& why, std::size_t offset) {
    if (!failed_) {
      failed_ = true;
      reason_ = why;
      failOffset_ = offset;
    }
    return false;
  }

  CXMLNode* FailElement(const std::string& why) {
    Fail(why);
    return nullptr;
  }

  // Makes the buffered byte at `at` current, so that a failure is reported there.
  void StopAt(const unsigned char* at) {
    p_ = at + 1;
    c_ = *at;
  }

  // Editors on Windows start files saved as "UTF-8" with the mark EF BB BF; the program's
  // files are plain bytes, so the mark is read over.
  void SkipByteOrderMark() {
    Advance();
    if (c_ != kByteOrderMarkStart) return;
    Advance();
    if (c_ == 0xBB) Advance();
    // A broken mark cannot start a document either: leave a byte the grammar refuses.
    c_ = c_ == 0xBF ? ' ' : kByteOrderMarkStart;
  }

  // The current byte is the '?' of "<?" at the start of the document: reads up to "?>".
  bool SkipDeclaration() {
    declarationRead_ = true;
    Advance();
    for (int previous = 0; !(previous == '?' && c_ == '>'); Advance()) {
      if (c_ == kEnd) return Fail("XML declaration not closed by '?>'");
      previous = c_;
    }
    Advance();
    return true;
  }

  void SkipWhiteSpace() {
    while (IsWhiteSpace(c_)) {
      while (p_ != end_ && IsWhiteSpace(*p_)) ++p_;
      Advance();
    }
  }

  // Appends the run of letters at the current byte; false when it exceeds the name limit.
  // A letter as current byte always came from the buffer (only values hold decoded bytes), so
  // the run starts at p_ - 1 and is taken in one piece.
  bool CollectLetters(std::string& name) {
    while (IsLetter(c_)) {
      const unsigned char* from = p_ - 1;
      const unsigned char* limit = from + std::min<std::size_t>(end_ - from, kXMLMaxNameLength + 1);
      const unsigned char* q = p_;
      while (q != limit && IsLetter(*q)) ++q;
      if (name.size() + static_cast<std::size_t>(q - from) > kXMLMaxNameLength) {
        StopAt(from + (kXMLMaxNameLength - name.size()));  // the first letter too many
        return false;
      }
      name.append(from, q);
      p_ = q;
      Advance();
    }
    return true;
  }

  bool ReadName(std::string& name) {
    SkipWhiteSpace();
    return CollectLetters(name) || Fail("name longer than 63 letters");
  }

  // The current byte is '&': replaces it with the byte the entity stands for.
  bool DecodeEntity() {
    char name[kXMLMaxEntityLength];
    std::size_t length = 0;
    Advance();
    while (c_ != ';') {
      if (c_ == kEnd) return Fail("entity not closed by ';'");
      if (length == kXMLMaxEntityLength) return Fail("entity longer than 15 characters");
      name[length++] = static_cast<char>(c_);
      Advance();
    }
    c_ = static_cast<unsigned char>(DecodeEntityName(std::string_view(name, length)));
    return true;
  }

  // '=' and a quoted value, white space allowed around '='.
  bool ReadValue(std::string& value) {
    SkipWhiteSpace();
    if (c_ != '=') return Fail("expected '=' after an attribute name");
    Advance();
    SkipWhiteSpace();
    if (c_ != '\'' && c_ != '"') return Fail("expected a quote before an attribute value");
    const int quote = c_;
    const std::size_t valueStart = value.size();
    // A value left open runs to the end of the file: it is reported where it opened.
    const std::size_t opening = offset_ + static_cast<std::size_t>(p_ - start_) - 1;
    Advance();
    while (c_ != quote) {
      if (c_ == kEnd) {
        return FailAt(
            "attribute value not closed: its quote has no partner before the end of "
            "the file",
            opening);
      }
      if (c_ == '&') {
        if (!DecodeEntity()) return false;
        if (value.size() == kXMLMaxValueLength)
          return Fail("attribute value longer than 255 bytes");
        value.push_back(static_cast<char>(c_));
        Advance();
        continue;
      }
      // A plain byte came from the buffer: take it with the plain bytes after it, up to the
      // quote, an entity or one byte past the limit.
      const unsigned char* from = p_ - 1;
      const unsigned char* limit =
          from + std::min<std::size_t>(end_ - from, kXMLMaxValueLength + 1 - value.size());
      const unsigned char* q = p_;
      while (q != limit && *q != quote && *q != '&') ++q;
      if (value.size() + static_cast<std::size_t>(q - from) > kXMLMaxValueLength) {
        StopAt(from + (kXMLMaxValueLength - value.size()));  // the first byte too many
        return Fail("attribute value longer than 255 bytes");
      }
      value.append(from, q);
      p_ = q;
      Advance();
    }
    Advance();
    // A value over several lines is most often one whose closing quote is missing: should its
    // element fail, the reader names it.
    if (value.find('\n', valueStart) != std::string::npos) multiLineValue_ = opening;
    return true;
  }

  // Counts one more element or attribute; false when the document holds too many.
  bool Count() {
    return ++items_ <= kXMLMaxItems ||
           Fail("more than " + std::to_string(kXMLMaxItems) + " elements and attributes");
  }

  // The root is the one node on the heap: it holds the arena with everything below it.
  CXMLNode* NewNode(int depth, std::string_view name) {
    if (depth == 0) {
      root_ = std::make_unique<CXMLNode>(name);
      return root_.get();
    }
    return new (arena_->Allocate(sizeof(CXMLNode), alignof(CXMLNode)))
        CXMLNode(XMLText::InArena{}, arena_->Copy(name));
  }

  // Moves the items gathered at `from` and after into an owned list in the arena.
  template <typename T>
  void Place(XMLOwnedList<T>& list, std::vector<T*>& gathered, std::size_t from) {
    const std::size_t n = gathered.size() - from;
    if (n == 0) return;
    auto* items = static_cast<std::unique_ptr<T>*>(
        arena_->Allocate(n * sizeof(std::unique_ptr<T>), alignof(std::unique_ptr<T>)));
    for (std::size_t i = 0; i < n; ++i) new (items + i) std::unique_ptr<T>(gathered[from + i]);
    list.Place(items, n);
    gathered.resize(from);
  }

  // One element with everything inside it, in the arena (the root on the heap, in root_). Null
  // when the input holds no element here (the current byte is then not '<', or it is the '/'
  // of the parent's closing tag), or when the document fails (failed_ is then set).
  CXMLNode* ParseElement(int depth) {
    multiLineValue_.reset();
    SkipWhiteSpace();
    if (c_ != '<') return nullptr;
    const std::size_t elementStart = offset_ + static_cast<std::size_t>(p_ - start_) - 1;
    Advance();
    SkipWhiteSpace();
    if (c_ == '/') return nullptr;  // the parent's closing tag; '/' stays current
    if (c_ == '?' && depth == 0 && !declarationRead_) {
      // Editors add a declaration; it carries nothing the program reads, so it is read over
      // (and not written back).
      if (!SkipDeclaration()) return nullptr;
      return ParseElement(0);
    }
    // What users paste in most, named instead of failing later at an '=' that is not there.
    if (c_ == '?') return FailElement("the format has only one XML declaration, at the start");
    if (c_ == '!') {
      return FailElement(
          "the format has no comments (<!--...-->): the program would drop them when it writes "
          "the file");
    }
    if (depth >= kXMLMaxDepth) return FailElement("elements nested too deeply");
    if (!Count()) return nullptr;

    text_.clear();
    if (!ReadName(text_)) return nullptr;
    CXMLNode* node = NewNode(depth, text_);
    if (elementOffsets_ != nullptr) elementOffsets_->push_back(elementStart);

    // Attributes and children are gathered in lists kept for reuse and then placed in the
    // node at their final size.
    for (;;) {
      text_.clear();
      if (!ReadName(text_)) return nullptr;
      // A name directly followed by '>' or '/' has no value and is dropped.
      if (c_ == '>') break;
      if (c_ == '/') {
        Advance();
        SkipWhiteSpace();
        if (c_ != '>') return FailElement("expected '>' after '/'");
        Advance();
        Place(node->attributes_, attributes_, 0);
        return node;
      }
      if (!Count()) return nullptr;
      const std::string_view name = arena_->Copy(text_);
      text_.clear();
      if (!ReadValue(text_)) return nullptr;
      attributes_.push_back(new (arena_->Allocate(sizeof(CAttribute), alignof(CAttribute)))
                                CAttribute(XMLText::InArena{}, name, arena_->Copy(text_)));
    }
    Place(node->attributes_, attributes_, 0);

    Advance();  // past '>'
    const std::size_t firstChild = children_.size();
    while (CXMLNode* child = ParseElement(depth + 1)) children_.push_back(child);
    if (failed_) return nullptr;
    Place(node->children_, children_, firstChild);

    if (c_ != '/') return FailElement("expected a child element or a closing tag");
    Advance();
    text_.clear();
    if (!ReadName(text_)) return nullptr;
    if (!XMLNamesEqual(text_, node->Name())) return FailElement("closing tag does not match");
    SkipWhiteSpace();
    if (c_ != '>') return FailElement("expected '>' to end a closing tag");
    Advance();
    return node;
  }

  std::vector<std::size_t>* elementOffsets_ = nullptr;
  ChunkSource* source_ = nullptr;         // null: all input is in memory from the start
  const unsigned char* start_ = nullptr;  // first byte of the buffer
  const unsigned char* p_ = nullptr;      // next byte to read
  const unsigned char* end_ = nullptr;
  std::size_t offset_ = 0;  // input offset of start_
  bool atEnd_ = false;
  bool declarationRead_ = false;
  bool tooLarge_ = false;  // more than kXMLMaxFileSize bytes came from the source
  std::size_t items_ = 0;  // elements and attributes read so far
  int readError_ = 0;
  int c_ = kEnd;  // the current byte, or kEnd

  // The read buffer, the lists in which attributes and children are gathered before they are
  // placed in their node at their final size, and the text of the name or value being read.
  // They keep their capacity from one document to the next: a read then allocates only the
  // arena of the tree.
  struct Workspace {
    std::vector<unsigned char> buffer;
    std::vector<CAttribute*> attributes;  // of the element being read
    // Of the elements being read, each one's after its parent's.
    std::vector<CXMLNode*> children;
    std::string text;
  };
  // Idle workspaces, shared by all threads; a parser takes one for its whole life. A pool
  // rather than a thread_local: the MinGW runtime may free thread-local storage before running
  // its destructors when a thread ends, which corrupts the heap.
  class WorkspacePool {
   public:
    std::unique_ptr<Workspace> Take() {
      std::lock_guard lock(mutex_);
      if (idle_.empty()) return std::make_unique<Workspace>();
      std::unique_ptr<Workspace> workspace = std::move(idle_.back());
      idle_.pop_back();
      return workspace;
    }
    void Give(std::unique_ptr<Workspace> workspace) {
      std::lock_guard lock(mutex_);
      if (idle_.size() < kMaxIdle) idle_.push_back(std::move(workspace));
    }

   private:
    static constexpr std::size_t kMaxIdle = 4;
    std::mutex mutex_;  // guards idle_
    std::vector<std::unique_ptr<Workspace>> idle_;
  };
  static WorkspacePool& Pool() {
    static WorkspacePool pool;
    return pool;
  }

  std::unique_ptr<Workspace> workspace_ = Pool().Take();
  std::vector<unsigned char>& buffer_ = workspace_->buffer;
  std::vector<CAttribute*>& attributes_ = workspace_->attributes;
  std::vector<CXMLNode*>& children_ = workspace_->children;
  std::string& text_ = workspace_->text;

  // The document's memory, handed to the root when the read succeeds; until then, and when it
  // fails, the root (placed on the heap) is held here.
  std::unique_ptr<XMLArena> arena_;
  std::unique_ptr<CXMLNode> root_;

  bool failed_ = false;
  std::string reason_;
  std::size_t failOffset_ = 0;
  std::optional<std::size_t> multiLineValue_;  // opening quote of one in the current start tag
};

namespace {

// A document that failed from its first bytes may be UTF-16 (Notepad's "Unicode", with or
// without its mark FF FE): its NUL bytes and mark fail the grammar at once, which says nothing
// about why. `start` holds the input's first two bytes, or fewer.
void NameTheEncoding(XMLReadResult& result, const unsigned char* start, std::size_t size) {
  if (result.status != XMLReadStatus::Malformed || size < 2) return;
  const unsigned char a = start[0], b = start[1];
  const bool mark = (a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF);
  if (!mark && (a == 0) == (b == 0)) return;
  result.reason = "it is UTF-16 text, not UTF-8 (save it as UTF-8)";
  result.offset = 0;
  result.openValueOffset.reset();
}

// Where a failure, and the value the reader suspects for it, stand. `count(offset, counter)`
// feeds the counter the input's first `offset` bytes.
template <typename CountTo>
void Locate(XMLReadResult& result, CountTo count) {
  if (result.status != XMLReadStatus::Malformed) return;
  PositionCounter at;
  count(result.offset, at);
  result.line = at.Line();
  result.column = at.Column();
  if (result.openValueOffset) {
    PositionCounter value;
    count(*result.openValueOffset, value);
    result.openValueLine = value.Line();
    result.openValueColumn = value.Column();
  }
}

void LocateInMemory(XMLReadResult& result, const char* data) {
  Locate(result, [data](std::size_t offset, PositionCounter& counter) {
    counter.Count(reinterpret_cast<const unsigned char*>(data), offset);
  });
}

// Reads the file again from its start up to each place.
void LocateInFile(XMLReadResult& result, std::FILE* file) {
  Locate(result, [file](std::size_t offset, PositionCounter& counter) {
    std::rewind(file);
    std::vector<unsigned char> buffer(kBufferSize);
    for (std::size_t left = offset; left > 0;) {
      const std::size_t n = std::fread(buffer.data(), 1, std::min(left, buffer.size()), file);
      if (n == 0) break;
      counter.Count(buffer.data(), n);
      left -= n;
    }
  });
}

// The line of each of the ascending `offsets`, reading the file from its start.
std::vector<std::size_t> LinesAt(std::FILE* file, const std::vector<std::size_t>& offsets) {
  std::vector<std::size_t> lines;
  lines.reserve(offsets.size());
  std::rewind(file);
  std::vector<unsigned char> buffer(kBufferSize);
  std::size_t line = 1, offset = 0;
  while (lines.size() < offsets.size()) {
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), file);
    if (n == 0) break;
    for (std::size_t i = 0; i < n; ++i, ++offset) {
      while (lines.size() < offsets.size() && offsets[lines.size()] == offset)
        lines.push_back(line);
      if (buffer[i] == '\n') ++line;
    }
  }
  return lines;
}

}  // namespace

std::string XMLReadResult::Position() const {
  std::string text = "line " + std::to_string(line) + ", column " + std::to_string(column);
  if (openValueOffset) {
    text += " (the value that opens at line " + std::to_string(openValueLine) + ", column " +
            std::to_string(openValueColumn) +
            " runs over several lines: is its closing quote missing?)";
  }
  return text;
}

XMLReadResult ReadXMLMemory(const char* data, std::size_t size) {
  CXMLParser parser(data, size);
  XMLReadResult result = parser.ParseDocument();
  NameTheEncoding(result, reinterpret_cast<const unsigned char*>(data), size);
  LocateInMemory(result, data);
  return result;
}

XMLReadResult ReadXMLFile(const std::string& path, bool withElementLines) {
  // Only a regular file is opened: a device or a pipe could block the reader for good.
  seam::OpenedFile opened = seam::SystemFiles().OpenForReading(path);
  if (!opened.file) {
    XMLReadResult result;
    result.status = XMLReadStatus::CannotOpen;
    result.reason = opened.why;
    result.missing = opened.missing;
    return result;
  }
  std::FILE* file = opened.file.get();
  // A regular file shows its size: one too large is refused before its first byte is read.
  const std::optional<std::uint64_t> size = SizeOf(file);
  if (size && *size > kXMLMaxFileSize) {
    XMLReadResult result;
    result.status = XMLReadStatus::CannotOpen;
    result.reason = TooLargeReason(*size);
    return result;
  }
  FileSource source(file);
  CXMLParser parser(source, kBufferSize, static_cast<std::size_t>(size.value_or(0)));
  std::vector<std::size_t> offsets;
  if (withElementLines) parser.RecordElementOffsets(&offsets);
  XMLReadResult result = parser.ParseDocument();
  if (result.status == XMLReadStatus::Ok && withElementLines)
    result.elementLines = LinesAt(file, offsets);
  if (result.status == XMLReadStatus::Malformed) {
    unsigned char start[2] = {};
    std::rewind(file);
    NameTheEncoding(result, start, std::fread(start, 1, sizeof start, file));
  }
  LocateInFile(result, file);
  return result;
}

XMLReadResult ReadXMLMemoryInChunks(const char* data, std::size_t size, std::size_t chunk) {
  MemoryChunkSource source(data, size, std::max<std::size_t>(chunk, 1));
  XMLReadResult result = CXMLParser(source, chunk, size).ParseDocument();
  NameTheEncoding(result, reinterpret_cast<const unsigned char*>(data), size);
  LocateInMemory(result, data);
  return result;
}
