// Small steps shared by the Profile tab's document edits: finding children by an attribute,
// appending the containers the tab creates, and setting attributes so that the caller learns
// whether the document changed. Element and attribute names match without regard to case;
// new attributes and elements keep the spelling the caller gives.
#pragma once

#include <string>
#include <string_view>

#include "xml/XMLNode.h"

namespace profileedit {

// The value of the first attribute of that name, or null.
const char* AttributeText(const CXMLNode& node, const char* name);
// The number the attribute holds, as the program's files store numbers, or `fallback`.
int NumberAttribute(const CXMLNode& node, const char* name, int fallback);
// What a digits-only number box shows for the attribute: its number in decimal ("020" as
// "20"), or `fallback` when there is none; but the text as the file writes it when the box
// cannot hold that number (negative, or beyond the range of int), never a number wrapped or
// clamped in its place.
std::string NumberBoxText(const CXMLNode& node, const char* name, int fallback);

// The first child `element` whose attribute `key` holds `value` ignoring case.
CXMLNode* FindChildNamed(const CXMLNode& parent, const char* element, const char* key,
                         std::string_view value);
// The first child `element` whose attribute `key` holds the number `value`.
CXMLNode* FindChildNumbered(const CXMLNode& parent, const char* element, const char* key,
                            int value);

// The first child of that name; a new empty one is appended when there is none.
CXMLNode& FindOrAppendChild(CXMLNode& parent, const char* element);
// Appends a new child with one attribute.
CXMLNode& AppendChild(CXMLNode& parent, const char* element, const char* key,
                      std::string_view value);

enum class Compare { Exact, IgnoringCase };

// Adds the attribute with this spelling when the node has none of that name, or replaces the
// value of the first one when it differs. True when the document changed.
bool SetAttribute(CXMLNode& node, const char* name, std::string_view value,
                  Compare compare = Compare::Exact);
// Removes the first attribute of that name. True when there was one.
bool RemoveAttribute(CXMLNode& node, const char* name);

}  // namespace profileedit
