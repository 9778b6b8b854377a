// Action elements: the rules for key values, numbers and messages, and the limit on how many
// actions a combination may press.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ActionTestSupport.h"
#include "actions/TextRules.h"
#include "xml/XMLNode.h"

namespace {

using namespace actiontest;

TEST_F(ActionTest, ReadsHexadecimalOrOneCharacterKeyValues) {
  // Leading zeros add nothing and other characters shift without adding; one character goes
  // through the layout, its shift state dropped. (A number beyond one byte is refused.)
  const char* values[] = {"0x1B", "0xd", "0xaB", "0x0041", "0x1g", "0x", "0x000000000000000041",
                          "a",    "A",   "0"};
  const unsigned char keys[] = {0x1B, 0x0D, 0xAB, 0x41, 0x10, 0x00, 0x41, 0x41, 0x41, 0x30};
  for (int i = 0; i < 10; ++i) {
    auto action = Read(std::string(R"(<VKAction name="x" value=")") + values[i] + "\" />");
    EXPECT_EQ(dynamic_cast<CVKAction&>(*action).GetKey(), keys[i]) << values[i];
  }
  EXPECT_TRUE(MessageTexts().empty());
}

// Numbers as the files store them, and messages filled in. A '%' at the end of a pattern stays
// even where the text goes on beyond the pattern.
TEST(TextRulesTest, NumbersAndFillIns) {
  const std::pair<const char*, int> numbers[] = {
      {nullptr, 0}, {" \t-12x", -12}, {"+7", 7}, {"-99999999999", INT_MIN}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(actions::ReadDecimal(text), value) << value;
  EXPECT_EQ(actions::FillIn(std::string_view("%s of 50%s", 9), {"x", "y"}), "x of 50%");
}

TEST_F(ActionTest, CombinationsThatGrowTooLargeAreRejected) {
  AddAction(Key(0x0D, PushType::Hold, "Enter", "Menus"));
  // Each level uses the previous one twice, doubling the actions it would press.
  std::string previous = "theme=\"Menus\" name=\"Enter\"";
  std::size_t level = 0;
  for (std::unique_ptr<CAction> a; level < 12; ++level) {
    const std::string part = "<CombinedAction " + previous + "/>", name = std::to_string(level);
    if (!(a = Read("<ComplexAction theme=\"X\" name=\"" + name + "\">" + part + part +
                   "</ComplexAction>"))) {
      break;
    }
    ASSERT_TRUE(AddAction(std::move(a)));
    previous = "theme=\"X\" name=\"" + name + "\"";
  }
  EXPECT_EQ(level, 7u);  // 2^8 - 1 = 255 fits, 2^9 - 1 does not
  EXPECT_EQ(MessageTexts(), "The ComplexAction \"7\" combines too many actions.");
  // Exactly the limit: itself and the 255 of level 6.
  EXPECT_NE(Read("<ComplexAction theme=\"X\" name=\"edge\"><CombinedAction theme=\"X\" "
                 "name=\"6\"/></ComplexAction>"),
            nullptr);
}

}  // namespace
