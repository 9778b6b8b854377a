// The tree: searching, editing and writing.
#include <gtest/gtest.h>

#include <string>

#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

namespace {

std::unique_ptr<CXMLNode> Parse(const std::string& text) {
  return ReadXMLMemory(text.data(), text.size()).root;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  while (n-- > 0) out += s;
  return out;
}

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
  EXPECT_EQ(root.FindChild("Butto", nullptr), nullptr);
  EXPECT_EQ(root.FindChild("Buttons", nullptr), nullptr);
  EXPECT_EQ(root.FindChild("Button", foreign), nullptr);
  EXPECT_EQ(root.FindChild("Button", &root), nullptr);
}

TEST(XMLNode, FindAttributeReturnsTheFirstMatchIgnoringAsciiCaseOnly) {
  CXMLNode n("Action");
  CAttribute* first = n.AddAttribute("name", "one");
  n.AddAttribute("NAME", "two");
  n.AddAttribute("\xC9", "x");
  EXPECT_EQ(n.FindAttribute("Name"), first);
  EXPECT_EQ(n.FindAttribute("NAME"), first);
  EXPECT_EQ(n.FindAttribute("nam"), nullptr);
  EXPECT_EQ(n.FindAttribute("names"), nullptr);
  EXPECT_EQ(n.FindAttribute("\xE9"), nullptr);
}

TEST(XMLNode, RemoveDeletesOnlyWhatTheNodeHolds) {
  CXMLNode root("R"), other("O");
  CXMLNode* a = root.AddChild(std::make_unique<CXMLNode>("A"));
  CXMLNode* b = root.AddChild(std::make_unique<CXMLNode>("B"));
  CXMLNode* foreign = other.AddChild(std::make_unique<CXMLNode>("A"));
  CAttribute* x = root.AddAttribute("x", "1");
  CAttribute* y = root.AddAttribute("y", "2");
  CAttribute* foreignAttribute = other.AddAttribute("x", "1");

  EXPECT_FALSE(root.RemoveChild(foreign));
  EXPECT_FALSE(root.RemoveChild(nullptr));
  EXPECT_FALSE(root.RemoveAttribute(foreignAttribute));
  EXPECT_FALSE(root.RemoveAttribute(nullptr));
  EXPECT_EQ(other.ToText(), "<O x = \"1\" >\r\n\t<A />\r\n</O>\r\n");
  EXPECT_TRUE(root.RemoveChild(a));
  EXPECT_TRUE(root.RemoveAttribute(x));
  ASSERT_EQ(root.Children().size(), 1u);
  EXPECT_EQ(root.Children()[0].get(), b);
  ASSERT_EQ(root.Attributes().size(), 1u);
  EXPECT_EQ(root.Attributes()[0].get(), y);
}

TEST(XMLWriter, WritesTheDocumentedLayoutFromTheGivenDepth) {
  CXMLNode root("Actions");
  CXMLNode* vk = root.AddChild(std::make_unique<CXMLNode>("VKActions"));
  CXMLNode* enter = vk->AddChild(std::make_unique<CXMLNode>("VKAction"));
  enter->AddAttribute("theme", "General");
  enter->AddAttribute("name", "old")->SetValue("Enter");
  EXPECT_EQ(root.ToText(),
            "<Actions >\r\n"
            "\t<VKActions >\r\n"
            "\t\t<VKAction theme = \"General\" name = \"Enter\" />\r\n"
            "\t</VKActions>\r\n"
            "</Actions>\r\n");
  std::string out = "before";
  vk->Write(out, 2);
  EXPECT_EQ(out,
            "before\t\t<VKActions >\r\n\t\t\t<VKAction theme = \"General\" name = \"Enter\" />"
            "\r\n\t\t</VKActions>\r\n");
}

TEST(XMLWriter, EveryTreeReadsBackAsWritten) {
  // Values that need escaping, the other quote, or far more room than any fixed buffer
  // (255 bytes that escape to 1275), and elements without a name.
  const std::string longValue = std::string(85, '<') + std::string(85, '&') + std::string(85, '>');
  const struct {
    std::string name, value, text;
  } cases[] = {
      {"A", "<a & b>\r\n\t'", "<A v = \"&lt;a &amp; b&gt;\r\n\t'\" />\r\n"},
      {"A", "say \"hi\"", "<A v = 'say \"hi\"' />\r\n"},
      {"A", longValue,
       "<A v = \"" + Repeat("&lt;", 85) + Repeat("&amp;", 85) + Repeat("&gt;", 85) + "\" />\r\n"},
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
    const auto back = Parse(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ToText(), text);
    const CAttribute* v = back->FindAttribute("v");
    EXPECT_EQ(v ? v->Value() : "", c.value);
  }
  EXPECT_EQ(CXMLNode("").ToText(), "< >\r\n</>\r\n");
}

}  // namespace
