// The tree: finding and removing only what a node holds, and writing values that need escaping.
#include <gtest/gtest.h>

#include <string>

#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

namespace {

TEST(XMLNode, FindAndRemoveTouchOnlyWhatTheNodeHolds) {
  CXMLNode root("R"), other("O");
  CXMLNode* a = root.AddChild(std::make_unique<CXMLNode>("A"));
  root.AddChild(std::make_unique<CXMLNode>("B"));
  CXMLNode* foreign = other.AddChild(std::make_unique<CXMLNode>("A"));
  CAttribute* x = root.AddAttribute("x", "1");
  root.AddAttribute("y", "2");

  EXPECT_EQ(root.FindChild("b", foreign), nullptr);  // searches only after its own children
  EXPECT_FALSE(root.RemoveChild(foreign) || root.RemoveChild(nullptr));
  EXPECT_FALSE(root.RemoveAttribute(other.AddAttribute("x", "1")) || root.RemoveAttribute(nullptr));
  EXPECT_TRUE(root.RemoveChild(a) && root.RemoveAttribute(x));
  EXPECT_EQ(root.ToText(), "<R y = \"2\" >\r\n\t<B />\r\n</R>\r\n");
}

TEST(XMLWriter, AValueThatNeedsEscapingReadsBackAsWritten) {
  // 255 bytes that escape to far more room than any fixed buffer.
  std::string value = "<a & b>\r\n\t'", text = "&lt;a &amp; b&gt;\r\n\t'";
  for (const char* c : {"<&lt;", "&&amp;", ">&gt;"}) {
    value += std::string(81, c[0]);
    for (int i = 0; i < 81; ++i) text += c + 1;
  }
  CXMLNode n("A");
  n.AddAttribute("v", value);
  const std::string written = n.ToText();
  EXPECT_EQ(written, "<A v = \"" + text + "\" />\r\n");
  const auto back = ReadXMLMemory(written.data(), written.size()).root;
  ASSERT_TRUE(back);
  EXPECT_EQ(back->FindAttribute("V")->Value(), value);
}

}  // namespace
