// The reader's grammar: what it accepts, what it rejects, and the tree it builds. Every
// document is also read in small pieces, which must give the same result as reading it whole.
#include <gtest/gtest.h>

#include <string>

#include "xml/XMLReader.h"

namespace {

XMLReadResult Read(const std::string& text) {
  XMLReadResult whole = ReadXMLMemory(text.data(), text.size());
  if (text.size() > 4096) return whole;
  for (std::size_t chunk = 1; chunk <= 9; ++chunk) {
    const XMLReadResult pieces = ReadXMLMemoryInChunks(text.data(), text.size(), chunk);
    EXPECT_EQ(pieces.status, whole.status) << text << " in chunks of " << chunk;
    EXPECT_EQ(pieces.reason, whole.reason);
    EXPECT_EQ(pieces.offset, whole.offset);
    EXPECT_EQ(pieces.root ? pieces.root->ToText() : "", whole.root ? whole.root->ToText() : "");
  }
  return whole;
}

bool Accepts(const std::string& text) { return Read(text).root != nullptr; }

std::string Repeat(const std::string& s, int n) {
  std::string out;
  while (n-- > 0) out += s;
  return out;
}

const std::string kName63(63, 'a'), kName64(64, 'a'), kAmp255 = Repeat("&amp;", 255);

// Expects every text to be accepted (or rejected).
template <typename... Texts>
void ExpectAccepted(bool accepted, const Texts&... texts) {
  for (const std::string& text : {std::string(texts)...}) {
    EXPECT_EQ(Accepts(text), accepted) << text.substr(0, 80);
  }
}

TEST(XMLReader, AcceptsExactlyTheDialect) {
  // White space inside tags and around "=", none between attributes; "/" after a name makes an
  // empty element; closing tags match ignoring case.
  ExpectAccepted(true, "<a X = 'y'></A>", "< Root >\r\n</ Root >",
                 "\t\r\n <Root\r\n\tx\r\n=\r\n\"1\"\r\n/\r\n>", "<A></A\t>", "<A x='1'y=\"2\"/>",
                 "<B/>", "<B / >", "<></>", "<AbcXYZ abcXYZ='1'/>", "<Actions></aCTIONS>",
                 "\xEF\xBB\xBF<A/>");
  // In order: "<", white space, "/" is always a closing tag; a name followed by white space
  // needs a value; names are ASCII letters only; closing tags match nothing else; entities end
  // with ';'; malformed attributes; things outside the dialect.
  ExpectAccepted(false, "<B /x>", "< />", "</A>", "<A>< /></A>", "<A x ></A>", "<A x />", "<A1/>",
                 "<A_b/>", "<A-b/>", "<ns:A/>", "<A.b/>", "<A\xC3\xA9/>", "<A x1='1'/>",
                 "<Actions></Action>", "<A><B></A></B>", "<A></A x>", "<A></>", "<A v='&lt'/>",
                 "<A v 'x'/>", "<A v=x/>", "<A v=`x`/>", "<A v='x\"/>", "<A 1='x'/>",
                 "<?xml version=\"1.0\"?><A/>", "<!-- c --><A/>", "<A><!-- c --></A>",
                 "\xEF\xBB<A/>", " \xEF\xBB\xBF<A/>", "<A>text</A>", "<A><B/>text</A>",
                 "<A><![CDATA[x]]></A>", "text<A/>", "", " \r\n\t");
}

TEST(XMLReader, NamesValuesEntitiesAndNestingAreLimited) {
  // Names hold 63 letters and are never cut short; entity names 15 characters; values 255
  // bytes after decoding (their exact decoding is checked below); hostile depth does not
  // exhaust the stack.
  ExpectAccepted(true, "<" + kName63 + " " + kName63 + "='1'></" + kName63 + ">",
                 Repeat("<A>", kXMLMaxDepth) + Repeat("</A>", kXMLMaxDepth));
  ExpectAccepted(false, "<" + kName64 + "/>", "<A " + kName64 + "='1'/>", "<A></" + kName64 + ">",
                 "<" + kName63 + "></" + kName64 + ">", "<A v='&" + std::string(16, 'x') + ";'/>",
                 "<A v='" + std::string(256, 'x') + "'/>", "<A v='" + kAmp255 + "x'/>",
                 Repeat("<A>", kXMLMaxDepth + 1) + Repeat("</A>", kXMLMaxDepth + 1),
                 std::string(1000000, '<') + "A", Repeat("<A>", 200000));
  // Elements and attributes count together: the root and the rest fill the count exactly.
  const int rest = static_cast<int>(kXMLMaxItems) - 1;
  ExpectAccepted(true, "<R " + Repeat("a='' ", rest) + "/>");
  ExpectAccepted(false, "<R>" + Repeat("<a/>", rest) + "<a/></R>");
}

TEST(XMLReader, BuildsTheTreeInDocumentOrder) {
  // Shown as the writer writes the tree read. A name directly before the tag end has no value
  // and is dropped; an empty name is kept; only the root is read, what follows is ignored.
  const struct {
    std::string text, tree;
  } cases[] = {
      {"<Joystick delay = \"30\" name='pad'>\r\n\t<Button number=\"1\" />\r\n"
       "\t<Axis number=\"2\"><Threshold value=\"50\"/></Axis>\r\n\t<Button/>\r\n</Joystick>\r\n",
       "<Joystick delay = \"30\" name = \"pad\" >\r\n\t<Button number = \"1\" />\r\n"
       "\t<Axis number = \"2\" >\r\n\t\t<Threshold value = \"50\" />\r\n\t</Axis>\r\n"
       "\t<Button />\r\n</Joystick>\r\n"},
      {"<a X = 'y' z=\"&AMP;\"><b/>< c ></ C ></A>",
       "<a X = \"y\" z = \"&amp;\" >\r\n\t<b />\r\n\t<c />\r\n</a>\r\n"},
      {"<><></ ></>", "< >\r\n\t< >\r\n\t</>\r\n</>\r\n"},
      {"<A x></A>", "<A />\r\n"},
      {"<A x='1' y/>", "<A x = \"1\" />\r\n"},
      {"<A ='v'/>", "<A  = \"v\" />\r\n"},
      {"<A/><B/>garbage & <<<", "<A />\r\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto root = Read(c.text).root;
    ASSERT_TRUE(root);
    EXPECT_EQ(root->ToText(), c.tree);
  }
}

TEST(XMLReader, ValuesDecodeEntitiesAndKeepOtherBytes) {
  // Entities ignore case; unknown ones, up to 15 characters, become ';' and run to the next
  // ';'; a decoded '&' is not decoded again; the 255-byte limit counts decoded bytes.
  const struct {
    std::string text, value;
  } cases[] = {{"<A v='&lt;&gt;&amp;'/>", "<>&"},
               {"<A v='&LT;&Amp;&gT;'/>", "<&>"},
               {"<A v='&quot;'/>", ";"},
               {"<A v='&#60;'/>", ";"},
               {"<A v='a&;b'/>", "a;b"},
               {"<A v='&" + std::string(15, 'x') + ";'/>", ";"},
               {"<A v='x&a'b;y'/>", "x;y"},
               {"<A v='&amp;lt;'/>", "&lt;"},
               {"<A v='say \"hi\"'/>", "say \"hi\""},
               {"<A v=\"it's\"/>", "it's"},
               {"<A v='a>b\r\n\tc'/>", "a>b\r\n\tc"},
               {"<A v='a<b'/>", "a<b"},
               {"<A v='\xE9\xFF'/>", "\xE9\xFF"},
               {"<A v=''/>", ""},
               {std::string("<A v='a\0b'/>", 12), std::string("a\0b", 3)},
               {"<A x='1'y=\"2\"/>", "2"},
               {"<A v='" + std::string(255, 'x') + "'/>", std::string(255, 'x')},
               {"<A v='" + kAmp255 + "'/>", std::string(255, '&')}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto root = Read(c.text).root;
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Attributes().back()->Value(), c.value);
  }
}

TEST(XMLReader, EveryTruncatedDocumentFails) {
  const std::string whole = "<A x = 'v&amp;'><B/></A>";
  for (std::size_t n = 0; n < whole.size(); ++n) {
    EXPECT_FALSE(Accepts(whole.substr(0, n))) << "prefix of " << n << " bytes";
  }
  EXPECT_TRUE(Accepts(whole));
}

TEST(XMLReader, FailuresSayWhyAndWhere) {
  const std::string text = "<A>\r\n<B x='1'></C>\r\n</A>";
  const XMLReadResult r = Read(text);
  EXPECT_EQ(r.status, XMLReadStatus::Malformed);
  EXPECT_FALSE(r.root);
  EXPECT_EQ(r.reason, "closing tag does not match");
  EXPECT_EQ(r.offset, text.find("></C>") + 4);

  const XMLReadResult end = Read("<A>");
  EXPECT_EQ(end.status, XMLReadStatus::Malformed);
  EXPECT_NE(end.reason.find("end of file"), std::string::npos);
  EXPECT_EQ(end.offset, 3u);

  // What users paste at the top of a file is still refused, but named.
  const struct {
    const char* text;
    const char* reason;
  } pasted[] = {
      {"<?xml version=\"1.0\"?>\r\n<A/>", "the format has no XML declaration (<?...?>)"},
      {"<!-- mine -->\r\n<A/>", "the format has no comments (<!--...-->)"},
      {"<A>< !-- inside --></A>", "the format has no comments (<!--...-->)"},
  };
  for (const auto& p : pasted) {
    const XMLReadResult read = Read(p.text);
    EXPECT_EQ(read.status, XMLReadStatus::Malformed) << p.text;
    EXPECT_EQ(read.reason, p.reason) << p.text;
  }
}

}  // namespace
