// The elements of the actions file for every kind of action: what is read, what is written
// back, the messages for bad elements, and the copies and comparisons built on them.
#include <gtest/gtest.h>

#include <string>

#include "ActionTestSupport.h"
#include "xml/XMLNode.h"

namespace {

using namespace actiontest;

class ActionElementsTest : public ActionTest {
 protected:
  ActionElementsTest() {
    AddAction(Key(0x0D, PushType::Hold, "Enter", "Menus"));
    AddAction(Key(0x11, PushType::Hold, "Ctrl", "General"));
  }
};

// Attribute names in any case, defaults for what is missing; a written element reads back
// equal unless it held what is not written (a rate for a Hit, a part's Repeat), and a clone is
// equal and idle.
TEST_F(ActionElementsTest, ReadsAndWritesEveryKind) {
  const struct {
    const char* element;
    const char* written;
    bool readsBackEqual = true;
  } cases[] = {
      {R"(<VKAction THEME="Game" NAME="Fire" TYPE="repeat" VALUE="0x20" RATE="75" />)",
       R"(<VKAction theme = "Game" name = "Fire" type = "Repeat" value = "0x20" rate = "75" />)"},
      {R"(<VKAction name="Esc" value="0x1B" rate="99999999999" type="Repeat" />)",  // clamped
       R"(<VKAction theme = "" name = "Esc" type = "Repeat" value = "0x1b" rate = "2147483647" />)"},
      {R"(<VKAction theme="Menus" name="Enter" type="Hit" value="0xD" rate="100" />)",
       R"(<VKAction theme = "Menus" name = "Enter" type = "Hit" value = "0xd" />)", false},
      {R"(<MouseAction theme="T" name="N" type="toggle" direction="450" />)",
       R"(<MouseAction theme = "T" name = "N" type = "Toggle" direction = "90" )"
       R"(absolute = "false" delay = "30" speed = "70" acceleration = "20" />)"},
      {R"(<MouseAction name="B" direction="abc" Absolute="TRUE" speed="5x" delay="7" />)",
       R"(<MouseAction theme = "" name = "B" type = "Hold" direction = "0" )"
       R"(absolute = "true" delay = "7" speed = "5" acceleration = "20" />)"},
      {R"(<MouseAction name="C" direction="359" absolute="False" acceleration="-4" />)",
       R"(<MouseAction theme = "" name = "C" type = "Hold" direction = "359" )"
       R"(absolute = "false" delay = "30" speed = "70" acceleration = "-4" />)"},
      {R"(<MouseWheelAction name="W" direction="UP" />)",
       R"(<MouseWheelAction theme = "" name = "W" type = "Hold" direction = "up" )"
       R"(delay = "30" lines = "3" />)"},
      {R"(<MouseWheelAction theme="G" name="D" direction="dOwN" delay="15" LINES="-2" />)",
       R"(<MouseWheelAction theme = "G" name = "D" type = "Hold" direction = "down" )"
       R"(delay = "15" lines = "-2" />)"},
      // Parts resolved ignoring case, in the library's spelling, with their own push types;
      // parts of push types other than Hold and Hit are written without one.
      {R"(<ComplexAction theme="Menus" name="Confirm" type="Hit">
            <CombinedAction theme="menus" name="ENTER" type="Hit" />
            <CombinedAction name="Skipped" />
            <CombinedAction theme="General" name="Ctrl" />
            <CombinedAction theme="General" name="Ctrl" type="Repeat" /></ComplexAction>)",
       "<ComplexAction theme = \"Menus\" name = \"Confirm\" type = \"Hit\" >\r\n"
       "\t<CombinedAction theme = \"Menus\" name = \"Enter\" type = \"Hit\" />\r\n"
       "\t<CombinedAction theme = \"General\" name = \"Ctrl\" type = \"Hold\" />\r\n"
       "\t<CombinedAction theme = \"General\" name = \"Ctrl\" />\r\n"
       "</ComplexAction>",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.element);
    auto action = Read(c.element);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->CreateXMLNode()->ToText(), std::string(c.written) + "\r\n");
    EXPECT_EQ(action->IsEqual(Read(c.written).get()), c.readsBackEqual);
    action->Press(nullptr);
    const auto copy = action->Clone();
    EXPECT_TRUE(action->IsEqual(copy.get()));
    if (!dynamic_cast<CComplexAction*>(copy.get())) {
      EXPECT_FALSE(copy->IsActive());
    }
    action->ForceRelease();
    copy->ForceRelease();
  }
  EXPECT_TRUE(MessageTexts().empty());
  // The library template keeps its own push type.
  EXPECT_EQ(FindAction("Menus", "Enter")->GetPushType(), PushType::Hold);
  // A wheel direction other than up and down is written as unknown (and turns up).
  EXPECT_EQ(CMouseWheelAction(PushType::Hit, 5, 9, 4, "X").CreateXMLNode()->ToText(),
            "<MouseWheelAction theme = \"\" name = \"X\" type = \"Hit\" direction = \"Unknown\" "
            "delay = \"5\" lines = \"4\" />\r\n");
}

TEST_F(ActionElementsTest, ReadsHexadecimalOrOneCharacterKeyValues) {
  // Only the low byte counts and other characters shift without adding; one character goes
  // through the layout, its shift state dropped.
  const char* values[] = {"0x1B", "0xd", "0xaB", "0x141", "0x1g", "0x", "0x123456789abcdef41",
                          "a",    "A",   "0"};
  const unsigned char keys[] = {0x1B, 0x0D, 0xAB, 0x41, 0x10, 0x00, 0x41, 0x41, 0x41, 0x30};
  for (int i = 0; i < 10; ++i) {
    auto action = Read(std::string(R"(<VKAction name="x" value=")") + values[i] + "\" />");
    EXPECT_EQ(dynamic_cast<CVKAction&>(*action).GetKey(), keys[i]) << values[i];
  }
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(ActionElementsTest, BadElementsAreRefusedWithTheirMessages) {
  const std::string name(250, 'n');  // longer than any fixed buffer: shown whole
  const std::string value(250, 'v');
  const struct {
    std::string element;
    std::string message;
  } cases[] = {
      {R"(<VKAction name="Q" value="0X1B"/>)",
       "The VKAction \"Q\" has an unknown value: \"0X1B\"."},
      {R"(<VKAction name="Q" value="Esc"/>)", "The VKAction \"Q\" has an unknown value: \"Esc\"."},
      {R"(<VKAction name="Q" value=""/>)", "The VKAction \"Q\" has an unknown value: \"\"."},
      {"<VKAction name=\"" + name + "\" value=\"" + value + "\"/>",
       "The VKAction \"" + name + "\" has an unknown value: \"" + value + "\"."},
      {R"(<VKAction value="0x41"/>)", "There is a VKAction with no name"},
      {R"(<VKAction name="F"/>)", "The VKAction \"F\" doesn't have a value."},
      {R"(<VKAction name="F" type="Holding" value="0x41"/>)",
       "The VKAction \"F\" has an unknown type: \"Holding\"."},
      {R"(<MouseAction direction="0"/>)", "There is a MouseAction with no name"},
      {R"(<MouseAction name="A"/>)", "The MouseAction \"A\" doesn't have a direction."},
      {R"(<MouseAction name="A" direction="0" absolute="yes"/>)",
       "The MouseAction \"A\" has an unknown absolute value: \"yes\"."},
      {R"(<MouseAction name="A" direction="0" type=""/>)",
       "The MouseAction \"A\" has an unknown type: \"\"."},
      {R"(<MouseWheelAction direction="up"/>)", "There is a MouseWheelAction with no name"},
      {R"(<MouseWheelAction name="W"/>)", "The MouseWheelAction \"W\" doesn't have a direction."},
      {R"(<MouseWheelAction name="W" direction="left"/>)",
       "The MouseWheelAction \"W\" have an illegal direction \"left\"."},
      {R"(<MouseWheelAction name="W" direction="up" type="spin"/>)",
       "The MouseWheelAction \"W\" has an unknown type: \"spin\"."},
      {R"(<ComplexAction><CombinedAction theme="menus" name="Enter"/></ComplexAction>)",
       "There is a ComplexAction with no name"},
      {R"(<ComplexAction name="C" type="chord"/>)",
       "The ComplexAction \"C\" has an unknown type: \"chord\"."},
      {R"(<ComplexAction name="C"><CombinedAction theme="menus" name="Enter"/>
            <CombinedAction theme="menus"/></ComplexAction>)",
       "The ComplexAction \"C\" has a CombinedAction with no name."},
      {R"(<ComplexAction name="C"><CombinedAction theme="menus" name="Enter"/>
            <CombinedAction theme="menus" name="Exit"/></ComplexAction>)",
       "The ComplexAction \"C\" asked for an undefined action: \"Exit\"."},
      {R"(<ComplexAction name="C"><CombinedAction theme="menus" name="Enter" type="twice"/>
            </ComplexAction>)",
       "The ComplexAction \"C\" has an unknown type: \"twice\"."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.element);
    EXPECT_EQ(Read(c.element), nullptr);
    const auto shown = world.messages().Log();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, seam::MessageIcon::Error);
    EXPECT_EQ(shown[0].buttons, seam::MessageButtons::Ok);
    EXPECT_EQ(MessageTexts(), c.message);
  }
}

// Actions that differ in one setting are not equal; names and themes compare case-sensitively.
TEST_F(ActionElementsTest, EqualityComparesTheSettingsOfEachKind) {
  const char* cases[][2] = {
      {R"(<VKAction name="K" value="0x41"/>)", R"(<VKAction name="k" value="0x41"/>)"},
      {R"(<VKAction name="K" value="0x41"/>)", R"(<VKAction theme="t" name="K" value="0x41"/>)"},
      {R"(<VKAction name="K" value="0x41"/>)", R"(<VKAction name="K" value="0x41" type="Hit"/>)"},
      {R"(<ComplexAction name="C"/>)", R"(<ComplexAction name="c"/>)"},
      {R"(<VKAction name="K" value="0x41"/>)", R"(<VKAction name="K" value="0x42"/>)"},
      {R"(<VKAction name="K" value="0x41"/>)", R"(<VKAction name="K" value="0x41" rate="9"/>)"},
      {R"(<MouseAction name="M" direction="1"/>)", R"(<MouseAction name="M" direction="2"/>)"},
      {R"(<MouseAction name="M" direction="1"/>)",
       R"(<MouseAction name="M" direction="1" absolute="true"/>)"},
      {R"(<MouseWheelAction name="W" direction="up"/>)",
       R"(<MouseWheelAction name="W" direction="up" lines="4"/>)"},
      {R"(<ComplexAction name="C"><CombinedAction theme="Menus" name="Enter"/>
            <CombinedAction theme="General" name="Ctrl"/></ComplexAction>)",
       R"(<ComplexAction name="C"><CombinedAction theme="General" name="Ctrl"/>
            <CombinedAction theme="Menus" name="Enter"/></ComplexAction>)"},
      {R"(<ComplexAction name="C"><CombinedAction theme="Menus" name="Enter"/></ComplexAction>)",
       R"(<ComplexAction name="C"/>)"},
      {R"(<ComplexAction name="K"/>)", R"(<VKAction name="K" value="0x41"/>)"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Read(c[0])->IsEqual(Read(c[1]).get())) << c[0] << " " << c[1];
  }
}

}  // namespace
