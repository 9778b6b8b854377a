// The tree: searching, editing and writing.
#include <gtest/gtest.h>

#include <string>

#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

namespace {

std::unique_ptr<CXMLNode> Parse(const std::string& text) {
  return ReadXMLMemory(text.data(), text.size()).root;
}

TEST(XMLNode, FindChildIteratesOverChildrenOfOneNameIgnoringCase) {
  CXMLNode root("Joystick");
  CXMLNode* b1 = root.AddChild(std::make_unique<CXMLNode>("Button"));
  root.AddChild(std::make_unique<CXMLNode>("Axis"));
  CXMLNode* b2 = root.AddChild(std::make_unique<CXMLNode>("BUTTON"));
  CXMLNode* b3 = root.AddChild(std::make_unique<CXMLNode>("button"));

  EXPECT_EQ(root.FindChild("button", nullptr), b1);
  EXPECT_EQ(root.FindChild("Button", b1), b2);
  EXPECT_EQ(root.FindChild("Button", b2), b3);
  EXPECT_EQ(root.FindChild("Button", b3), nullptr);
  EXPECT_EQ(root.FindChild("Butto", nullptr), nullptr);
  EXPECT_EQ(root.FindChild("Buttons", nullptr), nullptr);

  std::vector<CXMLNode*> seen;
  for (CXMLNode* c = root.FindChild("Button", nullptr); c; c = root.FindChild("Button", c)) {
    seen.push_back(c);
  }
  EXPECT_EQ(seen, (std::vector<CXMLNode*>{b1, b2, b3}));
}

TEST(XMLNode, FindChildAfterANodeOfAnotherParentIsNull) {
  CXMLNode a("A");
  CXMLNode b("B");
  a.AddChild(std::make_unique<CXMLNode>("X"));
  CXMLNode* foreign = b.AddChild(std::make_unique<CXMLNode>("X"));
  EXPECT_EQ(a.FindChild("X", foreign), nullptr);
  EXPECT_EQ(a.FindChild("X", &a), nullptr);
}

TEST(XMLNode, FindAttributeReturnsTheFirstMatchIgnoringCase) {
  CXMLNode n("Action");
  CAttribute* first = n.AddAttribute("name", "one");
  n.AddAttribute("NAME", "two");
  EXPECT_EQ(n.FindAttribute("Name"), first);
  EXPECT_EQ(n.FindAttribute("NAME"), first);
  EXPECT_EQ(n.FindAttribute("nam"), nullptr);
  EXPECT_EQ(n.FindAttribute("names"), nullptr);
  EXPECT_EQ(n.Attributes().size(), 2u);
  // Case folding is ASCII only.
  CXMLNode e("E");
  e.AddAttribute("\xC9", "x");
  EXPECT_EQ(e.FindAttribute("\xE9"), nullptr);
}

TEST(XMLNode, RemoveDeletesOnlyWhatTheNodeHolds) {
  CXMLNode root("R");
  CXMLNode* a = root.AddChild(std::make_unique<CXMLNode>("A"));
  CXMLNode* b = root.AddChild(std::make_unique<CXMLNode>("B"));
  CXMLNode other("O");
  CXMLNode* foreign = other.AddChild(std::make_unique<CXMLNode>("A"));

  EXPECT_FALSE(root.RemoveChild(foreign));
  EXPECT_FALSE(root.RemoveChild(nullptr));
  EXPECT_EQ(other.Children().size(), 1u);
  EXPECT_TRUE(root.RemoveChild(a));
  ASSERT_EQ(root.Children().size(), 1u);
  EXPECT_EQ(root.Children()[0].get(), b);

  CAttribute* x = root.AddAttribute("x", "1");
  CAttribute* y = root.AddAttribute("y", "2");
  CAttribute* foreignAttribute = other.AddAttribute("x", "1");
  EXPECT_FALSE(root.RemoveAttribute(foreignAttribute));
  EXPECT_TRUE(root.RemoveAttribute(x));
  EXPECT_FALSE(root.RemoveAttribute(nullptr));
  ASSERT_EQ(root.Attributes().size(), 1u);
  EXPECT_EQ(root.Attributes()[0].get(), y);
}

TEST(XMLNode, SetValueReplacesTheValue) {
  CAttribute a("name", "old");
  a.SetValue("new value");
  EXPECT_STREQ(a.GetValue(), "new value");
  EXPECT_STREQ(a.GetName(), "name");
}

TEST(XMLWriter, WritesTheDocumentedLayout) {
  CXMLNode root("Actions");
  CXMLNode* vk = root.AddChild(std::make_unique<CXMLNode>("VKActions"));
  CXMLNode* enter = vk->AddChild(std::make_unique<CXMLNode>("VKAction"));
  enter->AddAttribute("theme", "General");
  enter->AddAttribute("name", "Enter");
  EXPECT_EQ(root.ToText(),
            "<Actions >\r\n"
            "\t<VKActions >\r\n"
            "\t\t<VKAction theme = \"General\" name = \"Enter\" />\r\n"
            "\t</VKActions>\r\n"
            "</Actions>\r\n");
  EXPECT_EQ(CXMLNode("E").ToText(), "<E />\r\n");
}

TEST(XMLWriter, AnElementWithoutANameGetsAClosingTagSoThatItReadsBack) {
  CXMLNode root("");
  EXPECT_EQ(root.ToText(), "< >\r\n</>\r\n");
  root.AddChild(std::make_unique<CXMLNode>(""));
  const std::string text = root.ToText();
  EXPECT_EQ(text, "< >\r\n\t< >\r\n\t</>\r\n</>\r\n");
  auto back = Parse(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->ToText(), text);
}

TEST(XMLWriter, WriteIndentsFromTheGivenDepth) {
  CXMLNode n("A");
  n.AddChild(std::make_unique<CXMLNode>("B"));
  std::string out = "before";
  n.Write(out, 2);
  EXPECT_EQ(out, "before\t\t<A >\r\n\t\t\t<B />\r\n\t\t</A>\r\n");
}

TEST(XMLWriter, EscapesOnlyAngleBracketsAndAmpersand) {
  CXMLNode n("A");
  n.AddAttribute("v", "<a & b>\r\n\t'");
  EXPECT_EQ(n.ToText(), "<A v = \"&lt;a &amp; b&gt;\r\n\t'\" />\r\n");
}

TEST(XMLWriter, AValueWithADoubleQuoteGoesBetweenApostrophes) {
  CXMLNode n("A");
  n.AddAttribute("v", "say \"hi\"");
  EXPECT_EQ(n.ToText(), "<A v = 'say \"hi\"' />\r\n");
  auto back = Parse(n.ToText());
  ASSERT_TRUE(back);
  EXPECT_STREQ(back->FindAttribute("v")->GetValue(), "say \"hi\"");
}

TEST(XMLWriter, LongValuesAreWrittenWholeAndLoadBack) {
  // 255 bytes decode from 1275 escaped bytes: far beyond any fixed output buffer.
  const std::string value = std::string(85, '<') + std::string(85, '&') + std::string(85, '>');
  CXMLNode n("A");
  n.AddAttribute("v", value.c_str());
  const std::string text = n.ToText();
  EXPECT_EQ(text.size(), std::string("<A v = \"\" />\r\n").size() + 85 * 4 + 85 * 5 + 85 * 4);
  auto back = Parse(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->FindAttribute("v")->Value(), value);
}

TEST(XMLRoundTrip, TreeSurvivesWritingAndReading) {
  CXMLNode root("Joystick");
  root.AddAttribute("delay", "30");
  root.AddAttribute("Shift", "");
  CXMLNode* buttons = root.AddChild(std::make_unique<CXMLNode>("Buttons"));
  for (int i = 1; i <= 3; ++i) {
    CXMLNode* b = buttons->AddChild(std::make_unique<CXMLNode>("Button"));
    b->AddAttribute("number", std::to_string(i));
    b->AddAttribute("press", "General:<Enter> & \"more\"\r\n");
  }
  root.AddChild(std::make_unique<CXMLNode>("Empty"));

  const std::string text = root.ToText();
  EXPECT_NE(text.find("&lt;Enter&gt; &amp; \"more\""), std::string::npos);
  auto back = Parse(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->ToText(), text);
  ASSERT_EQ(back->Children().size(), 2u);
  const CXMLNode* third = back->Children()[0]->Children()[2].get();
  EXPECT_STREQ(third->FindAttribute("number")->GetValue(), "3");
  EXPECT_STREQ(third->FindAttribute("press")->GetValue(), "General:<Enter> & \"more\"\r\n");
}

TEST(XMLRoundTrip, LooseSpellingsNormaliseToTheWritersForm) {
  auto loose = Parse("<a X = 'y' z=\"&AMP;\"><b/>< c ></ C ></A>");
  ASSERT_TRUE(loose);
  EXPECT_EQ(loose->ToText(),
            "<a X = \"y\" z = \"&amp;\" >\r\n"
            "\t<b />\r\n"
            "\t<c />\r\n"
            "</a>\r\n");
}

}  // namespace
