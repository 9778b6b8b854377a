// Reading a profile into a controller: which slots the entries fill, the identity question
// and the messages.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "EngineFixture.h"

namespace {

class ProfileReaderTest : public EngineFixture {
 protected:
  ProfileReaderTest() : joystick(Plug(0)) {}

  bool Load(const std::string& body, bool interactive = true, const std::string& root = "") {
    return EngineFixture::Load(*joystick, body, interactive, root);
  }
  // The action of one slot in every element, from element 1, "-" for none: "----A---".
  std::string Column(int shiftState = 0, bool releaseList = false) {
    std::string names;
    for (int n = 1; n <= joystick->GetElementCount(); ++n) {
      CAction* action = joystick->GetButton(n)->PeekAction(shiftState, releaseList);
      names += action != nullptr ? action->GetName() : "-";
    }
    return names;
  }
  // The name of the entry of an axis side at a percentage, or "" when there is none.
  std::string EntryAt(int axis, bool negative, int percent = 0) {
    auto* container = joystick->GetAxis(axis)->PeekThresholds(negative, 0);
    CAction* entry = container != nullptr ? container->FindThreshold(percent) : nullptr;
    return entry != nullptr ? entry->GetName() : "";
  }
  std::unique_ptr<CJoystick> joystick;
};

// Every message of a profile load, in the order the problems arose. An axis error fails the
// whole load and the rest of the file is not read; other problems skip their element. Quiet
// loads show no reader message, but a file that cannot be opened is always reported.
TEST_F(ProfileReaderTest, MessagesAndWhatIsLeftRead) {
  const auto axis = [](const std::string& inner) {
    return "<Joystick><Axes><Axis name='X Axis' " + inner + "</Axes>" + kButton1A + "</Joystick>";
  };
  const std::string problems = "<Joystick><Buttons>" + Button(1, Acts(Act("Nope"))) +
                               Button(2, Acts(Act("A"))) +
                               "</Buttons><POV><Direction name='Up'/></POV></Joystick>";
  const std::string axisX = "The axis \"X Axis\" ";
  const struct {
    const char* path;
    std::string text;  // empty: no such file
    bool interactive, loaded;
    std::string messages;  // separated by '|'
    const char* column = "--------";
  } cases[] = {
      {"root.xml", "<Actions/>", true, false,
       "The XML file doesn't contain valid joystick configuration information."},
      {"quiet.xml", "<Actions/>", false, false, ""},
      {"malformed.xml", "<Joystick>", false, false, ""},  // the message: tandrel-cli check
      {"id.xml", "<Joystick ID='0' name='Other Pad'/>", true, false,
       "The XML file \"id.xml\" seems to contain configuration to a different joystick from "
       "\"Test Pad\" that is connected to ID 0.\r\nLoad it anyway?"},
      // A profile names its controller by ID and name, in any case; without a name it fits any
      // controller, a name without an ID none; automatic loads never ask.
      {"any.xml", "<Joystick ID='7'/>", true, true, ""},
      {"case.xml", "<Joystick ID='0' name='TEST pad'/>", true, true, ""},
      {"auto.xml", "<Joystick ID='3' name='Other Pad'/>", false, true, ""},
      {"noid.xml", "<Joystick name='Test Pad'/>", true, false,
       "The XML file \"noid.xml\" seems to contain configuration to a different joystick from "
       "\"Test Pad\" that is connected to ID 0.\r\nLoad it anyway?"},
      {"missing.xml", "", false, false, "Could not open the file \"missing.xml\"."},
      {"", "", true, false,
       "Could not open the file \"\": it is a folder."},  // not the initial state
      {"p.xml", problems, true, true,
       "The action \"Nope\" was not found.|The name \"Up\" is not valid for a POV Direction.",
       "-----A--"},
      {"p.xml", problems, false, true, "", "-----A--"},
      {"p.xml", axis("/>"), false, false, ""},
      {"p.xml",
       axis("type='Horizontal'><Direction Name='Left'>" + Acts(Act("Nope1")) +
            "</Direction></Axis>"),
       true, false, "The action \"Nope1\" was not found.|" + axisX + "is missing a direction."},
      {"p.xml", axis("/>"), true, false, axisX + "does not have a Type attribute."},
      {"p.xml", axis("type='Horizontl'/>"), true, false,
       axisX + "has an invalid Type value: \"Horizontl\"."},
      {"p.xml", axis("type='Horizontal' swapped='yes'/>"), true, false,
       axisX + "has an invalid value for \"swapped\": \"yes\"."},
      {"p.xml", axis("type='Horizontal'><Direction/></Axis>"), true, false,
       axisX + "has a direction with no name."},
      {"p.xml", axis("type='Vertical'><Direction Name='Left'/></Axis>"), true, false,
       axisX + "is vertical but its first direction is \"Left\", it must be up or down."},
      {"p.xml", axis("type='Horizontal'><Direction Name='Up'/></Axis>"), true, false,
       axisX + "is horizontal but its first direction is \"Up\", it must be left or right."},
      {"p.xml", axis("type='Horizontal'><Direction Name='Left'/><Direction/></Axis>"), true, false,
       axisX + "has an attribute with no name."},
      {"p.xml",
       axis("type='Horizontal'><Direction Name='Left'/>" + Hat("Down", Acts(Act("B"))) +
            Hat("Right", Acts(Act("E"))) + "</Axis>"),
       true, true,
       "The name of the first direction in The axis \"X Axis\" is \"Left\", but the name of "
       "the second direction is \"Down\".",
       "----A---"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    joystick = Plug(0);
    world.messages().ClearLog();
    if (!c.text.empty()) world.Write(c.path, c.text);
    EXPECT_EQ(joystick->LoadProfile(c.path, c.interactive), c.loaded);
    std::string texts;
    for (const auto& m : world.messages().Log()) texts += (texts.empty() ? "" : "|") + m.text;
    EXPECT_EQ(texts, c.messages);
    EXPECT_EQ(joystick->IsActive(), c.loaded);
    EXPECT_EQ(Column(), c.column);
  }
  EXPECT_EQ(EntryAt(0, false), "B");  // the third direction is ignored
}

// Numbers the program cannot take as written are reported as the file writes them and not used:
// the controller keeps its own. The edges of what it takes are taken.
TEST_F(ProfileReaderTest, NumbersItCannotTakeAreReportedAsWrittenAndNotUsed) {
  world.Write("v.xml",
              "<Joystick Delay='-5'><Axes><Axis name='X Axis' type='Horizontal' Threshold='-5' "
              "Sensitivity='99999999999'/><Axis name='Y Axis' type='Horizontal' Threshold='0' "
              "Sensitivity='-2147483648'/></Axes></Joystick>");
  EXPECT_TRUE(joystick->LoadProfile("v.xml", true));
  std::string texts;
  for (const auto& m : world.messages().TakeLog()) texts += m.caption + ": " + m.text + "|";
  EXPECT_EQ(texts,
            "XML Error: The profile \"v.xml\" has an invalid Delay value: \"-5\".|XML Error: The "
            "axis \"X Axis\" has an invalid Sensitivity value: \"99999999999\".|XML Error: The "
            "axis \"X Axis\" has an invalid Threshold value: \"-5\".|");
  const auto& x = joystick->GetAxis(0)->Properties();
  const auto& y = joystick->GetAxis(1)->Properties();
  EXPECT_EQ(joystick->GetPollingDelay(), 30);
  EXPECT_EQ(std::vector<int>(
                {x.GetThreshold(), x.GetSensitivity(), y.GetThreshold(), y.GetSensitivity()}),
            std::vector<int>({1000, 100, 0, INT_MIN}));
  world.Write("w.xml", "<Joystick Delay='2147483647'/>");
  EXPECT_TRUE(joystick->LoadProfile("w.xml", true));
  EXPECT_EQ(joystick->GetPollingDelay(), INT_MAX);
}

// Slots by the action's number; names and directions in any case; entries without a number,
// outside the shift count, or naming no theme or element are skipped.
TEST_F(ProfileReaderTest, ButtonsHatDirectionsAndActionLists) {
  ASSERT_TRUE(Load(R"(<ShiftButtons><ShiftButton ButtonNumber="4"/></ShiftButtons><Buttons>
      <Button number="3"><Actions>
        <Action number="0" Theme="keys" name="a"/><Action number="1" Theme="Keys" name="B"/>
        <Action number="2" Theme="Keys" name="E"/><Action number="-1" Theme="Keys" name="E"/>
        <Action Theme="Keys" name="E"/><Action number="0" name="E"/>
      </Actions><ReleaseActions><Action number="0" Theme="Keys" name="F"/></ReleaseActions></Button>
      <Button number="0"><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
      <Button number="5"><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
      <Button><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
    </Buttons><POV>)" +
                   Hat("Forward", Acts(Act("A"))) + Hat("RIGHT", Acts(Act("B"))) +
                   Hat("backward", "<ReleaseActions>" + Act("E") + "</ReleaseActions>") +
                   Hat("Left", Acts(Act("F"))) + "<Direction>" + Acts(Act("A")) +
                   "</Direction></POV>"));
  EXPECT_EQ(world.messages().Count(), 0u);
  EXPECT_EQ(Column(0) + Column(1) + Column(0, true),
            "AB-F--A-"
            "------B-"
            "--E---F-");
  EXPECT_EQ(joystick->GetButton(7)->PeekAction(0, true)->GetPushType(), PushType::Hit);
  joystick = Plug(1, seam::MakeJoystickCaps("", 4, false));
  ASSERT_TRUE(Load("<Buttons>" + Button(3, Acts(Act("A"))) + "</Buttons><POV>" +
                   Hat("forward", Acts(Act("B"))) + "</POV>"));
  EXPECT_EQ(Column(), "--A-");  // no hat: buttons start at 1 and the POV part is not read
}

// An axis as read and as the live view's layout shows it: its dead zone (a threshold beyond the
// range clamped to it), orientation and, per shift state, the percents of its entries (a later
// entry of one percent replacing the earlier; a state without its own falls back to the nearest
// lower one).
TEST_F(ProfileReaderTest, AxisDirectionsSwappingAndTheLayout) {
  ASSERT_TRUE(
      Load("<ShiftButtons><ShiftButton ButtonNumber='4'/></ShiftButtons><Axes>" +
           Axis("name='x axis' type='Horizontal' swapped='TRUE' Sensitivity='50' Threshold='2000'",
                "Right",
                Acts(Act("E") + Act("A", 0, " percent='0'") + Act("E", 1) +
                     "<Action Theme='Keys' Name='E'/>"),
                "Left", Acts(Act("B", 0, " percent='40'"))) +
           Axis("name='Y Axis' type='vertical' Threshold='99999'", "Down", Acts(Act("E")), "Up",
                Acts(Act("F", 1, " percent='20'"))) +
           "<Axis name='Z Axis' type='Horizontal'/><Axis type='Horizontal'/></Axes>"));
  EXPECT_EQ(world.messages().Count(), 0u);  // an axis the controller lacks is skipped
  EXPECT_EQ(joystick->GetAxis(0)->Properties().GetSensitivity(), 50);
  EXPECT_EQ(EntryAt(0, true), "A");
  EXPECT_EQ(EntryAt(0, false, 40), "B");
  EXPECT_EQ(EntryAt(1, false), "E");
  const JoystickLiveLayout layout = joystick->LiveLayout();
  EXPECT_EQ(layout.deviceName, "Test Pad");
  EXPECT_TRUE(layout.hasPov);
  EXPECT_EQ(layout.buttonCount, 4);
  EXPECT_EQ(layout.shiftButtonCount, 1);
  ASSERT_EQ(layout.axes.size(), 2u);
  const LiveAxisLayout &x = layout.axes[0], &y = layout.axes[1];
  EXPECT_EQ(x.name + y.name, "X AxisY Axis");
  EXPECT_TRUE(x.swapped && !x.vertical && y.vertical && !y.swapped);
  EXPECT_EQ(std::vector<std::uint32_t>({x.low, x.high, y.low, y.high}),
            std::vector<std::uint32_t>({31767, 33767, 0, 65535}));
  EXPECT_EQ(y.threshold, 65535);
  // Swapped: "Right" holds the side towards min.
  using Percents = std::vector<std::vector<int>>;
  EXPECT_EQ(x.towardsMinPercents, (Percents{{0}, {0}}));
  EXPECT_EQ(x.towardsMaxPercents, (Percents{{40}, {40}}));
  EXPECT_EQ(y.towardsMaxPercents, (Percents{{0}, {0}}));
  EXPECT_EQ(y.towardsMinPercents, (Percents{{}, {20}}));
}

}  // namespace
