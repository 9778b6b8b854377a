// The writer: the exact bytes of the program's files.
#include "xml/XMLNode.h"

namespace {

void AppendEscaped(std::string& out, std::string_view value) {
  for (const char c : value) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      default:
        out += c;
    }
  }
}

}  // namespace

void CXMLNode::Write(std::string& out, int depth) const {
  const std::size_t indent = depth > 0 ? static_cast<std::size_t>(depth) : 0;
  out.append(indent, '\t');
  out += '<';
  out += Name();
  out += ' ';
  for (const auto& a : Attributes()) {
    // A value holding a double quote goes between apostrophes. (A value cannot hold both:
    // the editors refuse such names before they get here.)
    const char quote = a->Value().find('"') == std::string_view::npos ? '"' : '\'';
    out += a->Name();
    out += " = ";
    out += quote;
    AppendEscaped(out, a->Value());
    out += quote;
    out += ' ';
  }
  // "< />" would read back as a closing tag, so an element without a name always gets one.
  if (Children().empty() && !Name().empty()) {
    out += "/>\r\n";
    return;
  }
  out += ">\r\n";
  for (const auto& c : Children()) c->Write(out, static_cast<int>(indent) + 1);
  out.append(indent, '\t');
  out += "</";
  out += Name();
  out += ">\r\n";
}

std::string CXMLNode::ToText() const {
  std::string out;
  Write(out, 0);
  return out;
}
