#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/JoystickAxis.h"

namespace {

using seam::MessageAnswer;
using seam::MessageButtons;
using seam::MessageIcon;

class ProfileReaderTest : public EngineFixture {
 protected:
  ProfileReaderTest() : joystick(Plug(0, Gamepad())) {}

  bool Load(const std::string& text, bool interactive = true) {
    return joystick->LoadProfile(Write("profile" + std::to_string(++files) + ".xml", text).c_str(),
                                 interactive);
  }

  // The name of the action in a slot of an element, or "" when empty.
  std::string ActionAt(int element, int shiftState, bool releaseList = false) {
    CAction* action = joystick->GetButton(element)->PeekAction(shiftState, releaseList);
    return action != nullptr ? action->GetName() : "";
  }

  std::unique_ptr<CJoystick> joystick;
  int files = 0;
};

TEST_F(ProfileReaderTest, RootMustBeJoystick) {
  EXPECT_FALSE(Load("<Actions/>"));
  ASSERT_EQ(world.messages().Count(), 1u);
  const auto message = world.messages().Log()[0];
  EXPECT_EQ(message.text, "The XML file doesn't contain valid joystick configuration information.");
  EXPECT_EQ(message.caption, "XML Error");
  EXPECT_EQ(message.icon, MessageIcon::Error);
  EXPECT_FALSE(joystick->IsActive());
  EXPECT_FALSE(Load("<Actions/>", false));
  EXPECT_EQ(world.messages().Count(), 1u);  // a quiet load shows nothing
}

TEST_F(ProfileReaderTest, MissingFileIsReportedByTheReaderEvenWhenQuiet) {
  EXPECT_FALSE(joystick->LoadProfile("missing.xml", false));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Could not open the file \"missing.xml\"."}));
  EXPECT_FALSE(joystick->IsActive());
  EXPECT_EQ(joystick->GetProfilePath(), "missing.xml");
  // The same request again is not read again.
  EXPECT_TRUE(joystick->LoadProfile("MISSING.xml", true));
  EXPECT_EQ(world.messages().Count(), 1u);
  EXPECT_FALSE(joystick->IsActive());
}

TEST_F(ProfileReaderTest, MalformedFileFailsSilently) {
  EXPECT_FALSE(Load("<Joystick>"));
  EXPECT_EQ(world.messages().Count(), 0u);
  EXPECT_FALSE(joystick->IsActive());
}

TEST_F(ProfileReaderTest, EmptyPathIsReadNotTakenForTheInitialState) {
  EXPECT_FALSE(joystick->LoadProfile("", true));
  EXPECT_EQ(world.messages().Count(), 1u);
}

TEST_F(ProfileReaderTest, SamePathInAnyCaseIsNotReadTwice) {
  const auto name = Write("same.xml", R"(<Joystick><Buttons><Button number="1">
    <Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button></Buttons></Joystick>)");
  ASSERT_TRUE(joystick->LoadProfile(name.c_str(), true));
  Write("same.xml", R"(<Joystick><Buttons><Button number="1">
    <Actions><Action number="0" Theme="Keys" name="B"/></Actions></Button></Buttons></Joystick>)");
  const int reads = world.joysticks().StateReads(0);
  world.Advance(15);
  ASSERT_TRUE(joystick->LoadProfile("SAME.XML", true));
  world.Advance(15);  // polling was not restarted: the 30 ms rhythm goes on
  EXPECT_EQ(world.joysticks().StateReads(0) - reads, 1);
  EXPECT_EQ(ActionAt(5, 0), "A");
  EXPECT_EQ(joystick->GetProfilePath(), "same.xml");
}

TEST_F(ProfileReaderTest, IdentityCheck) {
  // No name: loads into any controller without a question.
  EXPECT_TRUE(Load("<Joystick ID='7'/>"));
  // Matching ID and name (any case): no question.
  EXPECT_TRUE(Load("<Joystick ID='0' name='TEST pad'/>"));
  EXPECT_EQ(world.messages().Count(), 0u);
  // A name without an ID never matches; No refuses the profile.
  EXPECT_FALSE(Load("<Joystick name='Test Pad'/>"));
  ASSERT_EQ(world.messages().Count(), 1u);
  auto question = world.messages().Log()[0];
  EXPECT_EQ(question.text,
            "The XML file \"profile3.xml\" seems to contain configuration to a different joystick "
            "from \"Test Pad\" that is connected to ID 0.\r\nLoad it anyway?");
  EXPECT_EQ(question.caption, "Warning...");
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_EQ(question.icon, MessageIcon::Warning);
  EXPECT_FALSE(joystick->IsActive());
  // Yes loads it.
  world.messages().QueueAnswer(MessageAnswer::Yes);
  EXPECT_TRUE(Load("<Joystick ID='1' name='Test Pad'/>"));
  EXPECT_EQ(world.messages().Count(), 2u);
  EXPECT_TRUE(joystick->IsActive());
  // An automatic load takes it without asking.
  EXPECT_TRUE(Load("<Joystick ID='3' name='Other Pad'/>", false));
  EXPECT_EQ(world.messages().Count(), 2u);
}

TEST_F(ProfileReaderTest, ShiftButtonsInDeclarationOrder) {
  ASSERT_TRUE(Load(R"(<Joystick><ShiftButtons>
    <ShiftButton ButtonNumber="3"/><ShiftButton ButtonNumber="3"/><ShiftButton/>
    <ShiftButton ButtonNumber="0"/><ShiftButton ButtonNumber="9"/><ShiftButton buttonnumber="1"/>
    </ShiftButtons></Joystick>)"));
  EXPECT_EQ(joystick->GetShiftButtonCount(), 2);
  EXPECT_EQ(joystick->GetButton(7)->GetShiftNumber(), 1);  // button 3, behind the hat
  EXPECT_EQ(joystick->GetButton(5)->GetShiftNumber(), 2);
  EXPECT_EQ(joystick->GetButton(3)->GetShiftNumber(), 0);
}

TEST_F(ProfileReaderTest, ButtonsAndActionLists) {
  ASSERT_TRUE(Load(R"(<Joystick><ShiftButtons><ShiftButton ButtonNumber="4"/></ShiftButtons>
    <Buttons>
      <Button number="3"><Actions>
        <Action number="0" Theme="keys" name="a"/>
        <Action number="1" Theme="Keys" name="B"/>
        <Action number="2" Theme="Keys" name="E"/>
        <Action number="-1" Theme="Keys" name="E"/>
        <Action Theme="Keys" name="E"/>
        <Action number="0" name="E"/>
      </Actions>
      <ReleaseActions><Action number="0" Theme="Keys" name="F"/></ReleaseActions></Button>
      <Button number="0"><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
      <Button number="5"><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
      <Button><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
    </Buttons></Joystick>)"));
  EXPECT_EQ(world.messages().Count(), 0u);
  EXPECT_EQ(ActionAt(7, 0), "A");
  EXPECT_EQ(ActionAt(7, 1), "B");
  EXPECT_EQ(ActionAt(7, 0, true), "F");
  EXPECT_EQ(joystick->GetButton(7)->PeekAction(0, true)->GetPushType(), PushType::Hit);
  for (int n = 1; n <= 8; ++n) {
    if (n == 7) continue;
    EXPECT_EQ(ActionAt(n, 0), "") << n;
  }
}

TEST_F(ProfileReaderTest, WithoutAHatButtonsStartAtOne) {
  joystick = Plug(1, seam::MakeJoystickCaps("", 4, false));
  ASSERT_TRUE(Load(R"(<Joystick>
    <Buttons><Button number="3"><Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button></Buttons>
    <POV><Direction name="forward"><Actions><Action number="0" Theme="Keys" name="B"/></Actions></Direction></POV>
    </Joystick>)"));
  EXPECT_EQ(ActionAt(3, 0), "A");
  EXPECT_EQ(ActionAt(1, 0), "");  // no hat: the POV part is not read
}

TEST_F(ProfileReaderTest, UnknownActionsAreReportedAndSkipped) {
  ASSERT_TRUE(Load(R"(<Joystick><Buttons>
      <Button number="1"><Actions><Action number="0" Theme="Keys" name="Nope"/></Actions></Button>
      <Button number="2"><Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button>
    </Buttons></Joystick>)"));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"The action \"Nope\" was not found."}));
  EXPECT_EQ(world.messages().Log()[0].caption, "XML Error");
  EXPECT_EQ(ActionAt(6, 0), "A");
  EXPECT_TRUE(joystick->IsActive());
}

TEST_F(ProfileReaderTest, PovDirections) {
  ASSERT_TRUE(Load(R"(<Joystick><POV>
      <Direction name="Forward"><Actions><Action number="0" Theme="Keys" name="A"/></Actions></Direction>
      <Direction name="RIGHT"><Actions><Action number="0" Theme="Keys" name="B"/></Actions></Direction>
      <Direction name="backward"><ReleaseActions><Action number="0" Theme="Keys" name="E"/></ReleaseActions></Direction>
      <Direction name="Left"><Actions><Action number="0" Theme="Keys" name="F"/></Actions></Direction>
      <Direction name="Up"><Actions><Action number="0" Theme="Keys" name="A"/></Actions></Direction>
      <Direction><Actions><Action number="0" Theme="Keys" name="A"/></Actions></Direction>
    </POV></Joystick>)"));
  EXPECT_EQ(MessageTexts(),
            (std::vector<std::string>{"The name \"Up\" is not valid for a POV Direction."}));
  EXPECT_EQ(ActionAt(1, 0), "A");
  EXPECT_EQ(ActionAt(2, 0), "B");
  EXPECT_EQ(ActionAt(3, 0, true), "E");
  EXPECT_EQ(ActionAt(4, 0), "F");
}

TEST_F(ProfileReaderTest, QuietLoadShowsNoReaderMessage) {
  ASSERT_TRUE(Load(R"(<Joystick><POV><Direction name="Up"/></POV><Buttons><Button number="1">
    <Actions><Action number="0" Theme="Keys" name="Nope"/></Actions></Button></Buttons></Joystick>)",
                   false));
  EXPECT_FALSE(Load(R"(<Joystick><Axes><Axis name="X Axis"/></Axes></Joystick>)", false));
  EXPECT_EQ(world.messages().Count(), 0u);
}

TEST_F(ProfileReaderTest, MessagesComeInTheOrderTheyArose) {
  EXPECT_FALSE(Load(R"(<Joystick>
    <Axes><Axis name="X Axis" type="Horizontal"><Direction Name="Left"><Actions>
      <Action Number="0" Theme="Keys" Name="Nope1"/></Actions></Direction></Axis></Axes>
    <Buttons><Button number="1"><Actions><Action number="0" Theme="Keys" name="Nope2"/></Actions></Button></Buttons>
    </Joystick>)"));
  EXPECT_EQ(MessageTexts(),
            (std::vector<std::string>{"The action \"Nope1\" was not found.",
                                      "The axis \"X Axis\" is missing a direction."}));
  EXPECT_FALSE(joystick->IsActive());
  // What was read before the error stays.
  EXPECT_EQ(joystick->GetAxis(0)->PeekThresholds(true, 0), nullptr);
  EXPECT_EQ(ActionAt(5, 0), "");
}

// Axes.

TEST_F(ProfileReaderTest, AxisDirectionsAndSwapping) {
  ASSERT_TRUE(Load(R"(<Joystick><Axes>
    <Axis name="x axis" type="Horizontal" swapped="TRUE" Sensitivity="50" Threshold="2000">
      <Direction Name="Right"><Actions><Action Number="0" Theme="Keys" Name="A"/></Actions></Direction>
      <Direction Name="Left"><Actions><Action Number="0" Theme="Keys" Name="B" percent="40"/></Actions></Direction>
    </Axis>
    <Axis name="Y Axis" type="vertical">
      <Direction Name="Down"><Actions><Action Number="0" Theme="Keys" Name="E"/></Actions></Direction>
      <Direction Name="Up"><Actions><Action Number="0" Theme="Keys" Name="F"/></Actions></Direction>
    </Axis>
    <Axis name="Z Axis" type="Horizontal"/>
    <Axis type="Horizontal"/>
    </Axes></Joystick>)"));
  EXPECT_EQ(world.messages().Count(), 0u);
  CJoystickAxis* x = joystick->GetAxis(0);
  EXPECT_TRUE(x->IsSwapped());
  EXPECT_FALSE(x->IsVertical());
  EXPECT_EQ(x->Properties().GetSensitivity(), 50);
  EXPECT_EQ(x->Properties().GetThreshold(), 2000);
  ASSERT_NE(x->PeekThresholds(true, 0), nullptr);
  EXPECT_STREQ(x->PeekThresholds(true, 0)->FindThreshold(0)->GetName(), "A");
  EXPECT_STREQ(x->PeekThresholds(false, 0)->FindThreshold(40)->GetName(), "B");
  CJoystickAxis* y = joystick->GetAxis(1);
  EXPECT_TRUE(y->IsVertical());
  EXPECT_STREQ(y->PeekThresholds(false, 0)->FindThreshold(0)->GetName(), "E");
  EXPECT_STREQ(y->PeekThresholds(true, 0)->FindThreshold(0)->GetName(), "F");
  // Pushing X towards max runs B above 40 percent only.
  Poll();
  world.joysticks().SetAxis(0, 'X', 65535);
  Poll();
  EXPECT_EQ(KeyTrace(0x42), "d");
  world.joysticks().SetAxis(0, 'X', 0);
  Poll();
  EXPECT_EQ(KeyTrace(0x42), "du");
  EXPECT_EQ(KeyTrace(0x41), "d");
}

TEST_F(ProfileReaderTest, AxisWithoutDirectionsHasNoActions) {
  ASSERT_TRUE(Load(R"(<Joystick><Axes><Axis name="X Axis" type="Horizontal"/></Axes></Joystick>)"));
  EXPECT_EQ(joystick->GetAxis(0)->PeekThresholds(true, 0), nullptr);
  EXPECT_EQ(joystick->GetAxis(0)->PeekThresholds(false, 0), nullptr);
}

TEST_F(ProfileReaderTest, LaterActionOfTheSamePercentReplacesTheEarlier) {
  ASSERT_TRUE(Load(R"(<Joystick><Axes><Axis name="X Axis" type="Horizontal">
      <Direction Name="Left"><Actions>
        <Action Number="0" Theme="Keys" Name="A"/><Action Number="0" Theme="Keys" Name="B" percent="0"/>
        <Action Number="1" Theme="Keys" Name="E"/><Action Theme="Keys" Name="E"/>
      </Actions></Direction>
      <Direction Name="Right"/></Axis></Axes></Joystick>)"));
  auto* container = joystick->GetAxis(0)->PeekThresholds(true, 0);
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->GetThresholdCount(), 1);
  EXPECT_STREQ(container->FindThreshold(0)->GetName(), "B");
}

TEST_F(ProfileReaderTest, ThresholdLargerThanTheRangeIsClamped) {
  ASSERT_TRUE(Load(R"(<Joystick><Axes><Axis name="X Axis" type="Horizontal" Threshold="99999">
      <Direction Name="Left"><Actions><Action Number="0" Theme="Keys" Name="A"/></Actions></Direction>
      <Direction Name="Right"><Actions><Action Number="0" Theme="Keys" Name="B"/></Actions></Direction>
    </Axis></Axes></Joystick>)"));
  EXPECT_EQ(joystick->GetAxis(0)->Properties().GetThreshold(), 65535);
  for (std::uint32_t x : {32767u, 20000u, 0u, 50000u, 65535u}) {
    world.joysticks().SetAxis(0, 'X', x);
    Poll();
  }
  EXPECT_EQ(KeyTrace(0x41), "");  // no position counts as a deflection
  EXPECT_EQ(KeyTrace(0x42), "");
}

struct AxisError {
  const char* axis;
  const char* message;
};

class AxisErrorTest : public ProfileReaderTest, public ::testing::WithParamInterface<AxisError> {};

TEST_P(AxisErrorTest, FailsTheWholeLoadWithItsMessage) {
  const std::string text = std::string("<Joystick><Axes>") + GetParam().axis +
                           "</Axes><Buttons><Button number='1'><Actions>"
                           "<Action number='0' Theme='Keys' name='A'/></Actions></Button>"
                           "</Buttons></Joystick>";
  EXPECT_FALSE(Load(text));
  ASSERT_EQ(world.messages().Count(), 1u);
  const auto message = world.messages().Log()[0];
  EXPECT_EQ(message.text, GetParam().message);
  EXPECT_EQ(message.caption, "XML Error");
  EXPECT_EQ(message.icon, MessageIcon::Error);
  EXPECT_FALSE(joystick->IsActive());
  EXPECT_EQ(ActionAt(5, 0), "");  // the rest of the file was not read
}

INSTANTIATE_TEST_SUITE_P(
    Messages, AxisErrorTest,
    ::testing::Values(
        AxisError{"<Axis name='X Axis'/>", "The axis \"X Axis\" does not have a Type attribute."},
        AxisError{"<Axis name='X Axis' type='Horizontl'/>",
                  "The axis \"X Axis\" has an invalid Type value: \"Horizontl\"."},
        AxisError{"<Axis name='X Axis' type='Horizontal' swapped='yes'/>",
                  "The axis \"X Axis\" has an invalid value for \"swapped\": \"yes\"."},
        AxisError{"<Axis name='X Axis' type='Horizontal'><Direction/></Axis>",
                  "The axis \"X Axis\" has a direction with no name."},
        AxisError{"<Axis name='Y Axis' type='Vertical'><Direction Name='Left'/></Axis>",
                  "The axis \"Y Axis\" is vertical but its first direction is \"Left\", it must be "
                  "up or down."},
        AxisError{"<Axis name='X Axis' type='Horizontal'><Direction Name='Up'/></Axis>",
                  "The axis \"X Axis\" is horizontal but its first direction is \"Up\", it must "
                  "be left or right."},
        AxisError{"<Axis name='X Axis' type='Horizontal'><Direction Name='Left'/></Axis>",
                  "The axis \"X Axis\" is missing a direction."},
        AxisError{
            "<Axis name='X Axis' type='Horizontal'><Direction Name='Left'/><Direction/></Axis>",
            "The axis \"X Axis\" has an attribute with no name."}));

TEST_F(ProfileReaderTest, MismatchedSecondDirectionIsReportedAndReadingGoesOn) {
  ASSERT_TRUE(Load(R"(<Joystick><Axes><Axis name="X Axis" type="Horizontal">
      <Direction Name="Left"/>
      <Direction Name="Down"><Actions><Action Number="0" Theme="Keys" Name="A"/></Actions></Direction>
      <Direction Name="Right"><Actions><Action Number="0" Theme="Keys" Name="B"/></Actions></Direction>
    </Axis></Axes></Joystick>)"));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                "The name of the first direction in The axis \"X Axis\" is "
                                "\"Left\", but the name of the second direction is \"Down\"."}));
  auto* positive = joystick->GetAxis(0)->PeekThresholds(false, 0);
  ASSERT_NE(positive, nullptr);
  EXPECT_STREQ(positive->FindThreshold(0)->GetName(), "A");  // the third direction is ignored
}

TEST_F(ProfileReaderTest, SecondProfileAddsToTheFirst) {
  ASSERT_TRUE(Load(R"(<Joystick><ShiftButtons><ShiftButton ButtonNumber="1"/></ShiftButtons>
    <Buttons><Button number="2"><Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button></Buttons></Joystick>)"));
  ASSERT_TRUE(Load(R"(<Joystick><ShiftButtons><ShiftButton ButtonNumber="3"/></ShiftButtons>
    <Buttons><Button number="3"><Actions><Action number="0" Theme="Keys" name="B"/></Actions></Button></Buttons></Joystick>)"));
  EXPECT_EQ(joystick->GetShiftButtonCount(), 2);
  EXPECT_EQ(ActionAt(6, 0), "A");
  // Shift buttons are read before the actions, so button 3's own slot 0 is still slot 0.
  EXPECT_EQ(joystick->GetButton(7)->GetShiftNumber(), 2);
  EXPECT_EQ(ActionAt(7, 0), "B");
}

}  // namespace
