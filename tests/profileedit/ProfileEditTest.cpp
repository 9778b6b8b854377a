// The axes of a profile as the Profile tab edits them: settings, orientation, entries at a
// percent, and "<<None>>", down to the file written. The rest of the tab's editing shows in the
// window's own tests.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "profileedit/ActionAssignment.h"
#include "profileedit/AxisSettings.h"
#include "profileedit/ProfileDocument.h"
#include "support/VirtualWorld.h"
#include "xml/XMLReader.h"

namespace {

using namespace profileedit;

std::unique_ptr<CXMLNode> Parse(const char* text) {
  return ReadXMLMemory(text, std::strlen(text)).root;
}

TEST(ProfileEditTest, AxisEditsWriteTheDocumentedFile) {
  VirtualWorld world;
  world.UseTempProgramFolder();
  auto root = Parse(R"(<Joystick><Axes><Axis Name='Y Axis' type='Horizontal'>
       <Direction Name='Left'><Actions><Action number='0' theme='K' name='A'/></Actions>
       </Direction><Direction Name='right'/></Axis>
       <Axis name='Z Axis' threshold='5000' swapped='true'/>
       <Axis name='R Axis'><Direction name='Up'/><Direction name='Down'/></Axis>
       </Axes></Joystick>)");
  CXMLNode& r = *root;
  // The orientations the element list shows.
  const auto shown = PrepareAxesForEditing(r);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2].axis, "R Axis");
  EXPECT_FALSE(shown[2].vertical);
  const auto assign = [&](const char* entry, const char* name, int percent = 0) {
    return AssignAction(r, *ParseElementEntry(entry), 0, "K", name, percent);
  };
  const auto none = [&](const char* entry, int percent = 0) {
    return RemoveAction(r, *ParseElementEntry(entry), 0, percent);
  };
  // Each edit, and whether it changes the document ("7" and "70" both store the least threshold).
  const std::pair<std::function<bool()>, bool> edits[] = {
      {[&] { return assign("Right X Axis", "B", 50); }, true},
      {[&] { return assign("Right X Axis", "C"); }, true},
      {[&] { return assign("Right X Axis", "C"); }, false},
      {[&] { return SetAxisType(r, "Y Axis", true); }, true},
      {[&] { return SetAxisType(r, "Y Axis", true); }, false},
      {[&] { return SetAxisThreshold(r, "Y Axis", "7"); }, true},
      {[&] { return SetAxisThreshold(r, "Y Axis", "70"); }, false},
      {[&] { return SetAxisThreshold(r, "Y Axis", "7000"); }, true},
      {[&] { return SetAxisSensitivity(r, "V Axis", ""); }, true},
      {[&] { return SetAxisSwapped(r, "Y Axis", true); }, true},
      {[&] { return none("Up Z Axis"); }, true},
      {[&] { return none("Down Y Axis"); }, false},
      {[&] { return none("Right X Axis", 50); }, true},
      {[&] { return none("Left X Axis"); }, false},
      {[&] { return assign("Left U Axis", "D"); }, true},
      {[&] { return none("Left U Axis"); }, true}};
  for (std::size_t i = 0; i < std::size(edits); ++i) {
    EXPECT_EQ(edits[i].first(), edits[i].second) << "edit " << i;
  }
  // What the axis controls show.
  const auto y = ReadAxisSettings(r, "y axis");
  EXPECT_EQ(y->threshold + " " + y->sensitivity, "7000 100");
  EXPECT_EQ(y->typeEntry, 1u);
  EXPECT_TRUE(y->swapped && !ReadAxisSettings(r, "X Axis")->swapped);
  ASSERT_TRUE(SaveProfileDocument(r, "saved.xml"));
  EXPECT_EQ(world.Read("saved.xml"),
            Parse(R"(<Joystick><Axes><Axis Name='Y Axis' type='Vertical' threshold='7000'
       swapped='true'><Direction Name='Up'><Actions><Action number='0' theme='K' name='A'/>
       </Actions></Direction><Direction Name='Down'/></Axis><Axis name='R Axis'
       type='horizontal'><Direction name='Left'/><Direction name='Right'/></Axis>
       <Axis name='X Axis' sensitivity='100' threshold='1000' type='horizontal'>
       <Direction name='Right'><Actions><Action number='0' theme='K' name='C'/></Actions>
       </Direction><Direction name='Left'/></Axis><Axis name='V Axis' sensitivity='100'/>
       <Axis name='U Axis' sensitivity='100' threshold='1000' type='horizontal'/></Axes>
       </Joystick>)")
                ->ToText());
}

}  // namespace
