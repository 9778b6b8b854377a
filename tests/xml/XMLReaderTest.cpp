// The reader's grammar: what it accepts, what it rejects, and the tree it builds.
#include <gtest/gtest.h>

#include <string>

#include "xml/XMLReader.h"

namespace {

std::unique_ptr<CXMLNode> Parse(const std::string& text) {
  return ReadXMLMemory(text.data(), text.size()).root;
}

bool Accepts(const std::string& text) { return Parse(text) != nullptr; }

std::string ValueOf(const std::string& text, const char* element, const char* attribute) {
  auto root = Parse(text);
  if (!root) return "<failed>";
  const CXMLNode* node = root.get();
  if (std::string(element) != root->GetName()) node = root->FindChild(element, nullptr);
  if (!node) return "<no element>";
  const CAttribute* a = node->FindAttribute(attribute);
  return a ? a->Value() : "<no attribute>";
}

TEST(XMLReader, BuildsElementsAttributesAndChildrenInDocumentOrder) {
  auto root = Parse(
      "<Joystick delay = \"30\" name='pad'>\r\n"
      "\t<Button number=\"1\" />\r\n"
      "\t<Axis number=\"2\"><Threshold value=\"50\"/></Axis>\r\n"
      "\t<Button number=\"3\"/>\r\n"
      "</Joystick>\r\n");
  ASSERT_TRUE(root);
  EXPECT_STREQ(root->GetName(), "Joystick");
  ASSERT_EQ(root->Attributes().size(), 2u);
  EXPECT_STREQ(root->Attributes()[0]->GetName(), "delay");
  EXPECT_STREQ(root->Attributes()[0]->GetValue(), "30");
  EXPECT_STREQ(root->Attributes()[1]->GetName(), "name");
  EXPECT_STREQ(root->Attributes()[1]->GetValue(), "pad");
  ASSERT_EQ(root->Children().size(), 3u);
  EXPECT_STREQ(root->Children()[0]->GetName(), "Button");
  EXPECT_STREQ(root->Children()[1]->GetName(), "Axis");
  EXPECT_STREQ(root->Children()[2]->FindAttribute("number")->GetValue(), "3");
  ASSERT_EQ(root->Children()[1]->Children().size(), 1u);
  EXPECT_STREQ(root->Children()[1]->Children()[0]->FindAttribute("value")->GetValue(), "50");
}

TEST(XMLReader, WhiteSpaceInsideTagsAndAroundEqualsIsAccepted) {
  EXPECT_TRUE(Accepts("<a X = 'y'></A>"));
  EXPECT_EQ(ValueOf("<a X = 'y'></A>", "a", "x"), "y");
  EXPECT_TRUE(Accepts("< Root >\r\n</ Root >"));
  EXPECT_TRUE(Accepts("\t\r\n <Root\r\n\tx\r\n=\r\n\"1\"\r\n/\r\n>"));
  EXPECT_TRUE(Accepts("<A></A\t>"));
  EXPECT_TRUE(Accepts("<A x='1'y=\"2\"/>"));  // no white space needed between attributes
  EXPECT_EQ(ValueOf("<A x='1'y=\"2\"/>", "A", "y"), "2");
}

TEST(XMLReader, SlashAfterANameMakesAnEmptyElement) {
  auto root = Parse("<A><B/><C x='1'/></A>");
  ASSERT_TRUE(root);
  ASSERT_EQ(root->Children().size(), 2u);
  EXPECT_STREQ(root->Children()[0]->GetName(), "B");
  EXPECT_STREQ(root->Children()[1]->GetName(), "C");
  EXPECT_TRUE(Accepts("<B/>"));
  EXPECT_TRUE(Accepts("<B / >"));
  EXPECT_FALSE(Accepts("<B /x>"));
}

TEST(XMLReader, LessThanSlashIsAlwaysAClosingTag) {
  EXPECT_FALSE(Accepts("< />"));
  EXPECT_FALSE(Accepts("</A>"));
  // Inside an element "< />" ends the child list; its empty name does not match "A".
  EXPECT_FALSE(Accepts("<A>< /></A>"));
  auto empty = Parse("<></>");
  ASSERT_TRUE(empty);
  EXPECT_STREQ(empty->GetName(), "");
  auto nested = Parse("<><></ ></>");
  ASSERT_TRUE(nested);
  EXPECT_EQ(nested->Children().size(), 1u);
}

TEST(XMLReader, ANameDirectlyFollowedByTheTagEndHasNoValueAndIsDropped) {
  auto a = Parse("<A x></A>");
  ASSERT_TRUE(a);
  EXPECT_TRUE(a->Attributes().empty());
  auto b = Parse("<A x='1' y/>");
  ASSERT_TRUE(b);
  ASSERT_EQ(b->Attributes().size(), 1u);
  EXPECT_FALSE(Accepts("<A x ></A>"));
  EXPECT_FALSE(Accepts("<A x />"));
}

TEST(XMLReader, AnEmptyAttributeNameIsKept) {
  auto a = Parse("<A ='v'/>");
  ASSERT_TRUE(a);
  ASSERT_EQ(a->Attributes().size(), 1u);
  EXPECT_STREQ(a->Attributes()[0]->GetName(), "");
  EXPECT_STREQ(a->Attributes()[0]->GetValue(), "v");
}

TEST(XMLReader, NamesAreLettersOnly) {
  EXPECT_FALSE(Accepts("<A1/>"));
  EXPECT_FALSE(Accepts("<A_b/>"));
  EXPECT_FALSE(Accepts("<A-b/>"));
  EXPECT_FALSE(Accepts("<ns:A/>"));
  EXPECT_FALSE(Accepts("<A.b/>"));
  EXPECT_FALSE(Accepts("<A\xC3\xA9/>"));
  EXPECT_FALSE(Accepts("<A x1='1'/>"));
  EXPECT_TRUE(Accepts("<AbcXYZ abcXYZ='1'/>"));
}

TEST(XMLReader, ClosingTagMatchesIgnoringCaseButNotOtherwise) {
  EXPECT_TRUE(Accepts("<Actions></aCTIONS>"));
  EXPECT_FALSE(Accepts("<Actions></Action>"));
  EXPECT_FALSE(Accepts("<A><B></A></B>"));
  EXPECT_FALSE(Accepts("<A></A x>"));
  EXPECT_FALSE(Accepts("<A></>"));
}

TEST(XMLReader, EntitiesDecodeIgnoringCaseAndUnknownOnesBecomeSemicolon) {
  EXPECT_EQ(ValueOf("<A v='&lt;&gt;&amp;'/>", "A", "v"), "<>&");
  EXPECT_EQ(ValueOf("<A v='&LT;&Amp;&gT;'/>", "A", "v"), "<&>");
  EXPECT_EQ(ValueOf("<A v='&quot;'/>", "A", "v"), ";");
  EXPECT_EQ(ValueOf("<A v='&#60;'/>", "A", "v"), ";");
  EXPECT_EQ(ValueOf("<A v='a&;b'/>", "A", "v"), "a;b");
  // The entity runs to the next ';', quotes included.
  EXPECT_EQ(ValueOf("<A v='x&a'b;y'/>", "A", "v"), "x;y");
  // A decoded '&' is not decoded again.
  EXPECT_EQ(ValueOf("<A v='&amp;lt;'/>", "A", "v"), "&lt;");
}

TEST(XMLReader, EntityNamesHoldAtMost15Characters) {
  const std::string fifteen(15, 'x');
  EXPECT_EQ(ValueOf("<A v='&" + fifteen + ";'/>", "A", "v"), ";");
  EXPECT_FALSE(Accepts("<A v='&" + fifteen + "x;'/>"));
  EXPECT_FALSE(Accepts("<A v='&lt'/>"));
}

TEST(XMLReader, ValuesKeepRawBytesExceptTheirOwnQuote) {
  EXPECT_EQ(ValueOf("<A v='say \"hi\"'/>", "A", "v"), "say \"hi\"");
  EXPECT_EQ(ValueOf("<A v=\"it's\"/>", "A", "v"), "it's");
  EXPECT_EQ(ValueOf("<A v='a>b\r\n\tc'/>", "A", "v"), "a>b\r\n\tc");
  EXPECT_EQ(ValueOf("<A v='a<b'/>", "A", "v"), "a<b");
  EXPECT_EQ(ValueOf("<A v='\xE9\xFF'/>", "A", "v"), "\xE9\xFF");
  EXPECT_EQ(ValueOf("<A v=''/>", "A", "v"), "");
  const std::string withZero("<A v='a\0b'/>", 12);
  EXPECT_EQ(ValueOf(withZero, "A", "v"), std::string("a\0b", 3));
}

TEST(XMLReader, MalformedAttributesFail) {
  EXPECT_FALSE(Accepts("<A v 'x'/>"));
  EXPECT_FALSE(Accepts("<A v=x/>"));
  EXPECT_FALSE(Accepts("<A v=`x`/>"));
  EXPECT_FALSE(Accepts("<A v='x\"/>"));
  EXPECT_FALSE(Accepts("<A 1='x'/>"));
}

TEST(XMLReader, ThingsOutsideTheDialectFail) {
  EXPECT_FALSE(Accepts("<?xml version=\"1.0\"?><A/>"));
  EXPECT_FALSE(Accepts("<!-- c --><A/>"));
  EXPECT_FALSE(Accepts("<A><!-- c --></A>"));
  EXPECT_FALSE(Accepts("\xEF\xBB\xBF<A/>"));
  EXPECT_FALSE(Accepts("<A>text</A>"));
  EXPECT_FALSE(Accepts("<A><B/>text</A>"));
  EXPECT_FALSE(Accepts("<A><![CDATA[x]]></A>"));
  EXPECT_FALSE(Accepts("text<A/>"));
  EXPECT_FALSE(Accepts(""));
  EXPECT_FALSE(Accepts(" \r\n\t"));
}

TEST(XMLReader, OnlyTheRootIsReadAndTrailingBytesAreIgnored) {
  auto root = Parse("<A/><B/>garbage & <<<");
  ASSERT_TRUE(root);
  EXPECT_STREQ(root->GetName(), "A");
  EXPECT_TRUE(root->Children().empty());
}

TEST(XMLReader, EndOfFileInsideAnElementFails) {
  const std::string whole = "<A x = 'v&amp;'><B/></A>";
  for (std::size_t n = 0; n < whole.size(); ++n) {
    EXPECT_FALSE(Accepts(whole.substr(0, n))) << "prefix of " << n << " bytes";
  }
  EXPECT_TRUE(Accepts(whole));
}

TEST(XMLReader, NamesHoldAtMost63Letters) {
  const std::string n63(63, 'a');
  const std::string n64(64, 'a');
  EXPECT_TRUE(Accepts("<" + n63 + " " + n63 + "='1'></" + n63 + ">"));
  EXPECT_FALSE(Accepts("<" + n64 + "/>"));
  EXPECT_FALSE(Accepts("<A " + n64 + "='1'/>"));
  EXPECT_FALSE(Accepts("<A></" + n64 + ">"));
  // No silent truncation: the first 63 letters of a longer closing name do not match.
  EXPECT_FALSE(Accepts("<" + n63 + "></" + n64 + ">"));
}

TEST(XMLReader, ValuesHoldAtMost255BytesAfterDecoding) {
  EXPECT_EQ(ValueOf("<A v='" + std::string(255, 'x') + "'/>", "A", "v").size(), 255u);
  EXPECT_FALSE(Accepts("<A v='" + std::string(256, 'x') + "'/>"));
  // The limit counts decoded bytes: 255 entities are 255 bytes.
  std::string entities;
  for (int i = 0; i < 255; ++i) entities += "&amp;";
  EXPECT_EQ(ValueOf("<A v='" + entities + "'/>", "A", "v"), std::string(255, '&'));
  EXPECT_FALSE(Accepts("<A v='" + entities + "x'/>"));
}

TEST(XMLReader, NestingIsLimited) {
  std::string ok, deep;
  for (int i = 0; i < kXMLMaxDepth; ++i) ok += "<A>";
  for (int i = 0; i < kXMLMaxDepth; ++i) ok += "</A>";
  EXPECT_TRUE(Accepts(ok));
  for (int i = 0; i <= kXMLMaxDepth; ++i) deep += "<A>";
  for (int i = 0; i <= kXMLMaxDepth; ++i) deep += "</A>";
  EXPECT_FALSE(Accepts(deep));
  // A hostile file does not exhaust the stack.
  EXPECT_FALSE(Accepts(std::string(1000000, '<') + "A"));
  std::string hostile;
  for (int i = 0; i < 200000; ++i) hostile += "<A>";
  EXPECT_FALSE(Accepts(hostile));
}

TEST(XMLReader, BufferedReadingGivesTheSameResultAsMemory) {
  const std::string documents[] = {
      "<Joystick delay='30'>\r\n\t<Button number=\"1\" press='a&amp;b&Lt;'/>\r\n</joystick>",
      "<A v='" + std::string(255, 'x') + "'/>",
      "<A v='" + std::string(256, 'x') + "'/>",
      std::string("<").append(63, 'n').append("/>"),
      std::string("<").append(64, 'n').append("/>"),
      "<A v='&" + std::string(15, 'e') + ";'/>",
      "<A v='&" + std::string(16, 'e') + ";'/>",
      "<A><B></C></A>",
      "<A x='1'",
      "< />",
  };
  for (const std::string& d : documents) {
    const XMLReadResult whole = ReadXMLMemory(d.data(), d.size());
    for (std::size_t chunk = 1; chunk <= 9; ++chunk) {
      const XMLReadResult pieces = ReadXMLMemoryInChunks(d.data(), d.size(), chunk);
      ASSERT_EQ(pieces.status, whole.status) << d << " in chunks of " << chunk;
      EXPECT_EQ(pieces.reason, whole.reason);
      EXPECT_EQ(pieces.offset, whole.offset);
      if (whole.root) {
        EXPECT_EQ(pieces.root->ToText(), whole.root->ToText());
      }
    }
  }
}

TEST(XMLReader, FailuresSayWhyAndWhere) {
  const std::string text = "<A>\r\n<B x='1'></C>\r\n</A>";
  const XMLReadResult r = ReadXMLMemory(text.data(), text.size());
  EXPECT_EQ(r.status, XMLReadStatus::Malformed);
  EXPECT_FALSE(r.root);
  EXPECT_EQ(r.reason, "closing tag does not match");
  EXPECT_EQ(r.offset, text.find("></C>") + 4);

  const XMLReadResult end = ReadXMLMemory("<A>", 3);
  EXPECT_EQ(end.status, XMLReadStatus::Malformed);
  EXPECT_NE(end.reason.find("end of file"), std::string::npos);
  EXPECT_EQ(end.offset, 3u);
}

}  // namespace
