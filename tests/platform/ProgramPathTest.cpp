#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace {

class FixedProgram : public seam::IProgram {
 public:
  explicit FixedProgram(std::string path) : path_(std::move(path)) {}
  std::string ModuleFileName() override { return path_; }

 private:
  std::string path_;
};

TEST(ProgramPath, FolderKeepsTrailingSeparatorOfEitherKind) {
  FixedProgram windows("C:\\Program Files\\Tandrel\\Tandrel.exe");
  seam::Services s;
  s.program = &windows;
  seam::ScopedServices scope(s);
  EXPECT_EQ(seam::ProgramFolder(), "C:\\Program Files\\Tandrel\\");
  EXPECT_EQ(seam::ResolveProgramPath("Actions.xml"), "C:\\Program Files\\Tandrel\\Actions.xml");
  EXPECT_EQ(seam::ResolveProgramPath("D:\\p.xml"), "D:\\p.xml");

  FixedProgram posix("/opt/tandrel/tandrel-cli");
  s.program = &posix;
  seam::ScopedServices inner(s);
  EXPECT_EQ(seam::ProgramFolder(), "/opt/tandrel/");
  EXPECT_EQ(seam::ResolveProgramPath("sub/x.xml"), "/opt/tandrel/sub/x.xml");
}

TEST(ProgramPath, SecondCharacterColonMakesAPathAbsolute) {
  EXPECT_TRUE(seam::IsAbsolutePath("c:x"));
  EXPECT_TRUE(seam::IsAbsolutePath("::"));
  EXPECT_FALSE(seam::IsAbsolutePath(":x"));
  EXPECT_FALSE(seam::IsAbsolutePath(""));
  EXPECT_FALSE(seam::IsAbsolutePath("Profiles\\pad.xml"));
}

TEST(ProgramPath, ScopedServicesRestoresThePreviousSet) {
  FixedProgram a("/a/x");
  seam::Services s;
  s.program = &a;
  const auto before = seam::Current().program;
  {
    seam::ScopedServices scope(s);
    EXPECT_EQ(seam::Current().program, &a);
  }
  EXPECT_EQ(seam::Current().program, before);
}

}  // namespace
