// Inputs kept in tests/data/xml (hostile shapes, and anything the fuzzer ever finds) must keep
// the reader's promises: no crash, the same result whether read from memory, from the file or
// in small pieces, and a tree that writes out as text that reads back to the same text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "xml/XMLReader.h"

namespace fs = std::filesystem;

namespace {

// The kept inputs. The build passes a host path; under Wine the host's root is drive Z:.
fs::path Folder() {
  std::string path = std::string(TANDREL_TEST_DATA) + "/xml";
#ifdef _WIN32
  if (path[0] == '/') path = "Z:" + path;
#endif
  return fs::path(path);
}

bool HoldsBothQuotes(const CXMLNode& node) {
  for (const auto& a : node.Attributes()) {
    if (a->Value().find('"') != std::string::npos && a->Value().find('\'') != std::string::npos) {
      return true;
    }
  }
  for (const auto& c : node.Children()) {
    if (HoldsBothQuotes(*c)) return true;
  }
  return false;
}

TEST(XMLRegression, KeptInputsKeepTheReadersPromises) {
  const fs::path folder = Folder();
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};

    const XMLReadResult memory = ReadXMLMemory(bytes.data(), bytes.size());
    const XMLReadResult file = ReadXMLFile(entry.path().string());
    ASSERT_EQ(file.status, memory.status);
    EXPECT_EQ(file.reason, memory.reason);
    EXPECT_EQ(file.offset, memory.offset);
    for (std::size_t chunk : {1, 2, 5}) {
      const XMLReadResult pieces = ReadXMLMemoryInChunks(bytes.data(), bytes.size(), chunk);
      ASSERT_EQ(pieces.status, memory.status);
      EXPECT_EQ(pieces.offset, memory.offset);
    }
    if (!memory.root || HoldsBothQuotes(*memory.root)) continue;
    const std::string written = memory.root->ToText();
    const XMLReadResult again = ReadXMLMemory(written.data(), written.size());
    ASSERT_TRUE(again.root) << again.reason;
    EXPECT_EQ(again.root->ToText(), written);
  }
  EXPECT_GT(files, 0);
}

TEST(XMLRegression, HostileShapesAreRejectedOrReadAsDocumented) {
  const fs::path folder = Folder();
  auto read = [&](const char* name) { return ReadXMLFile((folder / name).string()); };
  EXPECT_EQ(read("deep-nesting.xml").status, XMLReadStatus::Malformed);
  EXPECT_EQ(read("long-names.xml").status, XMLReadStatus::Malformed);
  EXPECT_EQ(read("entity-at-end.xml").status, XMLReadStatus::Malformed);
  EXPECT_EQ(read("closing-tag-only.xml").status, XMLReadStatus::Malformed);
  const XMLReadResult empty = read("empty-name.xml");
  ASSERT_TRUE(empty.root);
  EXPECT_EQ(empty.root->Children().size(), 2u);
  const XMLReadResult quotes = read("value-with-both-quotes.xml");
  ASSERT_TRUE(quotes.root);
  EXPECT_EQ(quotes.root->FindAttribute("v")->Value(), "say \"hi\"&it;s");
}

}  // namespace
