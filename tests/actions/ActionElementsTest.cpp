// Action elements: the rules for key values, and the comparisons of every kind.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ActionTestSupport.h"
#include "actions/TextRules.h"
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

// Names and themes compare case-sensitively, and actions of different kinds never match (each
// setting of each kind is compared where the editor tells a change from none).
TEST_F(ActionElementsTest, EqualityComparesNamesThemesAndKinds) {
  const char* cases[][2] = {
      {R"(<VKAction name="K" value="0x41"/>)", R"(<VKAction name="k" value="0x41"/>)"},
      {R"(<VKAction name="K" value="0x41"/>)", R"(<VKAction theme="t" name="K" value="0x41"/>)"},
      {R"(<ComplexAction name="C"><CombinedAction theme="Menus" name="Enter"/></ComplexAction>)",
       R"(<ComplexAction name="C"><CombinedAction theme="General" name="Ctrl"/></ComplexAction>)"},
      {R"(<ComplexAction name="K"/>)", R"(<VKAction name="K" value="0x41"/>)"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Read(c[0])->IsEqual(Read(c[1]).get())) << c[0] << " " << c[1];
  }
}

// Numbers as the files store them, and messages filled in. A '%' at the end of a pattern stays
// even where the text goes on beyond the pattern.
TEST(TextRulesTest, NumbersAndFillIns) {
  const std::pair<const char*, int> numbers[] = {
      {nullptr, 0}, {" \t-12x", -12}, {"+7", 7}, {"-99999999999", INT_MIN}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(actions::ReadDecimal(text), value) << value;
  EXPECT_EQ(actions::FillIn(std::string_view("%s of 50%s", 9), {"x", "y"}), "x of 50%");
}

}  // namespace
