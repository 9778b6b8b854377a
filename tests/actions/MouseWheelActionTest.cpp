// Mouse-wheel actions in virtual time and the "MouseWheelAction" element.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ActionTestSupport.h"
#include "actions/MouseWheelAction.h"
#include "xml/XMLNode.h"

namespace {

using Events = std::vector<std::string>;

class MouseWheelActionTest : public actiontest::ActionTest {};

TEST_F(MouseWheelActionTest, HoldStepsAtThePressThenEveryDelay) {
  CMouseWheelAction a(PushType::Hold, 30, CMouseWheelAction::kDown, 3, "Down");
  a.Press(nullptr);
  world.AdvanceTo(100);
  a.Release(nullptr);
  world.Advance(1000);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 800 0 0 -30", "30 mouse 800 0 0 -30",
                                "60 mouse 800 0 0 -30", "90 mouse 800 0 0 -30"}));
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

TEST_F(MouseWheelActionTest, OtherPushTypesStepOncePerStart) {
  CMouseWheelAction repeat(PushType::Repeat, 30, CMouseWheelAction::kDown, 3, "R");
  repeat.Press(nullptr);
  world.Advance(500);
  repeat.Release(nullptr);
  CMouseWheelAction hit(PushType::Hit, 30, CMouseWheelAction::kUp, 2, "H");
  hit.Press(nullptr);
  hit.Release(nullptr);
  CMouseWheelAction toggle(PushType::Toggle, 30, CMouseWheelAction::kUp, 1, "T");
  toggle.Press(nullptr);
  toggle.Release(nullptr);
  world.Advance(500);
  toggle.Press(nullptr);
  toggle.Release(nullptr);
  EXPECT_FALSE(toggle.IsActive());
  EXPECT_EQ(Recorded(),
            (Events{"0 mouse 800 0 0 -30", "500 mouse 800 0 0 20", "500 mouse 800 0 0 10"}));
}

TEST_F(MouseWheelActionTest, ASecondStartStepsAgainWithoutASecondTimer) {
  CMouseWheelAction a(PushType::Hold, 30, CMouseWheelAction::kUp, 3, "Up");
  a.Press(nullptr);
  world.AdvanceTo(10);
  a.Press(nullptr);
  EXPECT_EQ(world.timers().RunningTimers(), 1u);
  world.AdvanceTo(60);
  a.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 800 0 0 30", "10 mouse 800 0 0 30", "30 mouse 800 0 0 30",
                                "60 mouse 800 0 0 30"}));
}

TEST_F(MouseWheelActionTest, AnyDirectionButDownTurnsUpAndHugeLinesAreClamped) {
  CMouseWheelAction odd(PushType::Hit, 30, 7, 1, "Odd");
  odd.Press(nullptr);
  CMouseWheelAction huge(PushType::Hit, 30, CMouseWheelAction::kDown, 2147483647, "Huge");
  huge.Press(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 800 0 0 10", "0 mouse 800 0 0 -2147483648"}));
}

TEST_F(MouseWheelActionTest, ATickThatArrivesAfterTheReleaseSendsNothing) {
  CMouseWheelAction a(PushType::Hold, 30, CMouseWheelAction::kUp, 3, "U");
  a.Press(nullptr);
  a.Release(nullptr);
  a.RunTick();
  EXPECT_EQ(world.input().Count(), 1u);
}

TEST_F(MouseWheelActionTest, DestroyingAScrollingActionEndsItsTimer) {
  auto a = std::make_unique<CMouseWheelAction>(PushType::Hold, 30, CMouseWheelAction::kUp, 3, "U");
  a->Press(nullptr);
  world.AdvanceTo(45);
  a.reset();
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  world.Advance(1000);
  EXPECT_EQ(world.input().Count(), 2u);
}

std::unique_ptr<CAction> Read(std::string_view text) {
  auto element = actiontest::Element(text);
  return element ? ReadMouseWheelAction(element.get()) : nullptr;
}

TEST_F(MouseWheelActionTest, ReadsDirectionInAnyCaseAndDefaults) {
  auto a = Read(R"(<MouseWheelAction name="W" direction="UP" />)");
  ASSERT_NE(a, nullptr);
  auto& w = dynamic_cast<CMouseWheelAction&>(*a);
  EXPECT_EQ(w.GetDirection(), CMouseWheelAction::kUp);
  EXPECT_EQ(w.GetLines(), 3);
  EXPECT_EQ(w.GetDelay(), 30);
  EXPECT_EQ(a->CreateXMLNode()->ToText(),
            "<MouseWheelAction theme = \"\" name = \"W\" type = \"Hold\" direction = \"up\" "
            "delay = \"30\" lines = \"3\" />\r\n");
  auto b =
      Read(R"(<MouseWheelAction theme="G" name="D" direction="dOwN" delay="15" LINES="-2" />)");
  ASSERT_NE(b, nullptr);
  auto& d = dynamic_cast<CMouseWheelAction&>(*b);
  EXPECT_EQ(d.GetDirection(), CMouseWheelAction::kDown);
  EXPECT_EQ(d.GetDelay(), 15);
  EXPECT_EQ(d.GetLines(), -2);
  EXPECT_STREQ(b->GetTheme(), "G");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MouseWheelActionTest, ReportsBadElements) {
  EXPECT_EQ(Read(R"(<MouseWheelAction direction="up" />)"), nullptr);
  EXPECT_EQ(Read(R"(<MouseWheelAction name="W" />)"), nullptr);
  EXPECT_EQ(Read(R"(<MouseWheelAction name="W" direction="left" />)"), nullptr);
  EXPECT_EQ(Read(R"(<MouseWheelAction name="W" direction="up" type="spin" />)"), nullptr);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].text, "There is a MouseWheelAction with no name");
  EXPECT_EQ(messages[1].text, "The MouseWheelAction \"W\" doesn't have a direction.");
  EXPECT_EQ(messages[2].text, "The MouseWheelAction \"W\" have an illegal direction \"left\".");
  EXPECT_EQ(messages[3].text, "The MouseWheelAction \"W\" has an unknown type: \"spin\".");
  for (const auto& m : messages) EXPECT_EQ(m.caption, "XML Error");
}

TEST_F(MouseWheelActionTest, WritesUnknownForOtherDirectionsAndComparesSettings) {
  CMouseWheelAction a(PushType::Hit, 5, 9, 4, "X");
  EXPECT_EQ(a.CreateXMLNode()->FindAttribute("direction")->Value(), "Unknown");
  CMouseWheelAction b(PushType::Hit, 5, 9, 4, "X");
  EXPECT_TRUE(a.IsEqual(&b));
  b.SetLines(5);
  EXPECT_FALSE(a.IsEqual(&b));
  auto copy = a.Clone();
  EXPECT_TRUE(a.IsEqual(copy.get()));
}

}  // namespace
