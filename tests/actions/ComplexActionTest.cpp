// Combinations: which actions they use, the editing operations, and the limit on how many
// actions one may press.
#include <gtest/gtest.h>

#include <string>

#include "ActionTestSupport.h"

namespace {

using namespace actiontest;

// Parts are copies; only direct parts count as used, ignoring case.
TEST_F(ActionTest, CombinationEditingAndTheActionsUsed) {
  auto a = Key(0x41, PushType::Hold, "A", "General"), b = Key(0x42, PushType::Hold, "B");
  CComplexAction combo(PushType::Hold, "Combo");
  const auto names = [&] {
    std::string text;
    for (const auto& part : combo.GetActions()) text += part->GetName();
    return text;
  };
  EXPECT_FALSE(combo.AppendAction(nullptr));
  EXPECT_TRUE(combo.SetActions({a.get(), b.get(), a.get(), b.get()}));
  EXPECT_NE(combo.GetActions()[0].get(), a.get());
  combo.RemoveAction(b.get());  // the first equal part only
  combo.EraseAction(7);         // outside: ignored
  combo.EraseAction(0);
  EXPECT_EQ(names(), "AB");
  EXPECT_FALSE(combo.SetActions({b.get(), nullptr, a.get()}));
  EXPECT_EQ(names(), "BA");  // the good ones stay
  CComplexAction outer(PushType::Hold, {&combo}, "Outer", "Menus", false);
  EXPECT_TRUE(combo.UsesAction("GENERAL", "a"));
  EXPECT_FALSE(combo.UsesAction("General", "A2"));
  EXPECT_TRUE(outer.UsesAction("", "COMBO"));
  EXPECT_FALSE(outer.UsesAction("General", "A"));  // nested parts are not searched
  combo.RemoveAllActions();
  EXPECT_EQ(names(), "");
  EXPECT_EQ(combo.CountNestedActions(), 1u);
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
