// Documents on disk: LoadXMLFile's path rule and message, the buffered file reader, SaveXMLFile's
// replace-or-keep guarantee, and the inputs kept in tests/data/xml (hostile shapes, and anything
// the fuzzer ever finds).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/VirtualWorld.h"
#include "xml/XMLNode.h"
#include "xml/XMLReader.h"
#include "xml/XMLSave.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

class XMLFiles : public ::testing::Test {
 protected:
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  VirtualWorld world_;
  const fs::path dir_{world_.UseTempProgramFolder()};
};

TEST_F(XMLFiles, LoadTakesRelativePathsFromTheProgramFolderAndReportsWhatItCannotOpen) {
  WriteBytes(dir_ / "Actions.xml", "<Actions><Theme name='General'/></Actions>");
  WriteBytes(dir_ / "p.xml", "<Joystick/>");
  WriteBytes(dir_ / "bad.xml", "<?xml version=\"1.0\"?>\r\n<Joystick/>");
  fs::create_directories(dir_ / "folder.xml");

  auto root = LoadXMLFile("Actions.xml");
  ASSERT_TRUE(root);
  EXPECT_STREQ(root->GetName(), "Actions");
  root = LoadXMLFile((dir_ / "p.xml").string().c_str());
  ASSERT_TRUE(root);
  EXPECT_STREQ(root->GetName(), "Joystick");
  EXPECT_FALSE(LoadXMLFile("bad.xml"));  // malformed: no message
  EXPECT_EQ(ReadXMLFile((dir_ / "bad.xml").string()).status, XMLReadStatus::Malformed);
  EXPECT_TRUE(world_.messages().Log().empty());

  EXPECT_FALSE(LoadXMLFile("Missing.xml"));
  EXPECT_FALSE(LoadXMLFile("folder.xml"));
  EXPECT_EQ(ReadXMLFile((dir_ / "folder.xml").string()).status, XMLReadStatus::CannotOpen);
  const auto box = [](const std::string& path) {
    return seam::MessageRecord{"Could not open the file \"" + path + "\".", "Configuration Error",
                               seam::MessageButtons::Ok, seam::MessageIcon::Error,
                               seam::MessageAnswer::Ok};
  };
  EXPECT_EQ(world_.messages().Log(), (std::vector{box("Missing.xml"), box("folder.xml")}));
}

TEST_F(XMLFiles, LargeFilesReadAcrossBufferBoundariesLikeMemory) {
  // Long names, long values and entities laid over every alignment to the read buffer.
  const std::string name63(63, 'N');
  std::string element = "<" + name63 + " " + name63 + " = '";
  for (int i = 0; i < 50; ++i) element += "&amp;";
  element += std::string(200, 'v') + "' b='&LT;'/>\r\n";
  std::string body;
  while (body.size() < 70 * 1024) body += element;
  const std::string path = (dir_ / "big.xml").string();

  for (std::size_t shift = 0; shift < element.size(); shift += 7) {
    const std::string text = std::string(shift, ' ') + "<Root>" + body + "</Root>";
    WriteBytes(path, text);
    const XMLReadResult fromFile = ReadXMLFile(path);
    const XMLReadResult fromMemory = ReadXMLMemory(text.data(), text.size());
    ASSERT_EQ(fromFile.status, XMLReadStatus::Ok) << "shift " << shift << " " << fromFile.reason;
    ASSERT_TRUE(fromMemory.root);
    EXPECT_EQ(fromFile.root->ToText(), fromMemory.root->ToText());
  }
  // A 64-letter name still fails when it straddles a buffer boundary.
  WriteBytes(
      path, "<Root>" + std::string(65536 - 6 - 30, ' ') + "<" + std::string(64, 'x') + "/></Root>");
  EXPECT_EQ(ReadXMLFile(path).status, XMLReadStatus::Malformed);
}

TEST_F(XMLFiles, SaveReplacesTheFileAndLeavesNoTemporaryFile) {
  const fs::path target = dir_ / "Profile.xml";
  WriteBytes(target, "old contents");
  CXMLNode root("Joystick");
  root.AddAttribute("delay", "30");
  ASSERT_TRUE(SaveXMLFile(root, target.string()));
  EXPECT_EQ(ReadBytes(target), "<Joystick delay = \"30\" />\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Profile.xml"});

  root.AddChild(std::make_unique<CXMLNode>("Button"));
  ASSERT_TRUE(SaveXMLFile(root, target.string()));
  EXPECT_EQ(ReadBytes(target), root.ToText());
  ASSERT_TRUE(SaveXMLFile(root, (dir_ / "New.xml").string()));
  EXPECT_EQ(ReadBytes(dir_ / "New.xml"), root.ToText());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"New.xml", "Profile.xml"}));
}

TEST_F(XMLFiles, AFailedSaveReportsItAndKeepsWhatWasThere) {
  CXMLNode root("Actions");
  root.AddChild(std::make_unique<CXMLNode>("Theme"));
  // Into a missing folder.
  EXPECT_FALSE(SaveXMLFile(root, (dir_ / "missing" / "Profile.xml").string()));
  EXPECT_TRUE(Entries().empty());
  // Over a folder.
  fs::create_directories(dir_ / "Profile.xml");
  WriteBytes(dir_ / "Profile.xml" / "inside.txt", "kept");
  EXPECT_FALSE(SaveXMLFile(root, (dir_ / "Profile.xml").string()));
  EXPECT_EQ(ReadBytes(dir_ / "Profile.xml" / "inside.txt"), "kept");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Profile.xml"});
  // The disk refuses the new bytes, or the target cannot be replaced.
  WriteBytes(dir_ / "Actions.xml", "<Actions />\r\n");
  for (const auto step : {seam::SimFiles::Step::Create, seam::SimFiles::Step::Replace}) {
    world_.platform().files().SetFailing(step, true);
    EXPECT_FALSE(SaveXMLFile(root, (dir_ / "Actions.xml").string()));
    world_.platform().files().SetFailing(step, false);
    EXPECT_EQ(ReadBytes(dir_ / "Actions.xml"), "<Actions />\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Actions.xml", "Profile.xml"}));
  }
}

TEST_F(XMLFiles, SavesNeverTouchAUsersOwnTemporaryFileAndTakeCodePagePaths) {
  WriteBytes(dir_ / "Actions.xml.tmp", "mine");
  CXMLNode root("Actions");
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(SaveXMLFile(root, (dir_ / "Actions.xml").string()));
  EXPECT_EQ(ReadBytes(dir_ / "Actions.xml.tmp"), "mine");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Actions.xml", "Actions.xml.tmp"}));
  // Paths are bytes in the system's code page, as every file function takes them ("é" in
  // Windows-1252).
  const std::string accented = dir_.string() + "/Caf\xE9.xml";
  ASSERT_TRUE(SaveXMLFile(root, accented));
  EXPECT_EQ(ReadXMLFile(accented).status, XMLReadStatus::Ok);
}

TEST_F(XMLFiles, OversizedFilesAreRefusedUnreadAndEndlessSourcesAtTheLimit) {
  const fs::path path = dir_ / "huge.xml";
  WriteBytes(path, "<R>");
  fs::resize_file(path, kXMLMaxFileSize + 1);
  XMLReadResult read = ReadXMLFile(path.string());
  EXPECT_EQ(read.status, XMLReadStatus::CannotOpen);
  EXPECT_NE(read.reason.find("16 MiB"), std::string::npos) << read.reason;
  EXPECT_FALSE(LoadXMLFile("huge.xml"));
  EXPECT_EQ(world_.messages().Log().size(), 1u);  // "Could not open the file ..."
  // A source without a known size (a device, a pipe) is cut where it passes the limit.
  const std::string endless = "<R>" + std::string(kXMLMaxFileSize, ' ');
  read = ReadXMLMemoryInChunks(endless.data(), endless.size(), 1 << 16);
  EXPECT_EQ(read.status, XMLReadStatus::CannotOpen);
  EXPECT_EQ(ReadXMLMemoryInChunks(endless.data(), kXMLMaxFileSize, 1 << 16).status,
            XMLReadStatus::Malformed);
}

// The kept inputs. The build passes a host path; under Wine the host's root is drive Z:.
fs::path DataFolder() {
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
  return std::any_of(node.Children().begin(), node.Children().end(),
                     [](const auto& c) { return HoldsBothQuotes(*c); });
}

TEST(XMLRegression, KeptInputsReadAlikeFromMemoryFileAndPiecesAndWriteBack) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(DataFolder())) {
    if (!entry.is_regular_file()) continue;
    ++files;
    SCOPED_TRACE(entry.path().filename().string());
    const std::string bytes = ReadBytes(entry.path());
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
  auto read = [](const char* name) { return ReadXMLFile((DataFolder() / name).string()); };
  for (const char* name :
       {"deep-nesting.xml", "long-names.xml", "entity-at-end.xml", "closing-tag-only.xml"}) {
    EXPECT_EQ(read(name).status, XMLReadStatus::Malformed) << name;
  }
  const XMLReadResult empty = read("empty-name.xml");
  ASSERT_TRUE(empty.root);
  EXPECT_EQ(empty.root->Children().size(), 2u);
  const XMLReadResult quotes = read("value-with-both-quotes.xml");
  ASSERT_TRUE(quotes.root);
  EXPECT_EQ(quotes.root->FindAttribute("v")->Value(), "say \"hi\"&it;s");
}

}  // namespace
