// The in-memory tree of every file the program keeps: elements (CXMLNode) with attributes
// (CAttribute), no text content. Names match without regard to ASCII case. A node owns its
// whole subtree. Strings are bytes in the system's code page; nothing is transcoded.
//
// No internal locking: one thread at a time builds, searches, edits or writes a tree.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Limits of the file format, in bytes.
constexpr std::size_t kXMLMaxNameLength = 63;    // element and attribute names (letters only)
constexpr std::size_t kXMLMaxValueLength = 255;  // attribute value after entity decoding
constexpr std::size_t kXMLMaxEntityLength = 15;  // entity name between "&" and ";"

// Whether two names match as the file format compares them: ASCII letters without regard to
// case, every other byte as it is.
bool XMLNamesEqual(std::string_view a, std::string_view b);

class CAttribute {
 public:
  CAttribute(const char* name, const char* value);
  CAttribute(std::string name, std::string value);
  virtual ~CAttribute() = default;

  CAttribute(const CAttribute&) = delete;
  CAttribute& operator=(const CAttribute&) = delete;

  const char* GetName() const { return name_.c_str(); }
  const char* GetValue() const { return value_.c_str(); }
  void SetValue(const char* value) { value_ = value; }
  void SetValue(std::string value) { value_ = std::move(value); }

  const std::string& Name() const { return name_; }
  const std::string& Value() const { return value_; }

 private:
  friend class CXMLParser;  // the reader fills name and value in place

  std::string name_;
  std::string value_;
};

class CXMLNode {
 public:
  explicit CXMLNode(const char* name);
  explicit CXMLNode(std::string name);
  virtual ~CXMLNode() = default;

  CXMLNode(const CXMLNode&) = delete;
  CXMLNode& operator=(const CXMLNode&) = delete;

  const char* GetName() const { return name_.c_str(); }
  const std::string& Name() const { return name_; }

  // The first attribute of that name (ignoring case), or null.
  CAttribute* FindAttribute(const char* name) const;

  // The first child of that name (ignoring case) standing after `after`; a null `after`
  // searches from the first child. Null when there is none or `after` is not a child here.
  // Loop over all children of one name:
  //   for (auto* c = n.FindChild("X", nullptr); c; c = n.FindChild("X", c)) ...
  CXMLNode* FindChild(const char* name, const CXMLNode* after) const;

  // Appends; existing attributes of the same name are not checked. Returns the new one.
  CAttribute* AddAttribute(const char* name, const char* value);
  CAttribute* AddAttribute(std::string name, std::string value);

  // Appends and takes ownership. Returns the child, still valid while this node holds it.
  CXMLNode* AddChild(std::unique_ptr<CXMLNode> child);

  // Unlinks and deletes the child (or attribute); false, deleting nothing, when it is not
  // held by this node.
  bool RemoveChild(CXMLNode* child);
  bool RemoveAttribute(CAttribute* attribute);

  const std::vector<std::unique_ptr<CAttribute>>& Attributes() const { return attributes_; }
  const std::vector<std::unique_ptr<CXMLNode>>& Children() const { return children_; }

  // Appends the element and its subtree as the file holds them: one element per line,
  // indented by one TAB per level from `depth`, every line ending in CR LF. The root is
  // written at depth 0.
  void Write(std::string& out, int depth) const;

  // The whole document text of this node as root.
  std::string ToText() const;

 private:
  friend class CXMLParser;  // the reader fills the lists at their final size

  std::string name_;
  std::vector<std::unique_ptr<CAttribute>> attributes_;
  std::vector<std::unique_ptr<CXMLNode>> children_;
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
