#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "actions/ActionLibrary.h"
#include "actions/VKAction.h"
#include "engine/Joystick.h"
#include "platform/sim/SimJoysticks.h"
#include "profileedit/ActionAssignment.h"
#include "profileedit/AxisSettings.h"
#include "profileedit/ProfileDocument.h"
#include "profileedit/ShiftButtons.h"
#include "support/VirtualWorld.h"
#include "xml/XMLReader.h"

namespace {

using namespace profileedit;

// The bytes the writer produces for lines indented by two blanks per level beyond the root's
// closing line (the last one).
std::string File(std::string_view text) {
  std::vector<std::string> lines;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const std::size_t base = lines.back().find_first_not_of(' ');
  std::string out;
  for (const auto& line : lines) {
    const std::size_t blanks = line.find_first_not_of(' ');
    out +=
        std::string(blanks > base ? (blanks - base) / 2 : 0, '\t') + line.substr(blanks) + "\r\n";
  }
  return out;
}

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
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(folder + name, std::ios::binary) << text;
    return name;
  }

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
       R"(<Joystick ID = "2" name = "Other Pad" delay = "30" >
            <Buttons >
              <Button number = "3" >
                <Actions >
                  <Action number = "0" theme = "Keys" name = "B" />
                  <Action number = "1" theme = "Keys" name = "C" />
                </Actions>
              </Button>
            </Buttons>
            <ShiftButtons >
              <ShiftButton buttonNumber = "2" />
            </ShiftButtons>
          </Joystick>)"},
      {"<<None>> on buttons and hat directions",
       R"(<Joystick Delay='45'><Buttons>
            <Button number='1'><Actions><Action number='0' Theme='K' name='A'/></Actions>
              <ReleaseActions><Action number='0' Theme='K' name='B'/></ReleaseActions></Button>
            <Button number='2'><Actions><Action number='0' Theme='K' name='A'/></Actions></Button>
            <Button number='4'><Actions><Action number='1' Theme='K' name='A'/>
              <Action number='0' Theme='K' name='B'/></Actions></Button>
          </Buttons></Joystick>)",
       {None("Button 1", 0, true),
        None("Button 2", 0, true),
        None("Button 4", 1, true),
        None("Button 9", 0, false),
        Assign("POV Forward", 0, "K", "C", true),
        None("POV Forward", 0, true),
        {[](CXMLNode& r) { return SetPollingDelay(r, "45"); }, false},
        {[](CXMLNode& r) { return SetControllerIdentity(r, -1, ""); }, false}},
       R"(<Joystick Delay = "45" >
            <Buttons >
              <Button number = "1" >
                <Actions />
                <ReleaseActions >
                  <Action number = "0" Theme = "K" name = "B" />
                </ReleaseActions>
              </Button>
              <Button number = "4" >
                <Actions >
                  <Action number = "0" Theme = "K" name = "B" />
                </Actions>
              </Button>
            </Buttons>
            <POV />
          </Joystick>)"},
      {"axis settings, percents, renaming, <<None>> on axes",
       R"(<Joystick><Axes>
            <Axis Name='Y Axis' type='Horizontal'>
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
       R"(<Joystick >
            <Axes >
              <Axis Name = "Y Axis" type = "Vertical" threshold = "7000" swapped = "true" >
                <Direction Name = "Up" >
                  <Actions >
                    <Action number = "0" theme = "K" name = "A" />
                  </Actions>
                </Direction>
                <Direction Name = "Down" />
              </Axis>
              <Axis name = "R Axis" type = "horizontal" >
                <Direction name = "Left" />
                <Direction name = "Right" />
              </Axis>
              <Axis name = "X Axis" sensitivity = "100" threshold = "1000" type = "horizontal" >
                <Direction name = "Right" >
                  <Actions >
                    <Action number = "0" theme = "K" name = "C" />
                  </Actions>
                </Direction>
                <Direction name = "Left" />
              </Axis>
              <Axis name = "V Axis" sensitivity = "100" />
              <Axis name = "U Axis" sensitivity = "100" threshold = "1000" type = "horizontal" />
            </Axes>
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
    std::ifstream saved(folder + "saved.xml", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), File(s.file));
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
    const std::string path = content ? Write("opened.xml", content) : "missing.xml";
    auto root = OpenProfileDocument(path, 3, "Pad");
    EXPECT_EQ(root ? root->ToText() : "", text ? text : "") << path;
    EXPECT_EQ(IsProfileDocument(root.get()), text && text[1] != 'A');
  }
  EXPECT_TRUE(world.messages().Log().empty());
}

TEST(ElementEntries, EveryEntryFindsItsTarget) {
  const auto entries = ElementEntryTexts();
  ASSERT_EQ(entries.size(), 48u);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(entries[i]);
    const auto target = ParseElementEntry(entries[i]);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->kind, i < 32   ? TargetKind::Button
                            : i < 44 ? TargetKind::AxisDirection
                                     : TargetKind::POVDirection);
    EXPECT_EQ(target->button, i < 32 ? static_cast<int>(i) + 1 : 0);
    if (target->kind == TargetKind::AxisDirection) {
      EXPECT_EQ(AxisEntryIndex(target->axis), i - i % 2);
      EXPECT_EQ(AxisEntryTexts(target->axis, false)[i % 2], entries[i]);
    }
  }
  EXPECT_FALSE(ParseElementEntry("Button 0"));
  EXPECT_EQ(PercentValue(PercentTexts().back()), 90);
}

TEST_F(ProfileEditTest, AnEditedProfileDrivesTheEngine) {
  ClearActions();
  for (const char* key : {"A", "B"}) {
    auto action = std::make_unique<CVKAction>(key[0], PushType::Hold, key);
    action->SetTheme("Keys");
    AddAction(std::move(action));
  }
  auto root = CreateProfileDocument(0, "Test Pad");
  AssignAction(*root, *ParseElementEntry("Button 3"), 0, "Keys", "A", 0);
  AssignAction(*root, *ParseElementEntry("Right X Axis"), 0, "Keys", "B", 0);
  ASSERT_TRUE(SaveProfileDocument(*root, "built.xml"));

  world.joysticks().Plug(0, seam::MakeJoystickCaps("", 4, true, 0, 65535, "Test Pad"));
  CJoystick joystick;
  ASSERT_TRUE(joystick.Open(0));
  ASSERT_TRUE(joystick.LoadProfile("built.xml", true));
  world.Advance(30);  // the first poll sees everything released
  world.joysticks().PressButton(0, 3);
  world.joysticks().SetAxis(0, 'X', 65535);
  world.Advance(30);
  std::string down;
  for (const auto& e : world.input().Log()) {
    if (e.IsKeyDown()) down += static_cast<char>(e.vk);
  }
  EXPECT_EQ(down, "BA");  // axes are read before buttons
  EXPECT_TRUE(world.messages().Log().empty());
  ClearActions();
}

}  // namespace
