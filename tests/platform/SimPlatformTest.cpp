// The simulated platform where the other tests cannot pin a fault down: the cursor at the
// screen's edges, and the program's path.
#include <gtest/gtest.h>

#include "support/VirtualWorld.h"

namespace {

TEST(SimInput, TheCursorStaysOnTheScreen) {
  VirtualWorld world;
  auto& input = world.input();
  const auto absolute = seam::kMouseMove | seam::kMouseAbsolute;
  const struct {
    std::uint32_t flags;
    int dx, dy, x, y;
  } steps[] = {{seam::kMouseMove, 2, -3, 962, 537},  // from the centre
               {seam::kMouseWheel, 500, 500, 962, 537},
               {seam::kMouseMove, -5000, -5000, 0, 0},
               {seam::kMouseMove, 1919, 1079, 1919, 1079},
               {seam::kMouseMove, INT32_MIN, INT32_MAX, 0, 1079},
               {absolute, 70000, -4, 1919, 0}};
  int x = -1, y = -1;
  for (const auto& s : steps) {
    input.MouseEvent(s.flags, s.dx, s.dy, 0);
    ASSERT_TRUE(world.desktop().GetCursorPos(x, y));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(s.x, s.y)) << s.dx;
  }
  // The mouse action encodes pixel p as round(p / W * 65535): every pixel comes back.
  for (int p = 0; p < 1920; ++p) {
    input.MouseEvent(absolute, static_cast<int>(p / 1920.0 * 65535 + 0.5), 0, 0);
    world.desktop().GetCursorPos(x, y);
    ASSERT_EQ(x, p);
  }
  world.desktop().SetScreenSize(0, -5);  // at least one pixel, with the cursor on it
  world.desktop().GetCursorPos(x, y);
  EXPECT_EQ(world.desktop().FullScreenWidth() + world.desktop().FullScreenHeight() + x, 2);
}

TEST(ProgramPath, ASecondCharacterColonMakesAPathAbsolute) {
  seam::SimPlatform platform;
  seam::ScopedServices scope(platform.services());
  platform.program().SetModuleFileName("C:\\T\\Tandrel.exe");
  const std::pair<const char*, const char*> cases[] = {
      {"D:\\p.xml", "D:\\p.xml"}, {"::", "::"}, {":x", "C:\\T\\:x"}, {"", "C:\\T\\"}};
  for (const auto& [path, resolved] : cases) EXPECT_EQ(seam::ResolveProgramPath(path), resolved);
}

// The Windows program's boxes name the files their findings are about, with their folders;
// others show the texts alone.
TEST(Findings, ABoxNamesTheFilesItIsAboutWithTheirFolders) {
  seam::SimPlatform platform;
  seam::ScopedServices scope(platform.services());
  platform.program().SetModuleFileName("C:\\T\\Tandrel.exe");
  const seam::Finding noId{"There is a joystick with no ID.", "Configuration Error",
                           seam::MessageIcon::Error, "C:\\T\\Tandrel.exe.config"};
  const seam::Finding typo{"The file \"Pad.xml\" is not valid.", "Configuration Error",
                           seam::MessageIcon::Error, "Pad.xml"};
  const seam::Finding named{"Could not open the file \"C:\\T\\Pad.xml\".", "Configuration Error",
                            seam::MessageIcon::Error, "Pad.xml"};
  const struct {
    std::vector<seam::Finding> findings;
    std::string text;
  } boxes[] = {
      {{noId}, "There is a joystick with no ID.\r\n(C:\\T\\Tandrel.exe.config)"},
      {{named}, named.text},
      {{typo, typo},
       "2 problems were found in \"C:\\T\\Pad.xml\":\r\n\r\n" + typo.text + "\r\n\r\n" + typo.text},
      {{noId, typo, named},
       "3 problems were found:\r\n\r\nIn \"C:\\T\\Tandrel.exe.config\":\r\n\r\n" + noId.text +
           "\r\n\r\nIn \"C:\\T\\Pad.xml\":\r\n\r\n" + typo.text + "\r\n\r\n" + named.text},
  };
  for (const auto& box : boxes) {
    EXPECT_EQ(seam::CombineFindings(box.findings, true).text, box.text);
    EXPECT_EQ(seam::CombineFindings(box.findings).text.find("C:\\T\\Tandrel.exe.config"),
              std::string::npos);
  }
}

}  // namespace
