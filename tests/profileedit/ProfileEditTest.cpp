// A profile as the Profile tab edits it: the element list's entries and what each stands for,
// axis settings and orientation, entries at a percent, "<<None>>" on buttons, hats and axes,
// shift buttons, and the numbers the boxes show, down to the file written. How the controls
// drive these shows in the window's own tests.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>

#include "profileedit/ActionAssignment.h"
#include "profileedit/ActionUsers.h"
#include "profileedit/AxisSettings.h"
#include "profileedit/ProfileDocument.h"
#include "profileedit/ShiftButtons.h"
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
  // An entry of the element list as "Right X Axis": its position and the axis' type in `r`.
  const auto target = [&](std::string entry) {
    const std::string axis = entry.substr(entry.find(' ') + 1);
    const bool up = entry.starts_with("Up") || entry.starts_with("Down");
    EXPECT_EQ(IsVerticalAxis(r, axis), up) << entry;
    const std::size_t axisIndex = *AxisEntryIndex(axis) - kButtonEntryCount;
    const bool positive = entry.starts_with("Right") || entry.starts_with("Down");
    return *ElementTargetAt(AxisDirectionEntryIndex(axisIndex / 2, positive), up);
  };
  const auto assign = [&](const char* entry, const char* name, int percent = 0) {
    return AssignAction(r, target(entry), 0, "K", name, percent);
  };
  const auto none = [&](const char* entry, int percent = 0) {
    return RemoveAction(r, target(entry), 0, percent);
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
      {[&] { return none("Left Z Axis"); }, true},
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
  EXPECT_EQ(y.threshold + " " + y.sensitivity, "7000 100");
  EXPECT_EQ(y.typeEntry, 1u);
  EXPECT_EQ(ReadAxisSettings(r, "R Axis").typeEntry, 0u);
  EXPECT_TRUE(y.swapped && !ReadAxisSettings(r, "X Axis").swapped);
  // A new axis takes the threshold and sensitivity of the others (X came while only Z had a
  // threshold, the recommended sensitivity); an axis without an element shows what it would get.
  EXPECT_EQ(ReadAxisSettings(r, "Z Axis").threshold, "7000");
  ASSERT_TRUE(SaveProfileDocument(r, "saved.xml"));
  EXPECT_EQ(world.Read("saved.xml"),
            Parse(R"(<Joystick><Axes><Axis Name='Y Axis' type='Vertical' threshold='7000'
       swapped='true'><Direction Name='Up'><Actions><Action number='0' theme='K' name='A'/>
       </Actions></Direction><Direction Name='Down'/></Axis><Axis name='R Axis'
       type='horizontal'><Direction name='Left'/><Direction name='Right'/></Axis>
       <Axis name='X Axis' sensitivity='300' threshold='5000' type='Horizontal'>
       <Direction name='Right'><Actions><Action number='0' theme='K' name='C'/></Actions>
       </Direction><Direction name='Left'/></Axis>
       <Axis name='V Axis' sensitivity='100' threshold='7000' type='Horizontal'/>
       <Axis name='U Axis' sensitivity='300' threshold='7000' type='Horizontal'/></Axes>
       </Joystick>)")
                ->ToText());
}

// Every entry of the element list stands for the input its text names, at the position the
// list keeps as item data; axis entries follow the axis' type.
TEST(ProfileEditTest, EachElementEntryStandsForTheInputItNames) {
  const std::vector<std::string> texts = ElementEntryTexts();
  ASSERT_EQ(texts.size(), kElementEntryCount);
  for (std::size_t i = 0; i <= kElementEntryCount; ++i) {
    const auto target = ElementTargetAt(i, false);
    if (i == kElementEntryCount) {
      EXPECT_FALSE(target);
      break;
    }
    ASSERT_TRUE(target);
    const std::string named = target->kind == TargetKind::Button ? ButtonEntryText(target->button)
                              : target->kind == TargetKind::POVDirection
                                  ? "POV " + target->direction
                                  : target->direction + " " + target->axis;
    EXPECT_EQ(named, texts[i]);
  }
  EXPECT_EQ(ElementTargetAt(ButtonEntryIndex(32), false)->button, 32);
  EXPECT_EQ(ElementTargetAt(AxisDirectionEntryIndex(5, true), true)->direction, "Down");
  EXPECT_EQ(ElementTargetAt(AxisDirectionEntryIndex(1, false), true)->direction, "Up");
  EXPECT_EQ(ElementTargetAt(POVEntryIndex(3), false)->direction, "Left");
  // A pad's names beside the numbers; which trigger a Z entry holds follows "swapped".
  const auto root = Parse(
      "<Joystick><Axes><Axis name='Z Axis' type='Vertical' swapped='true'/>"
      "</Axes></Joystick>");
  const std::vector<std::string> pad = ElementEntryTexts(root.get(), seam::ControllerLayout::Pad);
  ASSERT_EQ(pad.size(), kElementEntryCount);
  EXPECT_EQ(pad[9] + "|" + pad[31] + "|" + pad[32] + "|" + pad[36] + "|" + pad[37] + "|" + pad[47],
            "Button 10 (Right Stick)|Button 32|Left X Axis (Left Stick)|Up Z Axis (Left "
            "Trigger)|Down Z Axis (Right Trigger)|POV Left (D-pad)");
}

TEST(ProfileEditTest, ButtonsHatsShiftButtonsAndNumbers) {
  VirtualWorld world;
  world.UseTempProgramFolder();
  auto root = Parse(R"(<Joystick delay='-5'><Buttons>
       <Button number='02'><Actions><Action number='1' theme='K' name='A'/>
         <Action number='1' theme='K' name='B'/></Actions></Button>
       <Button number='3'><Actions><Action number='0' theme='K' name='A'/></Actions>
         <ReleaseActions/></Button></Buttons>
       <POV><Direction name='right'><Actions><Action number='0' theme='k' name='a'/></Actions>
       </Direction></POV>
       <ShiftButtons><ShiftButton buttonNumber='0'/><ShiftButton buttonNumber='33'/>
         <ShiftButton buttonNumber='05'/><ShiftButton buttonNumber='5'/>
         <ShiftButton buttonNumber='2'/><ShiftButton/><ShiftButton buttonNumber='32'/>
         </ShiftButtons></Joystick>)");
  CXMLNode& r = *root;
  const auto at = [](std::size_t position) { return *ElementTargetAt(position, false); };
  // Only buttons 1 to 32, each once, in shift-number order.
  EXPECT_EQ(ReadShiftButtons(r), (std::vector<int>{5, 2, 32}));
  EXPECT_EQ(CreateProfileDocument(3, "Pad")->ToText(),
            "<Joystick ID = \"3\" name = \"Pad\" />\r\n");
  EXPECT_TRUE(UsesAction(r, "k", "B") && !UsesAction(r, "K", "C"));
  // A number a box cannot hold shows as written; the delay box shows "30" without one.
  EXPECT_EQ(PollingDelayText(r), "-5");
  EXPECT_EQ(EditNumber("99999999999"), std::optional<int>(INT_MAX));
  EXPECT_FALSE(EditNumber("1a") || EditNumber(""));

  const std::pair<std::function<bool()>, bool> edits[] = {
      // The first entry of the shift state goes; the button stays while one is left.
      {[&] { return RemoveAction(r, at(ButtonEntryIndex(2)), 1, 0); }, true},
      {[&] { return AssignedActions(r, at(ButtonEntryIndex(2)), 1, 0)[0].name == "B"; }, true},
      {[&] { return RemoveAction(r, at(ButtonEntryIndex(2)), 0, 0); }, false},
      {[&] { return RemoveAction(r, at(ButtonEntryIndex(2)), 1, 0); }, true},
      // A button with release actions stays without actions.
      {[&] { return RemoveAction(r, at(ButtonEntryIndex(3)), 0, 0); }, true},
      // Hat directions and actions match without regard to case; hats ignore the percent.
      {[&] { return AssignAction(r, at(POVEntryIndex(1)), 0, "K", "A", 50); }, false},
      {[&] { return AssignAction(r, at(POVEntryIndex(0)), 2, "K", "C", 0); }, true},
      {[&] { return RemoveAction(r, at(POVEntryIndex(1)), 0, 0); }, true},
      {[&] { return SetPollingDelay(r, "020"); }, true},
      {[&] { return SetPollingDelay(r, "20"); }, false},
      {[&] { return SetControllerIdentity(r, 3, "Pad"); }, true},
      {[&] { return SetControllerIdentity(r, -1, ""); }, true}};
  for (std::size_t i = 0; i < std::size(edits); ++i) {
    EXPECT_EQ(edits[i].first(), edits[i].second) << "edit " << i;
  }
  RebuildShiftButtons(r, {7});
  ASSERT_TRUE(SaveProfileDocument(r, "saved.xml"));
  EXPECT_EQ(world.Read("saved.xml"),
            Parse(R"(<Joystick delay='20'><Buttons><Button number='3'><Actions/><ReleaseActions/>
       </Button></Buttons><POV><Direction name='Forward'><Actions><Action number='2' theme='K'
       name='C'/></Actions></Direction></POV><ShiftButtons><ShiftButton
       buttonNumber='7'/></ShiftButtons></Joystick>)")
                ->ToText());
}

}  // namespace
