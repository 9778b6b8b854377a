#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>

#include "profileedit/ActionAssignment.h"
#include "profileedit/AxisSettings.h"
#include "profileedit/ProfileDocument.h"
#include "profileedit/ShiftButtons.h"
#include "support/VirtualWorld.h"
#include "xml/XMLReader.h"

namespace {

using namespace profileedit;

// One edit of the page and whether it must change the document.
struct Step {
  std::function<bool(CXMLNode&)> edit;
  bool changes;
};
Step Assign(const char* entry, int shift, const char* theme, const char* name, bool changes,
            int percent = 0) {
  return {[=](CXMLNode& root) {
            return AssignAction(root, *ParseElementEntry(entry), shift, theme, name, percent);
          },
          changes};
}
Step None(const char* entry, int shift, bool changes, int percent = 0) {
  return {
      [=](CXMLNode& root) { return RemoveAction(root, *ParseElementEntry(entry), shift, percent); },
      changes};
}

Step Shift(std::vector<int> buttons) {
  return {[=](CXMLNode& root) { return RebuildShiftButtons(root, buttons), true; }, true};
}

class ProfileEditTest : public ::testing::Test {
 protected:
  ProfileEditTest() : folder(world.UseTempProgramFolder()) {}
  VirtualWorld world;
  std::string folder;
};

TEST_F(ProfileEditTest, EditsWriteTheDocumentedFile) {
  const struct {
    const char* name;
    const char* start;  // null: a new profile for controller 0, "Pad"
    std::vector<Step> steps;
    const char* file;
  } scenarios[] = {
      {"button assignment, replacing, delay once, shift buttons",
       nullptr,
       {Assign("Button 3", 0, "Keys", "A", true),
        Assign("Button 3", 0, "Keys", "B", true),
        Assign("Button 3", 0, "keys", "b", false),
        Assign("Button 3", 1, "Keys", "C", true),
        {[](CXMLNode& r) { return SetPollingDelay(r, "30"); }, true},
        {[](CXMLNode& r) { return SetPollingDelay(r, "30"); }, false},
        {[](CXMLNode& r) { return SetControllerIdentity(r, 2, "Other Pad"); }, true},
        Shift({5, 2}),
        Shift({2})},
       R"(<Joystick ID='2' name='Other Pad' delay='30'><Buttons><Button number='3'><Actions>
       <Action number='0' theme='Keys' name='B'/><Action number='1' theme='Keys' name='C'/>
       </Actions></Button></Buttons><ShiftButtons><ShiftButton buttonNumber='2'/>
       </ShiftButtons></Joystick>)"},
      {"<<None>> on buttons and hat directions",
       R"(<Joystick Delay='45'><Buttons>
       <Button number='1'><Actions><Action number='0' Theme='K' name='A'/></Actions>
       <ReleaseActions><Action number='0' Theme='K' name='B'/></ReleaseActions></Button>
       <Button number='2'><Actions><Action number='0' Theme='K' name='A'/></Actions></Button>
       <Button number='4'><Actions><Action number='1' Theme='K' name='A'/>
       <Action number='0' Theme='K' name='B'/></Actions></Button></Buttons></Joystick>)",
       {None("Button 1", 0, true),
        None("Button 2", 0, true),
        None("Button 4", 1, true),
        None("Button 9", 0, false),
        Assign("POV Forward", 0, "K", "C", true),
        None("POV Forward", 0, true),
        {[](CXMLNode& r) { return SetPollingDelay(r, "45"); }, false},
        {[](CXMLNode& r) { return SetControllerIdentity(r, -1, ""); }, false}},
       R"(<Joystick Delay='45'><Buttons><Button number='1'><Actions/><ReleaseActions>
       <Action number='0' Theme='K' name='B'/></ReleaseActions></Button><Button number='4'>
       <Actions><Action number='0' Theme='K' name='B'/></Actions></Button></Buttons><POV/>
       </Joystick>)"},
      {"axis settings, percents, renaming, <<None>> on axes",
       R"(<Joystick><Axes><Axis Name='Y Axis' type='Horizontal'>
       <Direction Name='Left'><Actions><Action number='0' theme='K' name='A'/></Actions>
       </Direction><Direction Name='right'/></Axis>
       <Axis name='Z Axis' threshold='5000' swapped='true'/>
       <Axis name='R Axis'><Direction name='Up'/><Direction name='Down'/></Axis>
       </Axes></Joystick>)",
       {{[](CXMLNode& r) {  // true: the orientations the element list shows
           const auto shown = PrepareAxesForEditing(r);
           return shown.size() == 3 && shown[2].axis == "R Axis" && !shown[2].vertical;
         },
         true},
        Assign("Right X Axis", 0, "K", "B", true, 50),
        Assign("Right X Axis", 0, "K", "C", true),
        Assign("Right X Axis", 0, "K", "C", false),
        {[](CXMLNode& r) { return SetAxisType(r, "Y Axis", true); }, true},
        {[](CXMLNode& r) { return SetAxisType(r, "Y Axis", true); }, false},
        {[](CXMLNode& r) { return SetAxisThreshold(r, "Y Axis", "7"); }, true},
        {[](CXMLNode& r) { return SetAxisThreshold(r, "Y Axis", "70"); }, false},
        {[](CXMLNode& r) { return SetAxisThreshold(r, "Y Axis", "7000"); }, true},
        {[](CXMLNode& r) { return SetAxisSensitivity(r, "V Axis", ""); }, true},
        {[](CXMLNode& r) { return SetAxisSwapped(r, "Y Axis", true); }, true},
        {[](CXMLNode& r) {  // true: what the axis controls show
           const auto y = ReadAxisSettings(r, "y axis");
           return y->threshold == 7000 && y->sensitivity == 100 && y->typeEntry == 1u &&
                  y->swapped && !ReadAxisSettings(r, "X Axis")->swapped;
         },
         true},
        None("Up Z Axis", 0, true),
        None("Down Y Axis", 0, false),
        None("Right X Axis", 0, true, 50),
        None("Left X Axis", 0, false),
        Assign("Left U Axis", 0, "K", "D", true),
        None("Left U Axis", 0, true)},
       R"(<Joystick><Axes><Axis Name='Y Axis' type='Vertical' threshold='7000' swapped='true'>
       <Direction Name='Up'><Actions><Action number='0' theme='K' name='A'/></Actions>
       </Direction><Direction Name='Down'/></Axis><Axis name='R Axis' type='horizontal'>
       <Direction name='Left'/><Direction name='Right'/></Axis>
       <Axis name='X Axis' sensitivity='100' threshold='1000' type='horizontal'>
       <Direction name='Right'><Actions><Action number='0' theme='K' name='C'/></Actions>
       </Direction><Direction name='Left'/></Axis><Axis name='V Axis' sensitivity='100'/>
       <Axis name='U Axis' sensitivity='100' threshold='1000' type='horizontal'/></Axes>
       </Joystick>)"},
  };
  for (const auto& s : scenarios) {
    SCOPED_TRACE(s.name);
    auto root = s.start == nullptr ? CreateProfileDocument(0, "Pad")
                                   : ReadXMLMemory(s.start, std::strlen(s.start)).root;
    ASSERT_TRUE(root);
    for (std::size_t i = 0; i < s.steps.size(); ++i) {
      EXPECT_EQ(s.steps[i].edit(*root), s.steps[i].changes) << "step " << i;
    }
    ASSERT_TRUE(SaveProfileDocument(*root, "saved.xml"));
    // As the writer writes the expected tree.
    EXPECT_EQ(world.Read("saved.xml"), ReadXMLMemory(s.file, std::strlen(s.file)).root->ToText());
  }
}

TEST_F(ProfileEditTest, OpeningAFile) {
  // A missing or empty file is a new profile; one that is not well formed none.
  const std::pair<const char*, const char*> cases[] = {
      {nullptr, "<Joystick ID = \"3\" name = \"Pad\" />\r\n"},
      {"", "<Joystick ID = \"3\" name = \"Pad\" />\r\n"},
      {"<Joystick>", nullptr},
      {"<Actions/>", "<Actions />\r\n"},
      {"<joystick name='Pad'/>", "<joystick name = \"Pad\" />\r\n"},
  };
  for (const auto& [content, text] : cases) {
    const std::string path = content ? world.Write("opened.xml", content) : "missing.xml";
    auto root = OpenProfileDocument(path, 3, "Pad");
    EXPECT_EQ(root ? root->ToText() : "", text ? text : "") << path;
    EXPECT_EQ(IsProfileDocument(root.get()), text && text[1] != 'A');
  }
  EXPECT_TRUE(world.messages().Log().empty());
}

}  // namespace
