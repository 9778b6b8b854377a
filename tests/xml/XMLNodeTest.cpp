// The tree: searching, editing and writing.
#include <gtest/gtest.h>

#include <string>

#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

namespace {

TEST(XMLNode, FindChildIteratesOverItsOwnChildrenOfOneNameIgnoringCase) {
  CXMLNode root("Joystick"), other("Other");
  CXMLNode* b1 = root.AddChild(std::make_unique<CXMLNode>("Button"));
  root.AddChild(std::make_unique<CXMLNode>("Axis"));
  CXMLNode* b2 = root.AddChild(std::make_unique<CXMLNode>("BUTTON"));
  CXMLNode* b3 = root.AddChild(std::make_unique<CXMLNode>("button"));
  CXMLNode* foreign = other.AddChild(std::make_unique<CXMLNode>("Button"));

  std::vector<CXMLNode*> seen;
  for (CXMLNode* c = root.FindChild("bUTTON", nullptr); c; c = root.FindChild("Button", c)) {
    seen.push_back(c);
  }
  EXPECT_EQ(seen, (std::vector<CXMLNode*>{b1, b2, b3}));
  for (CXMLNode* after : {foreign, &root}) EXPECT_EQ(root.FindChild("Button", after), nullptr);
  for (const char* name : {"Butto", "Buttons"}) EXPECT_EQ(root.FindChild(name, nullptr), nullptr);
}

TEST(XMLNode, FindAttributeReturnsTheFirstMatchIgnoringAsciiCaseOnly) {
  CXMLNode n("Action");
  CAttribute* first = n.AddAttribute("name", "one");
  n.AddAttribute("NAME", "two");
  n.AddAttribute("\xC9", "x");
  EXPECT_EQ(n.FindAttribute("Name"), first);
  EXPECT_EQ(n.FindAttribute("NAME"), first);
  for (const char* name : {"nam", "names", "\xE9"}) EXPECT_EQ(n.FindAttribute(name), nullptr);
}

TEST(XMLNode, RemoveDeletesOnlyWhatTheNodeHolds) {
  CXMLNode root("R"), other("O");
  CXMLNode* a = root.AddChild(std::make_unique<CXMLNode>("A"));
  root.AddChild(std::make_unique<CXMLNode>("B"));
  CXMLNode* foreign = other.AddChild(std::make_unique<CXMLNode>("A"));
  CAttribute* x = root.AddAttribute("x", "1");
  root.AddAttribute("y", "2");

  EXPECT_FALSE(root.RemoveChild(foreign) || root.RemoveChild(nullptr));
  EXPECT_FALSE(root.RemoveAttribute(other.AddAttribute("x", "1")) || root.RemoveAttribute(nullptr));
  EXPECT_EQ(other.ToText(), "<O x = \"1\" >\r\n\t<A />\r\n</O>\r\n");
  EXPECT_TRUE(root.RemoveChild(a) && root.RemoveAttribute(x));
  EXPECT_EQ(root.ToText(), "<R y = \"2\" >\r\n\t<B />\r\n</R>\r\n");
}

TEST(XMLWriter, EveryTreeReadsBackAsWritten) {
  // Values that need escaping, the other quote, or far more room than any fixed buffer
  // (255 bytes that escape to 1275), and elements without a name.
  std::string longValue, longText;
  for (const char* c : {"<&lt;", "&&amp;", ">&gt;"}) {
    longValue += std::string(85, c[0]);
    for (int i = 0; i < 85; ++i) longText += c + 1;
  }
  const struct {
    std::string name, value, text;
  } cases[] = {
      {"A", "<a & b>\r\n\t'", "<A v = \"&lt;a &amp; b&gt;\r\n\t'\" />\r\n"},
      {"A", "say \"hi\"", "<A v = 'say \"hi\"' />\r\n"},
      {"A", longValue, "<A v = \"" + longText + "\" />\r\n"},
      {"", "", "< >\r\n\t< >\r\n\t</>\r\n</>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CXMLNode n(c.name);
    if (c.name.empty()) {
      n.AddChild(std::make_unique<CXMLNode>(""));
    } else {
      n.AddAttribute("v", c.value);
    }
    const std::string text = n.ToText();
    EXPECT_EQ(text, c.text);
    const auto back = ReadXMLMemory(text.data(), text.size()).root;
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ToText(), text);
    const CAttribute* v = back->FindAttribute("v");
    EXPECT_EQ(v ? v->Value() : "", c.value);
  }
  EXPECT_EQ(CXMLNode("").ToText(), "< >\r\n</>\r\n");
}

}  // namespace
