// The reader's grammar: what it accepts and what it rejects (the tree it builds shows in the
// command line's format). Every document is also read in small pieces, which must give the same
// result as reading it whole.
// Values the writer escapes read back as they were.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

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
    EXPECT_EQ(pieces.Position(), whole.Position());
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
                 "<A_b/>", "<A\xC3\xA9/>", "<A x1='1'/>", "<Actions></Action>", "<A><B></A></B>",
                 "<A></A x>", "<A></>", "<A v='&lt'/>", "<A v 'x'/>", "<A v=x/>", "<A v=`x`/>",
                 "<A v='x\"/>", "<A 1='x'/>", "\xEF\xBB<A/>", " \xEF\xBB\xBF<A/>", "<A>text</A>",
                 "<A><B/>text</A>", "<A><![CDATA[x]]></A>", "text<A/>", "", " \r\n\t");
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

TEST(XMLReader, ValuesDecodeEntitiesAndKeepOtherBytes) {
  // Entities ignore case; unknown ones, up to 15 characters, become ';' and run to the next
  // ';'; a decoded '&' is not decoded again; the 255-byte limit counts decoded bytes; no blank
  // is needed between attributes.
  const std::string text = "<A a='&lt;&gt;&amp;' b='&LT;&Amp;&gT;' c='&quot;&#60;' d='a&;b' e='&" +
                           std::string(15, 'x') + ";' f='x&a'b;y' g='&amp;lt;' h='say \"hi\"' " +
                           "i=\"it's\" j='a>b\r\n\tc<d' k='\xE9\xFF' l='' m='a" +
                           std::string(1, '\0') + "b'n=\"2\" o='" + std::string(255, 'x') +
                           "' p='" + kAmp255 + "'/>";
  const auto root = Read(text).root;
  ASSERT_TRUE(root);
  std::string values;  // each followed by '|'
  for (const auto& a : root->Attributes()) (values += a->Value()) += "|";
  EXPECT_EQ(values, "<>&|<&>|;;|a;b|;|x;y|&lt;|say \"hi\"|it's|a>b\r\n\tc<d|\xE9\xFF||a" +
                        std::string(1, '\0') + "b|2|" + std::string(255, 'x') + "|" +
                        std::string(255, '&') + "|");
}

TEST(XMLReader, EveryTruncatedDocumentFails) {
  const std::string whole = "<A x = 'v&amp;'><B/></A>";
  for (std::size_t n = 0; n < whole.size(); ++n) {
    EXPECT_FALSE(Accepts(whole.substr(0, n))) << "prefix of " << n << " bytes";
  }
  EXPECT_TRUE(Accepts(whole));
}

TEST(XMLReader, FailuresSayWhyAndWhereAsAnEditorCounts) {
  using namespace std::string_view_literals;
  const char* const utf16 = "it is UTF-16 text, not UTF-8 (save it as UTF-8)";
  const struct {
    std::string_view text;
    const char* reason;
    std::size_t line, column;
  } cases[] = {
      // UTF-16 with its mark (Notepad's "Unicode"), big-endian, and without a mark.
      {"\xFF\xFE<\0A\0/\0>\0"sv, utf16, 1, 1},
      {"\xFE\xFF\0<\0A\0/\0>"sv, utf16, 1, 1},
      {"<\0A\0 \0x\0=\0'\0"sv, utf16, 1, 1},
      {"<A>\r\n<B x='1'></C>\r\n</A>", "closing tag does not match", 2, 13},
      {"<A>", "expected a child element or a closing tag (end of file)", 1, 4},
      // Columns count characters: the mark, "é" and "ゲ" are one each, or none.
      {"\xEF\xBB\xBF<A\tn='\xC3\xA9\xE3\x82\xB2' x y/>", "expected '=' after an attribute name", 1,
       13},
      {"<?xml version=\"1.0\"?>\r\n<?xml?><A/>",
       "the format has only one XML declaration, at the start", 2, 2},
      {"<?xml version=\"1.0\"", "XML declaration not closed by '?>' (end of file)", 1, 20},
      {"<!-- mine -->\r\n<A/>",
       "the format has no comments (<!--...-->): the program would drop them when it writes the "
       "file",
       1, 2},
  };
  // A closing quote left out shows far below; the value that ran on is named.
  const XMLReadResult quote = Read("<A x = \"1 />\r\n<B y = \"2\"/></A>");
  EXPECT_EQ(quote.reason + " at " + quote.Position(),
            "expected '=' after an attribute name at line 2, column 9 (the value that opens at "
            "line 1, column 8 runs over several lines: is its closing quote missing?)");
  for (const auto& c : cases) {
    const XMLReadResult read = Read(std::string(c.text));
    EXPECT_EQ(read.status, XMLReadStatus::Malformed) << c.text;
    EXPECT_FALSE(read.root);
    EXPECT_EQ(read.reason, c.reason) << c.text;
    EXPECT_EQ(read.Position(),
              "line " + std::to_string(c.line) + ", column " + std::to_string(c.column))
        << c.text;
  }
  // A declaration as editors write it, after the byte-order mark, is read over.
  EXPECT_TRUE(Accepts("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<A x='1'/>"));
  EXPECT_TRUE(Accepts(" < ?x?>\n<A/>"));
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

// A tree that was read keeps its memory in one block with the root; edits mix in nodes and text
// of their own, and every part goes exactly once (the sanitizer lane sees a double or a wrong
// free).
TEST(XMLTree, AReadTreeIsEditedLikeABuiltOne) {
  const std::string text = "<R a='1' b='2'><X n='x'/><Y/><X n='z'><Z/></X></R>";
  auto read = Read(text).root;
  ASSERT_TRUE(read);
  CXMLNode* x = read->FindChild("x", nullptr);
  CXMLNode* z = read->FindChild("X", x);
  x->FindAttribute("n")->SetValue(std::string(300, 'v'));
  x->FindAttribute("n")->SetValue("y");
  EXPECT_TRUE(read->RemoveAttribute(read->FindAttribute("A")));
  EXPECT_FALSE(read->RemoveChild(z->Children()[0].get()));  // a grandchild is not a child
  EXPECT_TRUE(read->RemoveChild(read->FindChild("Y", nullptr)));
  for (const char* name : {"P", "Q", "S"}) z->AddChild(std::make_unique<CXMLNode>(name));
  EXPECT_TRUE(z->RemoveChild(z->FindChild("Z", nullptr)));
  read->AddAttribute("c", "3");
  EXPECT_STREQ(z->FindAttribute("n")->GetValue(), "z");

  CXMLNode outer("O");
  CXMLNode* moved = outer.AddChild(std::move(read));
  EXPECT_EQ(outer.ToText(),
            "<O >\r\n\t<R b = \"2\" c = \"3\" >\r\n\t\t<X n = \"y\" />\r\n"
            "\t\t<X n = \"z\" >\r\n\t\t\t<P />\r\n\t\t\t<Q />\r\n\t\t\t<S />\r\n"
            "\t\t</X>\r\n\t</R>\r\n</O>\r\n");
  EXPECT_TRUE(outer.RemoveChild(moved));

  // Names, values, nodes and lists of every size and alignment, over blocks sized from the
  // input's size, whatever that is.
  std::string many = "<R>";
  for (int i = 0; i < 500; ++i) {
    many += "<E" + std::string(i % 7, 'x') + " v='" + std::string(i % 13, 'y') + "'/>";
  }
  many += "</R>";
  for (int pad = 0; pad < 8; ++pad, many += ' ') {
    const auto big = ReadXMLMemory(many.data(), many.size()).root;
    ASSERT_TRUE(big);
    ASSERT_EQ(big->Children().size(), 500u);
    EXPECT_EQ(big->Children()[499]->Name(), "E" + std::string(499 % 7, 'x'));
    EXPECT_EQ(big->Children()[499]->Attributes()[0]->Value(), std::string(499 % 13, 'y'));
  }
}

}  // namespace
