#include <gtest/gtest.h>

#include "EngineFixture.h"

namespace {

using seam::MessageIcon;
using Texts = std::vector<std::string>;

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
  void ExpectError(const std::string& text) {
    ASSERT_EQ(MessageTexts(), Texts{text});
    EXPECT_EQ(world.messages().Log()[0].caption, "XML Error");
    EXPECT_EQ(world.messages().Log()[0].icon, MessageIcon::Error);
  }

  std::unique_ptr<CJoystick> joystick;
};

TEST_F(ProfileReaderTest, FilesThatCannotBeRead) {
  const struct {
    const char* path;
    const char* text;  // nullptr: no such file
    bool interactive;
    Texts messages;
  } cases[] = {
      {"root.xml",
       "<Actions/>",
       true,
       {"The XML file doesn't contain valid joystick configuration information."}},
      {"quiet.xml", "<Actions/>", false, {}},
      {"malformed.xml", "<Joystick>", true, {}},
      {"missing.xml", nullptr, false, {"Could not open the file \"missing.xml\"."}},
      {"", nullptr, true, {"Could not open the file \"\"."}},  // not the initial state
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    world.messages().ClearLog();
    if (c.text != nullptr) Write(c.path, c.text);
    EXPECT_FALSE(joystick->LoadProfile(c.path, c.interactive));
    EXPECT_EQ(MessageTexts(), c.messages);
    EXPECT_FALSE(joystick->IsActive());
  }
  world.messages().ClearLog();
  ASSERT_FALSE(joystick->LoadProfile("root.xml", true));
  ExpectError("The XML file doesn't contain valid joystick configuration information.");
}

TEST_F(ProfileReaderTest, SamePathInAnyCaseIsNotReadAgain) {
  EXPECT_FALSE(joystick->LoadProfile("missing.xml", false));
  EXPECT_TRUE(joystick->LoadProfile("MISSING.xml", true));
  EXPECT_EQ(world.messages().Count(), 1u);
  EXPECT_FALSE(joystick->IsActive());

  const std::string buttonA = "<Joystick><Buttons>" + Button(1, Acts(Act("A"))) + "</Buttons>";
  ASSERT_TRUE(joystick->LoadProfile(Write("same.xml", buttonA + "</Joystick>").c_str(), true));
  Write("same.xml", "<Joystick/>");
  const int reads = world.joysticks().StateReads(0);
  world.Advance(15);
  ASSERT_TRUE(joystick->LoadProfile("SAME.XML", true));
  world.Advance(15);  // polling was not restarted: the 30 ms rhythm goes on
  EXPECT_EQ(world.joysticks().StateReads(0) - reads, 1);
  EXPECT_EQ(Column(), "----A---");
  EXPECT_EQ(joystick->GetProfilePath(), "same.xml");
}

TEST_F(ProfileReaderTest, IdentityCheck) {
  EXPECT_TRUE(Load("", true, " ID='7'"));                  // no name: any controller
  EXPECT_TRUE(Load("", true, " ID='0' name='TEST pad'"));  // matching, in any case
  EXPECT_EQ(world.messages().Count(), 0u);
  EXPECT_FALSE(Load("", true, " name='Test Pad'"));  // a name without an ID never matches; No
  ASSERT_EQ(world.messages().Count(), 1u);
  const auto question = world.messages().Log()[0];
  EXPECT_EQ(question.text,
            "The XML file \"p3.xml\" seems to contain configuration to a different joystick "
            "from \"Test Pad\" that is connected to ID 0.\r\nLoad it anyway?");
  EXPECT_EQ(question.caption, "Warning...");
  EXPECT_EQ(question.buttons, seam::MessageButtons::YesNo);
  EXPECT_EQ(question.icon, MessageIcon::Warning);
  EXPECT_FALSE(joystick->IsActive());
  world.messages().QueueAnswer(seam::MessageAnswer::Yes);
  EXPECT_TRUE(Load("", true, " ID='1' name='Test Pad'"));
  EXPECT_EQ(world.messages().Count(), 2u);
  EXPECT_TRUE(joystick->IsActive());
  EXPECT_TRUE(Load("", false, " ID='3' name='Other Pad'"));  // automatic loads never ask
  EXPECT_EQ(world.messages().Count(), 2u);
}

TEST_F(ProfileReaderTest, ShiftButtonsInDeclarationOrder) {
  ASSERT_TRUE(Load(R"(<ShiftButtons>
    <ShiftButton ButtonNumber="3"/><ShiftButton ButtonNumber="3"/><ShiftButton/>
    <ShiftButton ButtonNumber="0"/><ShiftButton ButtonNumber="9"/><ShiftButton buttonnumber="1"/>
    </ShiftButtons>)"));
  EXPECT_EQ(joystick->GetShiftButtonCount(), 2);
  std::string numbers;  // buttons 3 and 1, behind the hat
  for (int n = 1; n <= 8; ++n) numbers += std::to_string(joystick->GetButton(n)->GetShiftNumber());
  EXPECT_EQ(numbers, "00002010");
}

TEST_F(ProfileReaderTest, ButtonsAndActionLists) {
  ASSERT_TRUE(Load(R"(<ShiftButtons><ShiftButton ButtonNumber="4"/></ShiftButtons><Buttons>
      <Button number="3"><Actions>
        <Action number="0" Theme="keys" name="a"/><Action number="1" Theme="Keys" name="B"/>
        <Action number="2" Theme="Keys" name="E"/><Action number="-1" Theme="Keys" name="E"/>
        <Action Theme="Keys" name="E"/><Action number="0" name="E"/>
      </Actions><ReleaseActions><Action number="0" Theme="Keys" name="F"/></ReleaseActions></Button>
      <Button number="0"><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
      <Button number="5"><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
      <Button><Actions><Action number="0" Theme="Keys" name="E"/></Actions></Button>
    </Buttons>)"));
  EXPECT_EQ(world.messages().Count(), 0u);
  EXPECT_EQ(Column(0) + Column(1) + Column(0, true),
            "------A-"
            "------B-"
            "------F-");
  EXPECT_EQ(joystick->GetButton(7)->PeekAction(0, true)->GetPushType(), PushType::Hit);
}

TEST_F(ProfileReaderTest, WithoutAHatButtonsStartAtOne) {
  joystick = Plug(1, seam::MakeJoystickCaps("", 4, false));
  ASSERT_TRUE(Load("<Buttons>" + Button(3, Acts(Act("A"))) + "</Buttons><POV>" +
                   Hat("forward", Acts(Act("B"))) + "</POV>"));
  EXPECT_EQ(Column(), "--A-");  // no hat: the POV part is not read
}

TEST_F(ProfileReaderTest, PovDirections) {
  ASSERT_TRUE(Load("<POV>" + Hat("Forward", Acts(Act("A"))) + Hat("RIGHT", Acts(Act("B"))) +
                   Hat("backward", "<ReleaseActions>" + Act("E") + "</ReleaseActions>") +
                   Hat("Left", Acts(Act("F"))) + Hat("Up", Acts(Act("A"))) + "<Direction>" +
                   Acts(Act("A")) + "</Direction></POV>"));
  EXPECT_EQ(MessageTexts(), Texts{"The name \"Up\" is not valid for a POV Direction."});
  EXPECT_EQ(Column() + Column(0, true),
            "AB-F----"
            "--E-----");
}

TEST_F(ProfileReaderTest, UnknownActionsAreReportedAndSkipped) {
  ASSERT_TRUE(
      Load("<Buttons>" + Button(1, Acts(Act("Nope"))) + Button(2, Acts(Act("A"))) + "</Buttons>"));
  ExpectError("The action \"Nope\" was not found.");
  EXPECT_EQ(Column(), "-----A--");
  EXPECT_TRUE(joystick->IsActive());
}

TEST_F(ProfileReaderTest, QuietLoadShowsNoReaderMessage) {
  ASSERT_TRUE(Load(
      "<POV><Direction name='Up'/></POV><Buttons>" + Button(1, Acts(Act("Nope"))) + "</Buttons>",
      false));
  EXPECT_FALSE(Load("<Axes><Axis name='X Axis'/></Axes>", false));
  EXPECT_EQ(world.messages().Count(), 0u);
}

TEST_F(ProfileReaderTest, MessagesComeInTheOrderTheyAroseAndWhatWasReadStays) {
  EXPECT_FALSE(Load("<Axes><Axis name='X Axis' type='Horizontal'><Direction Name='Left'>" +
                    Acts(Act("Nope1")) + "</Direction></Axis></Axes><Buttons>" +
                    Button(1, Acts(Act("Nope2"))) + "</Buttons>"));
  EXPECT_EQ(MessageTexts(), (Texts{"The action \"Nope1\" was not found.",
                                   "The axis \"X Axis\" is missing a direction."}));
  EXPECT_FALSE(joystick->IsActive());
  EXPECT_EQ(joystick->GetAxis(0)->PeekThresholds(true, 0), nullptr);
  EXPECT_EQ(Column(), "--------");
}

TEST_F(ProfileReaderTest, AxisDirectionsAndSwapping) {
  ASSERT_TRUE(
      Load("<Axes>" +
           Axis("name='x axis' type='Horizontal' swapped='TRUE' Sensitivity='50' Threshold='2000'",
                "Right", Acts(Act("A")), "Left", Acts(Act("B", 0, " percent='40'"))) +
           Axis("name='Y Axis' type='vertical' Threshold='99999'", "Down", Acts(Act("E")), "Up",
                Acts(Act("F"))) +
           "<Axis name='Z Axis' type='Horizontal'/><Axis type='Horizontal'/></Axes>"));
  EXPECT_EQ(world.messages().Count(), 0u);  // an axis the controller lacks is skipped
  CJoystickAxis* x = joystick->GetAxis(0);
  EXPECT_TRUE(x->IsSwapped());
  EXPECT_FALSE(x->IsVertical());
  EXPECT_EQ(x->Properties().GetSensitivity(), 50);
  EXPECT_EQ(x->Properties().GetThreshold(), 2000);
  EXPECT_EQ(EntryAt(0, true), "A");
  EXPECT_EQ(EntryAt(0, false, 40), "B");
  EXPECT_TRUE(joystick->GetAxis(1)->IsVertical());
  EXPECT_EQ(joystick->GetAxis(1)->Properties().GetThreshold(), 65535);  // clamped to the range
  EXPECT_EQ(EntryAt(1, false), "E");
  EXPECT_EQ(EntryAt(1, true), "F");
  // Pushing X towards max runs B above 40 percent only.
  Poll();
  Move('X', 65535);
  Move('X', 0);
  EXPECT_EQ(KeyTrace(0x42), "du");
  EXPECT_EQ(KeyTrace(0x41), "d");
}

TEST_F(ProfileReaderTest, LaterActionOfTheSamePercentReplacesTheEarlier) {
  ASSERT_TRUE(Load("<Axes>" +
                   Axis("name='X Axis' type='Horizontal'", "Left",
                        Acts(Act("A") + Act("B", 0, " percent='0'") + Act("E", 1) +
                             "<Action Theme='Keys' Name='E'/>"),
                        "Right", "") +
                   "<Axis name='Y Axis' type='Vertical'/></Axes>"));
  ASSERT_EQ(joystick->GetAxis(0)->PeekThresholds(true, 0)->GetThresholdCount(), 1);
  EXPECT_EQ(EntryAt(0, true), "B");
  EXPECT_EQ(joystick->GetAxis(0)->PeekThresholds(false, 0), nullptr);  // an empty direction
  EXPECT_EQ(joystick->GetAxis(1)->PeekThresholds(true, 0), nullptr);   // no directions at all
  EXPECT_EQ(joystick->GetAxis(1)->PeekThresholds(false, 0), nullptr);
}

TEST_F(ProfileReaderTest, AxisErrorsFailTheWholeLoadWithTheirMessage) {
  const std::pair<const char*, const char*> cases[] = {
      {"<Axis name='X Axis'/>", "The axis \"X Axis\" does not have a Type attribute."},
      {"<Axis name='X Axis' type='Horizontl'/>",
       "The axis \"X Axis\" has an invalid Type value: \"Horizontl\"."},
      {"<Axis name='X Axis' type='Horizontal' swapped='yes'/>",
       "The axis \"X Axis\" has an invalid value for \"swapped\": \"yes\"."},
      {"<Axis name='X Axis' type='Horizontal'><Direction/></Axis>",
       "The axis \"X Axis\" has a direction with no name."},
      {"<Axis name='Y Axis' type='Vertical'><Direction Name='Left'/></Axis>",
       "The axis \"Y Axis\" is vertical but its first direction is \"Left\", it must be up or "
       "down."},
      {"<Axis name='X Axis' type='Horizontal'><Direction Name='Up'/></Axis>",
       "The axis \"X Axis\" is horizontal but its first direction is \"Up\", it must be left or "
       "right."},
      {"<Axis name='X Axis' type='Horizontal'><Direction Name='Left'/></Axis>",
       "The axis \"X Axis\" is missing a direction."},
      {"<Axis name='X Axis' type='Horizontal'><Direction Name='Left'/><Direction/></Axis>",
       "The axis \"X Axis\" has an attribute with no name."}};
  for (const auto& [axis, message] : cases) {
    SCOPED_TRACE(axis);
    joystick = Plug(0);
    world.messages().ClearLog();
    EXPECT_FALSE(Load(std::string("<Axes>") + axis + "</Axes><Buttons>" +
                      Button(1, Acts(Act("A"))) + "</Buttons>"));
    ExpectError(message);
    EXPECT_FALSE(joystick->IsActive());
    EXPECT_EQ(Column(), "--------");  // the rest of the file was not read
  }
}

TEST_F(ProfileReaderTest, MismatchedSecondDirectionIsReportedAndReadingGoesOn) {
  ASSERT_TRUE(Load("<Axes><Axis name='X Axis' type='Horizontal'><Direction Name='Left'/>" +
                   Hat("Down", Acts(Act("A"))) + Hat("Right", Acts(Act("B"))) + "</Axis></Axes>"));
  EXPECT_EQ(MessageTexts(), Texts{"The name of the first direction in The axis \"X Axis\" is "
                                  "\"Left\", but the name of the second direction is \"Down\"."});
  EXPECT_EQ(EntryAt(0, false), "A");  // the third direction is ignored
}

TEST_F(ProfileReaderTest, SecondProfileAddsToTheFirst) {
  ASSERT_TRUE(Load("<ShiftButtons><ShiftButton ButtonNumber='1'/></ShiftButtons><Buttons>" +
                   Button(2, Acts(Act("A"))) + "</Buttons>"));
  ASSERT_TRUE(Load("<ShiftButtons><ShiftButton ButtonNumber='3'/></ShiftButtons><Buttons>" +
                   Button(3, Acts(Act("B"))) + "</Buttons>"));
  EXPECT_EQ(joystick->GetShiftButtonCount(), 2);
  // Shift buttons are read before the actions, so button 3's own slot 0 is still slot 0.
  EXPECT_EQ(joystick->GetButton(7)->GetShiftNumber(), 2);
  EXPECT_EQ(Column(), "-----AB-");
}

}  // namespace
