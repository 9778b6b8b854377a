// Documents on disk: LoadXMLFile's path rule and message, the buffered file reader, and
// SaveXMLFile's replace-or-keep guarantee.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "xml/XMLNode.h"
#include "xml/XMLReader.h"
#include "xml/XMLSave.h"

namespace fs = std::filesystem;

namespace {

class RecordingMessages : public seam::IMessages {
 public:
  struct Shown {
    std::string text, caption;
    seam::MessageIcon icon;
  };
  seam::MessageAnswer Show(const std::string& text, const std::string& caption,
                           seam::MessageButtons, seam::MessageIcon icon) override {
    shown.push_back({text, caption, icon});
    return seam::MessageAnswer::Ok;
  }
  std::vector<Shown> shown;
};

class FixedProgram : public seam::IProgram {
 public:
  explicit FixedProgram(std::string path) : path_(std::move(path)) {}
  std::string ModuleFileName() override { return path_; }

 private:
  std::string path_;
};

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

// A fresh folder for each test, removed after; the fake program lives in it.
class XMLFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / (std::string("tandrel-xml-") + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    program_ = std::make_unique<FixedProgram>((dir_ / "Tandrel.exe").string());
    seam::Services s;
    s.messages = &messages_;
    s.program = program_.get();
    scope_ = std::make_unique<seam::ScopedServices>(s);
  }
  void TearDown() override {
    scope_.reset();
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string PathOf(const char* name) const { return (dir_ / name).string(); }

  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  RecordingMessages messages_;
  std::unique_ptr<FixedProgram> program_;
  std::unique_ptr<seam::ScopedServices> scope_;
};

TEST_F(XMLFiles, RelativePathsAreTakenFromTheProgramFolder) {
  WriteBytes(dir_ / "Actions.xml", "<Actions><Theme name='General'/></Actions>");
  auto root = LoadXMLFile("Actions.xml");
  ASSERT_TRUE(root);
  EXPECT_STREQ(root->GetName(), "Actions");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(XMLFiles, AbsolutePathsAreUsedAsGiven) {
  WriteBytes(dir_ / "p.xml", "<Joystick/>");
  auto root = LoadXMLFile(PathOf("p.xml").c_str());
  ASSERT_TRUE(root);
  EXPECT_STREQ(root->GetName(), "Joystick");
}

TEST_F(XMLFiles, AMissingFileIsReportedWithThePathAsGiven) {
  EXPECT_FALSE(LoadXMLFile("Actions.xml"));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Could not open the file \"Actions.xml\".");
  EXPECT_EQ(messages_.shown[0].caption, "Configuration Error");
  EXPECT_EQ(messages_.shown[0].icon, seam::MessageIcon::Error);
}

TEST_F(XMLFiles, AFolderCannotBeOpened) {
  fs::create_directories(dir_ / "folder.xml");
  EXPECT_FALSE(LoadXMLFile("folder.xml"));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Could not open the file \"folder.xml\".");
  EXPECT_EQ(ReadXMLFile(PathOf("folder.xml")).status, XMLReadStatus::CannotOpen);
}

TEST_F(XMLFiles, AMalformedFileFailsWithoutAMessage) {
  WriteBytes(dir_ / "bad.xml", "<?xml version=\"1.0\"?>\r\n<Joystick/>");
  EXPECT_FALSE(LoadXMLFile("bad.xml"));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(ReadXMLFile(PathOf("bad.xml")).status, XMLReadStatus::Malformed);
}

TEST_F(XMLFiles, LargeFilesReadAcrossBufferBoundariesLikeMemory) {
  // Long names, long values and entities laid over every alignment to the read buffer.
  const std::string name63(63, 'N');
  std::string element = "<" + name63 + " " + name63 + " = '";
  for (int i = 0; i < 50; ++i) element += "&amp;";
  element += std::string(200, 'v') + "' b='&LT;'/>\r\n";
  std::string body;
  while (body.size() < 70 * 1024) body += element;

  for (std::size_t shift = 0; shift < element.size(); shift += 7) {
    const std::string text = std::string(shift, ' ') + "<Root>" + body + "</Root>";
    WriteBytes(dir_ / "big.xml", text);
    const XMLReadResult fromFile = ReadXMLFile(PathOf("big.xml"));
    const XMLReadResult fromMemory = ReadXMLMemory(text.data(), text.size());
    ASSERT_EQ(fromFile.status, XMLReadStatus::Ok) << "shift " << shift << " " << fromFile.reason;
    ASSERT_TRUE(fromMemory.root);
    EXPECT_EQ(fromFile.root->ToText(), fromMemory.root->ToText());
  }

  // A 64-letter name still fails when it straddles a buffer boundary.
  const std::string tooLong =
      "<Root>" + std::string(65536 - 6 - 30, ' ') + "<" + std::string(64, 'x') + "/></Root>";
  WriteBytes(dir_ / "long.xml", tooLong);
  EXPECT_EQ(ReadXMLFile(PathOf("long.xml")).status, XMLReadStatus::Malformed);
}

TEST_F(XMLFiles, SaveReplacesTheFileAndLeavesNoTemporaryFile) {
  const std::string target = PathOf("Profile.xml");
  WriteBytes(target, "old contents");
  CXMLNode root("Joystick");
  root.AddAttribute("delay", "30");
  ASSERT_TRUE(SaveXMLFile(root, target));
  EXPECT_EQ(ReadBytes(target), "<Joystick delay = \"30\" />\r\n");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Profile.xml"});

  // Saving again over the file just written, and to a new file.
  root.AddChild(std::make_unique<CXMLNode>("Button"));
  ASSERT_TRUE(SaveXMLFile(root, target));
  EXPECT_EQ(ReadBytes(target), root.ToText());
  ASSERT_TRUE(SaveXMLFile(root, PathOf("New.xml")));
  EXPECT_EQ(ReadBytes(dir_ / "New.xml"), root.ToText());
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"New.xml", "Profile.xml"}));
}

TEST_F(XMLFiles, SaveIntoAMissingFolderFails) {
  CXMLNode root("Joystick");
  EXPECT_FALSE(SaveXMLFile(root, PathOf("missing/Profile.xml")));
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
  EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(XMLFiles, SaveOverAFolderFailsAndKeepsIt) {
  fs::create_directories(dir_ / "Profile.xml");
  WriteBytes(dir_ / "Profile.xml" / "inside.txt", "kept");
  CXMLNode root("Joystick");
  EXPECT_FALSE(SaveXMLFile(root, PathOf("Profile.xml")));
  EXPECT_EQ(ReadBytes(dir_ / "Profile.xml" / "inside.txt"), "kept");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Profile.xml"});
}

TEST_F(XMLFiles, AFailedSaveLeavesTheOldFileWhole) {
  // The temporary file cannot be created (a folder holds its name): the target is untouched.
  const std::string target = PathOf("Actions.xml");
  WriteBytes(target, "<Actions />\r\n");
  fs::create_directories(dir_ / "Actions.xml.tmp");
  CXMLNode root("Actions");
  root.AddChild(std::make_unique<CXMLNode>("Theme"));
  EXPECT_FALSE(SaveXMLFile(root, target));
  EXPECT_EQ(ReadBytes(target), "<Actions />\r\n");
}

}  // namespace
