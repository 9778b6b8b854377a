// Documents on disk: the buffered file reader, SaveXMLFile's replace-or-keep guarantee, and the
// inputs kept in tests/data/xml (hostile shapes, and anything the fuzzer ever finds).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "support/VirtualWorld.h"
#include "xml/XMLReader.h"
#include "xml/XMLSave.h"

namespace fs = std::filesystem;

namespace {

class XMLFiles : public ::testing::Test {
 protected:
  VirtualWorld world_;
  const fs::path dir_{world_.UseTempProgramFolder()};
};

TEST_F(XMLFiles, SaveReplacesTheFileWholeOrKeepsWhatWasThere) {
  world_.Write("P.xml", "old contents");
  world_.Write("P.xml.tmp", "mine");  // a user's own file
  fs::create_directories(dir_ / "F.xml");
  CXMLNode root("Joystick");
  root.AddAttribute("delay", "30");
  ASSERT_TRUE(SaveXMLFile(root, (dir_ / "P.xml").string()));
  ASSERT_TRUE(SaveXMLFile(root, (dir_ / "New.xml").string()));
  const std::string saved = "<Joystick delay = \"30\" />\r\n";
  // Into a missing folder, over a folder, the disk refusing the new bytes, or the target that
  // cannot be replaced.
  root.AddChild(std::make_unique<CXMLNode>("Button"));
  for (const fs::path& target : {dir_ / "missing" / "P.xml", dir_ / "F.xml"}) {
    const XMLSaveResult failed = SaveXMLFile(root, target.string());
    EXPECT_TRUE(!failed && failed.refusal.empty() && !failed.why.empty()) << failed.why;
  }
  for (const auto step : {seam::SimFiles::Step::Create, seam::SimFiles::Step::Replace}) {
    world_.platform().files().SetFailing(step, true);
    EXPECT_EQ(SaveFailureText("P.xml", SaveXMLFile(root, (dir_ / "P.xml").string())),
              "The file \"P.xml\" could not be written: no space left on device.");
    world_.platform().files().SetFailing(step, false);
  }
  // Nothing the reader would refuse: a file beyond 16 MiB (a value beyond 255 bytes: the
  // configuration's saves).
  CXMLNode huge("Actions");
  for (int i = 0; i < 70000; ++i) huge.AddAttribute("v", std::string(250, '>'));  // as "&gt;"
  const XMLSaveResult tooLarge = SaveXMLFile(huge, (dir_ / "P.xml").string());
  EXPECT_FALSE(tooLarge);
  EXPECT_EQ(tooLarge.refusal.substr(0, 16), "it would hold 70");
  EXPECT_EQ(world_.Read("P.xml") + world_.Read("New.xml"), saved + saved);
  EXPECT_EQ(world_.Read("P.xml.tmp"), "mine");
  std::set<std::string> entries;
  for (const auto& e : fs::directory_iterator(dir_)) entries.insert(e.path().filename().string());
  EXPECT_EQ(entries, (std::set<std::string>{"F.xml", "New.xml", "P.xml", "P.xml.tmp"}));
}

// A save writes through a symbolic link to its target and keeps the target's permissions; a
// file that already holds the bytes is left alone (not even replaced by an equal one).
TEST_F(XMLFiles, SaveKeepsLinksPermissionsAndUnchangedFiles) {
#ifdef _WIN32
  GTEST_SKIP() << "making symbolic links takes a right Windows users seldom have";
#endif
  fs::create_directories(dir_ / "dotfiles");
  world_.Write("dotfiles/Real.xml", "<Old/>");
  fs::permissions(dir_ / "dotfiles" / "Real.xml", fs::perms::owner_read | fs::perms::group_read);
  fs::create_symlink("dotfiles/Real.xml", dir_ / "Link.xml");
  fs::create_symlink("Link.xml", dir_ / "Chain.xml");
  CXMLNode root("New");
  ASSERT_TRUE(SaveXMLFile(root, (dir_ / "Chain.xml").string()));
  EXPECT_TRUE(fs::is_symlink(dir_ / "Chain.xml") && fs::is_symlink(dir_ / "Link.xml"));
  EXPECT_EQ(world_.Read("dotfiles/Real.xml"), "<New />\r\n");
  EXPECT_EQ(fs::status(dir_ / "dotfiles" / "Real.xml").permissions(),
            fs::perms::owner_read | fs::perms::group_read);
  const auto written = fs::last_write_time(dir_ / "dotfiles" / "Real.xml");
  fs::last_write_time(dir_ / "dotfiles" / "Real.xml", written - std::chrono::hours(1));
  ASSERT_TRUE(SaveXMLFile(root, (dir_ / "Link.xml").string()));
  EXPECT_EQ(fs::last_write_time(dir_ / "dotfiles" / "Real.xml"), written - std::chrono::hours(1));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "dotfiles"), fs::directory_iterator()), 1);
}

TEST(XMLRegression, KeptInputsReadAlikeEveryWayAsDocumentedAndWriteBack) {
  // The build passes a host path; under Wine the host's root is drive Z:.
  std::string folder = std::string(TANDREL_TEST_DATA) + "/xml";
#ifdef _WIN32
  if (folder[0] == '/') folder = "Z:" + folder;
#endif
  // The tree of each hostile shape ("": refused); inputs the fuzzer finds need only read alike.
  const std::map<std::string, std::string> documented = {
      {"deep-nesting.xml", ""},
      {"long-names.xml", ""},
      {"entity-at-end.xml", ""},
      {"closing-tag-only.xml", ""},
      {"empty-name.xml", "< >\r\n\t<x v = \"1\" />\r\n\t< >\r\n\t</>\r\n</>\r\n"},
      {"value-with-both-quotes.xml", "<A v = 'say \"hi\"&amp;it;s' />\r\n"}};
  std::size_t found = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    const XMLReadResult memory = ReadXMLMemory(bytes.data(), bytes.size());
    const XMLReadResult file = ReadXMLFile(entry.path().string());
    ASSERT_EQ(file.status, memory.status);
    EXPECT_EQ(file.reason, memory.reason);
    EXPECT_EQ(file.offset, memory.offset);
    EXPECT_EQ(ReadXMLMemoryInChunks(bytes.data(), bytes.size(), 1).offset, memory.offset);
    const std::string written = memory.root ? memory.root->ToText() : "";
    if (documented.count(name)) {
      ++found;
      EXPECT_EQ(written, documented.at(name));
    }
    if (!memory.root) continue;
    const XMLReadResult again = ReadXMLMemory(written.data(), written.size());
    ASSERT_TRUE(again.root) << again.reason;
    EXPECT_EQ(again.root->ToText(), written);
  }
  EXPECT_EQ(found, documented.size());
}

}  // namespace
