// The push-type state machine of every action, and the identity part of the base class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ActionTestSupport.h"
#include "actions/Action.h"
#include "xml/XMLNode.h"

namespace {

// Records the Start and Stop calls that Press and Release make.
class ProbeAction : public CAction {
 public:
  ProbeAction(PushType type, const char* theme, const char* name) : CAction(type, theme, name) {}
  ProbeAction(const ProbeAction& other) : CAction(other) {}

  void OnTimer() override {}
  std::unique_ptr<CAction> Clone() const override { return std::make_unique<ProbeAction>(*this); }
  std::unique_ptr<CXMLNode> CreateXMLNode() const override {
    auto node = std::make_unique<CXMLNode>("Probe");
    WriteAttributes(node.get());
    return node;
  }
  void Start(CMouseSpeedData* speed) override {
    calls.push_back(speed != nullptr ? "start " + std::to_string(speed->GetSpeed()) : "start");
    SetActive();
  }
  void Stop(CMouseSpeedData*) override {
    calls.push_back("stop");
    ClearActive();
  }

  std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

TEST(PushTypeTest, ParsesTheFourNamesInAnyCase) {
  EXPECT_EQ(ParsePushType("hold"), PushType::Hold);
  EXPECT_EQ(ParsePushType("HIT"), PushType::Hit);
  EXPECT_EQ(ParsePushType("Repeat"), PushType::Repeat);
  EXPECT_EQ(ParsePushType("TOGGLE"), PushType::Toggle);
  EXPECT_EQ(static_cast<int>(PushType::Toggle), 3);
}

TEST(PushTypeTest, AnythingElseIsNone) {
  EXPECT_EQ(ParsePushType(""), PushType::None);
  EXPECT_EQ(ParsePushType("Holding"), PushType::None);
  EXPECT_EQ(ParsePushType("hol"), PushType::None);
  EXPECT_EQ(ParsePushType(nullptr), PushType::None);
  EXPECT_EQ(static_cast<int>(PushType::None), 4);
  EXPECT_EQ(PushTypeName(PushType::None), nullptr);
  EXPECT_STREQ(PushTypeName(PushType::Repeat), "Repeat");
}

TEST(PushStateMachineTest, HoldRunsFromPressToRelease) {
  ProbeAction a(PushType::Hold, "", "A");
  a.Press(nullptr);
  EXPECT_TRUE(a.IsActive());
  a.Release(nullptr);
  EXPECT_FALSE(a.IsActive());
  EXPECT_EQ(a.calls, (Calls{"start", "stop"}));
}

TEST(PushStateMachineTest, HitStartsAndStopsAtPressAndStopsAgainAtRelease) {
  ProbeAction a(PushType::Hit, "", "A");
  a.Press(nullptr);
  EXPECT_FALSE(a.IsActive());
  EXPECT_EQ(a.calls, (Calls{"start", "stop"}));
  a.Release(nullptr);  // Stop on the idle action
  EXPECT_EQ(a.calls, (Calls{"start", "stop", "stop"}));
}

TEST(PushStateMachineTest, ToggleStartsAtFirstPressAndStopsAtSecondRelease) {
  ProbeAction a(PushType::Toggle, "", "A");
  a.Press(nullptr);
  a.Release(nullptr);
  EXPECT_TRUE(a.IsActive());
  a.Press(nullptr);
  EXPECT_TRUE(a.IsActive());
  a.Release(nullptr);
  EXPECT_FALSE(a.IsActive());
  EXPECT_EQ(a.calls, (Calls{"start", "stop"}));
}

TEST(PushStateMachineTest, ToggleIgnoresALoneReleaseWhileRunningUnarmed) {
  ProbeAction a(PushType::Toggle, "", "A");
  a.Press(nullptr);
  a.Release(nullptr);
  a.Release(nullptr);
  EXPECT_TRUE(a.IsActive());
  EXPECT_EQ(a.calls, (Calls{"start"}));
}

TEST(PushStateMachineTest, ToggleCyclesAgainAfterStopping) {
  ProbeAction a(PushType::Toggle, "", "A");
  for (int i = 0; i < 2; ++i) {
    a.Press(nullptr);
    a.Release(nullptr);
    a.Press(nullptr);
    a.Release(nullptr);
  }
  EXPECT_EQ(a.calls, (Calls{"start", "stop", "start", "stop"}));
}

TEST(PushStateMachineTest, NoneIsPressedLikeHold) {
  ProbeAction a(PushType::None, "", "A");
  a.Press(nullptr);
  a.Release(nullptr);
  EXPECT_EQ(a.calls, (Calls{"start", "stop"}));
}

TEST(PushStateMachineTest, ForceReleaseEndsARunningToggle) {
  ProbeAction a(PushType::Toggle, "", "A");
  a.Press(nullptr);
  a.Release(nullptr);
  a.ForceRelease();
  EXPECT_FALSE(a.IsActive());
  a.ForceRelease();  // idle: nothing more
  EXPECT_EQ(a.calls, (Calls{"start", "stop"}));
  // The next press starts afresh rather than arming.
  a.Press(nullptr);
  EXPECT_EQ(a.calls.back(), "start");
}

TEST(PushStateMachineTest, TheSpeedObjectReachesStart) {
  ProbeAction a(PushType::Hold, "", "A");
  CMouseSpeedData speed(42.0);
  a.Press(&speed);
  EXPECT_EQ(a.calls, (Calls{"start 42.000000"}));
}

TEST(ActionIdentityTest, WritesThemeNameAndTypeInOrder) {
  ProbeAction a(PushType::Repeat, "", "A");
  CXMLNode node("Probe");
  a.WriteAttributes(&node);
  ASSERT_EQ(node.Attributes().size(), 3u);
  EXPECT_EQ(node.Attributes()[0]->Name(), "theme");
  EXPECT_EQ(node.Attributes()[0]->Value(), "");
  EXPECT_EQ(node.Attributes()[1]->Name(), "name");
  EXPECT_EQ(node.Attributes()[1]->Value(), "A");
  EXPECT_EQ(node.Attributes()[2]->Name(), "type");
  EXPECT_EQ(node.Attributes()[2]->Value(), "Repeat");
}

TEST(ActionIdentityTest, WritesNoTypeForNone) {
  ProbeAction a(PushType::None, "T", "A");
  CXMLNode node("Probe");
  a.WriteAttributes(&node);
  EXPECT_EQ(node.Attributes().size(), 2u);
  EXPECT_EQ(node.FindAttribute("type"), nullptr);
}

TEST(ActionIdentityTest, EqualityIsCaseSensitiveAndIncludesThePushType) {
  ProbeAction a(PushType::Hold, "T", "Name");
  ProbeAction b(PushType::Hold, "T", "name");
  ProbeAction c(PushType::Hold, "t", "Name");
  ProbeAction d(PushType::Hit, "T", "Name");
  ProbeAction e(PushType::Hold, "T", "Name");
  EXPECT_FALSE(a.IsEqual(&b));
  EXPECT_FALSE(a.IsEqual(&c));
  EXPECT_FALSE(a.IsEqual(&d));
  EXPECT_TRUE(a.IsEqual(&e));
  EXPECT_FALSE(a.IsEqual(nullptr));
}

TEST(ActionIdentityTest, ACopyKeepsIdentityButStartsIdle) {
  ProbeAction a(PushType::Toggle, "T", "N");
  a.Press(nullptr);
  auto copy = a.Clone();
  EXPECT_STREQ(copy->GetTheme(), "T");
  EXPECT_STREQ(copy->GetName(), "N");
  EXPECT_EQ(copy->GetPushType(), PushType::Toggle);
  EXPECT_FALSE(copy->IsActive());
}

TEST(ActionIdentityTest, MouseSpeedDataClones) {
  CMouseSpeedData speed(12.5);
  auto copy = speed.Clone();
  EXPECT_EQ(copy->GetSpeed(), 12.5);
}

}  // namespace
