// The in-memory tree of every file the program keeps: elements (CXMLNode) with attributes
// (CAttribute), no text content. Names match without regard to ASCII case. A node owns its
// whole subtree. Strings are bytes in the system's code page; nothing is transcoded.
//
// No internal locking: one thread at a time builds, searches, edits or writes a tree.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>

#include "xml/XMLArena.h"

// Limits of the file format, in bytes.
constexpr std::size_t kXMLMaxNameLength = 63;    // element and attribute names (letters only)
constexpr std::size_t kXMLMaxValueLength = 255;  // attribute value after entity decoding
constexpr std::size_t kXMLMaxEntityLength = 15;  // entity name between "&" and ";"

// Whether two names match as the file format compares them: ASCII letters without regard to
// case, every other byte as it is.
bool XMLNamesEqual(std::string_view a, std::string_view b);

// A name or a value: zero-terminated bytes, copied onto the heap, or (in a document read from a
// file) lying in the document's arena, which the root keeps alive.
class XMLText {
 public:
  struct InArena {};  // the reader's: text that lies in the document's arena

  XMLText() = default;
  explicit XMLText(std::string_view text) { Assign(text); }
  ~XMLText() { Release(); }
  XMLText(const XMLText&) = delete;
  XMLText& operator=(const XMLText&) = delete;

  std::string_view View() const { return {data_, size_}; }
  const char* CString() const { return data_; }
  // Replaces the text with a heap copy of `text` (which may be part of the old one).
  void Assign(std::string_view text);

 private:
  friend class CAttribute;
  friend class CXMLNode;
  // `text` is zero terminated and outlives this object: kept, not copied.
  XMLText(InArena, std::string_view text)
      : data_(text.data()), size_(static_cast<std::uint32_t>(text.size())) {}
  void Release();

  const char* data_ = "";
  std::uint32_t size_ = 0;
  bool owned_ = false;  // data_ was allocated by Assign
};

// The owned attributes or children of a node, in order. A document read from a file keeps its
// lists in its arena until an edit makes one grow.
template <typename T>
class XMLOwnedList {
 public:
  XMLOwnedList() = default;
  ~XMLOwnedList() {
    // Heap storage destroys its elements itself.
    if (!heap_) std::destroy_n(items_, size_);
  }
  XMLOwnedList(const XMLOwnedList&) = delete;
  XMLOwnedList& operator=(const XMLOwnedList&) = delete;

  std::span<const std::unique_ptr<T>> View() const { return {items_, size_}; }

  T* Append(std::unique_ptr<T> item) {
    if (size_ == capacity_) Grow();
    items_[size_] = std::move(item);
    return items_[size_++].get();
  }

  // Unlinks and deletes `item`; false when it is not in the list.
  bool Remove(const T* item) {
    for (std::size_t i = 0; i < size_; ++i) {
      if (items_[i].get() != item) continue;
      const std::unique_ptr<T> unlinked = std::move(items_[i]);
      std::move(items_ + i + 1, items_ + size_, items_ + i);
      --size_;
      return true;
    }
    return false;
  }

 private:
  friend class CXMLParser;
  // Takes `size` constructed elements that lie in an arena; the list must be empty.
  void Place(std::unique_ptr<T>* items, std::size_t size) {
    items_ = items;
    size_ = capacity_ = static_cast<std::uint32_t>(size);
  }

  void Grow() {
    const std::uint32_t capacity = capacity_ < 4 ? 4 : capacity_ * 2;
    auto grown = std::make_unique<std::unique_ptr<T>[]>(capacity);
    std::move(items_, items_ + size_, grown.get());
    // Moved-from elements in an arena hold nothing: they need no destructor.
    heap_ = std::move(grown);
    items_ = heap_.get();
    capacity_ = capacity;
  }

  std::unique_ptr<T>* items_ = nullptr;
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = 0;
  std::unique_ptr<std::unique_ptr<T>[]> heap_;  // the storage once the list is not in an arena
};

class CAttribute final {
 public:
  CAttribute(const char* name, const char* value);
  CAttribute(std::string_view name, std::string_view value);
  virtual ~CAttribute() = default;

  CAttribute(const CAttribute&) = delete;
  CAttribute& operator=(const CAttribute&) = delete;

  const char* GetName() const { return name_.CString(); }
  const char* GetValue() const { return value_.CString(); }
  void SetValue(const char* value) { value_.Assign(value); }
  void SetValue(std::string_view value) { value_.Assign(value); }

  std::string_view Name() const { return name_.View(); }
  std::string_view Value() const { return value_.View(); }

  // An attribute of a document read from a file lies in the document's arena: deleting it ends
  // its life and leaves the memory to the arena.
  void operator delete(CAttribute* attribute, std::destroying_delete_t);

 private:
  friend class CXMLParser;  // the reader places attributes in its arena
  CAttribute(XMLText::InArena tag, std::string_view name, std::string_view value)
      : name_(tag, name), value_(tag, value), inArena_(true) {}

  XMLText name_;
  XMLText value_;
  bool inArena_ = false;
};

class CXMLNode final {
 public:
  explicit CXMLNode(const char* name);
  explicit CXMLNode(std::string_view name);
  virtual ~CXMLNode();

  CXMLNode(const CXMLNode&) = delete;
  CXMLNode& operator=(const CXMLNode&) = delete;

  const char* GetName() const { return name_.CString(); }
  std::string_view Name() const { return name_.View(); }

  // The first attribute of that name (ignoring case), or null.
  CAttribute* FindAttribute(const char* name) const;

  // The first child of that name (ignoring case) standing after `after`; a null `after`
  // searches from the first child. Null when there is none or `after` is not a child here.
  // Loop over all children of one name:
  //   for (auto* c = n.FindChild("X", nullptr); c; c = n.FindChild("X", c)) ...
  CXMLNode* FindChild(const char* name, const CXMLNode* after) const;

  // Appends; existing attributes of the same name are not checked. Returns the new one.
  CAttribute* AddAttribute(const char* name, const char* value);
  CAttribute* AddAttribute(std::string_view name, std::string_view value);

  // Appends and takes ownership. Returns the child, still valid while this node holds it.
  CXMLNode* AddChild(std::unique_ptr<CXMLNode> child);

  // Unlinks and deletes the child (or attribute); false, deleting nothing, when it is not
  // held by this node.
  bool RemoveChild(CXMLNode* child);
  bool RemoveAttribute(CAttribute* attribute);

  std::span<const std::unique_ptr<CAttribute>> Attributes() const { return attributes_.View(); }
  std::span<const std::unique_ptr<CXMLNode>> Children() const { return children_.View(); }

  // Appends the element and its subtree as the file holds them: one element per line,
  // indented by one TAB per level from `depth`, every line ending in CR LF. The root is
  // written at depth 0.
  void Write(std::string& out, int depth) const;

  // The whole document text of this node as root.
  std::string ToText() const;

  // A node below the root of a document read from a file lies in the document's arena:
  // deleting it ends its life and leaves the memory to the arena.
  void operator delete(CXMLNode* node, std::destroying_delete_t);

 private:
  friend class CXMLParser;  // the reader places nodes in its arena and fills their lists
  CXMLNode(XMLText::InArena tag, std::string_view name) : name_(tag, name), inArena_(true) {}

  // Declared first, so destroyed last: everything below may lie in it. Set on the root of a
  // document read from a file.
  std::unique_ptr<XMLArena> arena_;
  XMLText name_;
  XMLOwnedList<CAttribute> attributes_;
  XMLOwnedList<CXMLNode> children_;
  bool inArena_ = false;
};

// Reads the document at `path`. A path whose second character is ':' (or, on POSIX, that
// starts with '/') is used as given, any other is taken from the program's folder. Returns the
// root, or null: when the file cannot be opened (after the message "Could not open the file
// "<path as given>"." with the caption "Configuration Error"), or silently when the text is
// not well formed.
std::unique_ptr<CXMLNode> LoadXMLFile(const char* path);

// Told of every LoadXMLFile before it reads, with the path as given: tandrel-cli's check names
// the file that the messages after it come from. Installed like the platform's services, only
// while no other thread loads documents.
class XMLLoadObserver {
 public:
  virtual ~XMLLoadObserver() = default;
  virtual void Loading(const char* path) = 0;
};
// Installs an observer (null for none) and returns the previous one. Not owned.
XMLLoadObserver* SetXMLLoadObserver(XMLLoadObserver* observer);
