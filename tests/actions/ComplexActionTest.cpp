// Combinations: the order their parts are pressed and released in, the editing operations, and
// the "ComplexAction" element with its parts resolved in the library.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ActionTestSupport.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/VKAction.h"
#include "xml/XMLNode.h"

namespace {

using Events = std::vector<std::string>;

class ComplexActionTest : public actiontest::ActionTest {
 protected:
  static std::unique_ptr<CVKAction> Key(unsigned char key, PushType type, const char* name,
                                        const char* theme = "General") {
    auto a = std::make_unique<CVKAction>(key, type, name);
    a->SetTheme(theme);
    return a;
  }
};

TEST_F(ComplexActionTest, ChordOfAHeldModifierAndAHitKey) {
  auto ctrl = Key(0x11, PushType::Hold, "Ctrl");
  auto v = Key(0x56, PushType::Hit, "V");
  CComplexAction paste(PushType::Hold, {ctrl.get(), v.get()}, "Paste", "Edit", false);
  paste.Press(nullptr);
  EXPECT_EQ(TakeRecorded(), (Events{"0 down 11+ext", "0 down 56", "0 up 56"}));
  world.Advance(2000);
  paste.Release(nullptr);
  EXPECT_EQ(TakeRecorded(), (Events{"2000 up 11+ext"}));
}

TEST_F(ComplexActionTest, PartsArePressedInOrderAndReleasedInReverse) {
  auto a = Key(0x41, PushType::Hold, "A");
  auto b = Key(0x42, PushType::Hold, "B");
  auto c = Key(0x43, PushType::Hold, "C");
  CComplexAction combo(PushType::Hold, {a.get(), b.get(), c.get()}, "ABC", "", false);
  combo.Press(nullptr);
  combo.Press(nullptr);  // active: presses nothing
  combo.Release(nullptr);
  combo.Release(nullptr);  // idle: releases nothing
  EXPECT_EQ(Recorded(),
            (Events{"0 down 41", "0 down 42", "0 down 43", "0 up 43", "0 up 42", "0 up 41"}));
}

TEST_F(ComplexActionTest, HitAndTogglePushTypesApplyToTheWhole) {
  auto a = Key(0x41, PushType::Hold, "A");
  CComplexAction hit(PushType::Hit, {a.get()}, "H", "", false);
  hit.Press(nullptr);
  hit.Release(nullptr);
  CComplexAction toggle(PushType::Toggle, {a.get()}, "T", "", false);
  toggle.Press(nullptr);
  toggle.Release(nullptr);
  world.MoveTo(300);
  toggle.Press(nullptr);
  toggle.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 down 41", "0 up 41", "0 down 41", "300 up 41"}));
}

TEST_F(ComplexActionTest, PartsRunTheirOwnTimers) {
  auto r = Key(0x52, PushType::Repeat, "R");
  r->SetRate(100);
  CComplexAction combo(PushType::Hold, {r.get()}, "C", "", false);
  combo.Press(nullptr);
  world.AdvanceTo(150);
  combo.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 down 52", "100 down 52", "100 up 52", "150 up 52"}));
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

TEST_F(ComplexActionTest, TheSpeedObjectReachesEveryPartUnchanged) {
  CMouseAction right(PushType::Hold, true, 30, 70, 20, 90, "Right");
  CComplexAction combo(PushType::Hold, {&right}, "C", "", false);
  CMouseSpeedData half(50.0);
  combo.Press(&half);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 8001 52428 32768 0"}));  // offset 0.3 W
  combo.Release(&half);
}

TEST_F(ComplexActionTest, DestroyingARunningCombinationReleasesItsParts) {
  auto a = Key(0x41, PushType::Hold, "A");
  auto t = Key(0x42, PushType::Toggle, "T");
  auto combo = std::make_unique<CComplexAction>(
      PushType::Toggle, std::vector<const CAction*>{a.get(), t.get()}, "C", "", false);
  combo->Press(nullptr);
  combo->Release(nullptr);
  world.Advance(700);
  combo.reset();
  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

TEST_F(ComplexActionTest, UsesActionMatchesDirectPartsIgnoringCase) {
  auto enter = Key(0x0D, PushType::Hit, "Enter", "General");
  CComplexAction inner(PushType::Hold, {enter.get()}, "Inner", "Menus", false);
  CComplexAction outer(PushType::Hold, {&inner}, "Outer", "Menus", false);
  EXPECT_TRUE(inner.UsesAction("GENERAL", "enter"));
  EXPECT_FALSE(inner.UsesAction("General", "Enter2"));
  EXPECT_TRUE(outer.UsesAction("menus", "INNER"));
  EXPECT_FALSE(outer.UsesAction("General", "Enter"));  // nested parts are not searched
}

TEST_F(ComplexActionTest, EqualityNeedsTheSamePartsInTheSameOrder) {
  auto a = Key(0x41, PushType::Hold, "A");
  auto b = Key(0x42, PushType::Hold, "B");
  CComplexAction ab(PushType::Hold, {a.get(), b.get()}, "C", "", false);
  CComplexAction ba(PushType::Hold, {b.get(), a.get()}, "C", "", false);
  CComplexAction ab2(PushType::Hold, {a.get(), b.get()}, "C", "", false);
  CComplexAction shorter(PushType::Hold, {a.get()}, "C", "", false);
  EXPECT_FALSE(ab.IsEqual(&ba));
  EXPECT_TRUE(ab.IsEqual(&ab2));
  EXPECT_FALSE(ab.IsEqual(&shorter));
  EXPECT_FALSE(ab.IsEqual(a.get()));
}

TEST_F(ComplexActionTest, CloneCopiesPartsAndTheActiveFlag) {
  auto a = Key(0x41, PushType::Hold, "A");
  CComplexAction combo(PushType::Hold, {a.get()}, "C", "T", true);
  auto copy = combo.Clone();
  EXPECT_TRUE(copy->IsActive());
  EXPECT_TRUE(combo.IsEqual(copy.get()));
  auto& c = dynamic_cast<CComplexAction&>(*copy);
  ASSERT_EQ(c.GetActions().size(), 1u);
  EXPECT_NE(c.GetActions()[0].get(), combo.GetActions()[0].get());
}

TEST_F(ComplexActionTest, EditingOperations) {
  auto a = Key(0x41, PushType::Hold, "A");
  auto b = Key(0x42, PushType::Hold, "B");
  auto c = Key(0x43, PushType::Hold, "C");
  CComplexAction combo(PushType::Hold, "Combo");
  EXPECT_STREQ(combo.GetTheme(), "");
  EXPECT_TRUE(combo.AppendAction(a.get()));
  EXPECT_FALSE(combo.AppendAction(nullptr));
  EXPECT_TRUE(combo.SetActions({a.get(), b.get(), c.get(), b.get()}));
  EXPECT_EQ(combo.GetActions().size(), 4u);
  combo.RemoveAction(b.get());  // the first equal part only
  ASSERT_EQ(combo.GetActions().size(), 3u);
  EXPECT_STREQ(combo.GetActions()[1]->GetName(), "C");
  EXPECT_STREQ(combo.GetActions()[2]->GetName(), "B");
  combo.EraseAction(7);  // outside: ignored
  combo.EraseAction(0);
  EXPECT_STREQ(combo.GetActions()[0]->GetName(), "C");
  EXPECT_FALSE(combo.SetActions({a.get(), nullptr, c.get()}));
  EXPECT_EQ(combo.GetActions().size(), 2u);  // the good ones stay
  combo.RemoveAllActions();
  EXPECT_TRUE(combo.GetActions().empty());
  EXPECT_EQ(combo.CountNestedActions(), 1u);
}

// Reading and writing, with the parts taken from the library.

class ComplexActionReaderTest : public ComplexActionTest {
 protected:
  ComplexActionReaderTest() {
    auto enter = Key(0x0D, PushType::Hold, "Enter", "Menus");
    auto ctrl = Key(0x11, PushType::Hold, "Ctrl", "General");
    AddAction(std::move(enter));
    AddAction(std::move(ctrl));
  }

  static std::unique_ptr<CAction> Read(std::string_view text) {
    auto element = actiontest::Element(text);
    return element ? ReadComplexAction(element.get()) : nullptr;
  }
};

TEST_F(ComplexActionReaderTest, ResolvesPartsIgnoringCaseAndTakesTheirTypes) {
  auto a = Read(
      R"(<ComplexAction theme="Menus" name="Confirm" type="Hit">
           <CombinedAction theme="menus" name="ENTER" type="Hit" />
           <CombinedAction name="Skipped" />
           <CombinedAction theme="General" name="Ctrl" />
         </ComplexAction>)");
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(Messages().empty());
  auto& c = dynamic_cast<CComplexAction&>(*a);
  ASSERT_EQ(c.GetActions().size(), 2u);
  EXPECT_EQ(c.GetActions()[0]->GetPushType(), PushType::Hit);
  EXPECT_STREQ(c.GetActions()[0]->GetName(), "Enter");  // the library's spelling
  EXPECT_EQ(c.GetActions()[1]->GetPushType(), PushType::Hold);
  EXPECT_EQ(a->GetPushType(), PushType::Hit);
  EXPECT_STREQ(a->GetTheme(), "Menus");
  // The library template keeps its own push type.
  EXPECT_EQ(FindAction("Menus", "Enter")->GetPushType(), PushType::Hold);
  EXPECT_EQ(a->CreateXMLNode()->ToText(),
            "<ComplexAction theme = \"Menus\" name = \"Confirm\" type = \"Hit\" >\r\n"
            "\t<CombinedAction theme = \"Menus\" name = \"Enter\" type = \"Hit\" />\r\n"
            "\t<CombinedAction theme = \"General\" name = \"Ctrl\" type = \"Hold\" />\r\n"
            "</ComplexAction>\r\n");
}

TEST_F(ComplexActionReaderTest, PartsOfOtherPushTypesAreWrittenWithoutType) {
  auto a = Read(
      R"(<ComplexAction name="C"><CombinedAction theme="Menus" name="Enter" type="Repeat"/>
         </ComplexAction>)");
  ASSERT_NE(a, nullptr);
  const auto element = a->CreateXMLNode();
  const CXMLNode* entry = element->FindChild("CombinedAction", nullptr);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->FindAttribute("type"), nullptr);
}

TEST_F(ComplexActionReaderTest, DropsTheWholeCombinationWithTheMessage) {
  EXPECT_EQ(Read(R"(<ComplexAction><CombinedAction theme="Menus" name="Enter"/></ComplexAction>)"),
            nullptr);
  EXPECT_EQ(Read(R"(<ComplexAction name="C" type="chord" />)"), nullptr);
  EXPECT_EQ(Read(R"(<ComplexAction name="C"><CombinedAction theme="Menus" name="Enter"/>
                    <CombinedAction theme="Menus" /></ComplexAction>)"),
            nullptr);
  EXPECT_EQ(Read(R"(<ComplexAction name="C"><CombinedAction theme="Menus" name="Enter"/>
                    <CombinedAction theme="Menus" name="Exit" /></ComplexAction>)"),
            nullptr);
  EXPECT_EQ(Read(R"(<ComplexAction name="C">
                    <CombinedAction theme="Menus" name="Enter" type="twice"/></ComplexAction>)"),
            nullptr);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0].text, "There is a ComplexAction with no name");
  EXPECT_EQ(messages[1].text, "The ComplexAction \"C\" has an unknown type: \"chord\".");
  EXPECT_EQ(messages[2].text, "The ComplexAction \"C\" has a CombinedAction with no name.");
  EXPECT_EQ(messages[3].text, "The ComplexAction \"C\" asked for an undefined action: \"Exit\".");
  EXPECT_EQ(messages[4].text, "The ComplexAction \"C\" has an unknown type: \"twice\".");
  for (const auto& m : messages) EXPECT_EQ(m.caption, "XML Error");
}

TEST_F(ComplexActionReaderTest, RejectsCombinationsThatGrowTooLarge) {
  // Each level uses the previous one twice, doubling the actions it would press.
  std::string previous = "Enter";
  std::string previousTheme = "Menus";
  std::size_t level = 0;
  for (; level < 12; ++level) {
    const std::string name = "L" + std::to_string(level);
    const std::string part =
        "<CombinedAction theme=\"" + previousTheme + "\" name=\"" + previous + "\"/>";
    auto a = Read("<ComplexAction theme=\"X\" name=\"" + name + "\">" + part + part +
                  "</ComplexAction>");
    if (!a) break;
    EXPECT_LE(dynamic_cast<CComplexAction&>(*a).CountNestedActions(),
              CComplexAction::kMaxNestedActions);
    ASSERT_TRUE(AddAction(std::move(a)));
    previous = name;
    previousTheme = "X";
  }
  EXPECT_EQ(level, 7u);  // 2^8 - 1 = 255 fits, 2^9 - 1 does not
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "The ComplexAction \"L7\" combines too many actions.");
}

}  // namespace
