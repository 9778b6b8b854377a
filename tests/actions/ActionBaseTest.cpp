// The push-type state machine of every action, and the identity part of the base class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ActionTestSupport.h"
#include "actions/Action.h"
#include "xml/XMLNode.h"

namespace {

using actiontest::Strings;

// Records the Start and Stop calls that Press and Release make.
class ProbeAction : public CAction {
 public:
  ProbeAction(PushType type, const char* theme, const char* name) : CAction(type, theme, name) {}
  ProbeAction(const ProbeAction& other) : CAction(other) {}

  void OnTimer() override {}
  std::unique_ptr<CAction> Clone() const override { return std::make_unique<ProbeAction>(*this); }
  std::unique_ptr<CXMLNode> CreateXMLNode() const override { return nullptr; }
  void Start(CMouseSpeedData* speed) override {
    calls.push_back(speed != nullptr ? "start " + std::to_string(speed->GetSpeed()) : "start");
    SetActive();
  }
  void Stop(CMouseSpeedData*) override {
    calls.push_back("stop");
    ClearActive();
  }

  Strings calls;
};

TEST(PushTypeTest, ParsesTheFourNamesInAnyCaseAndNothingElse) {
  const struct {
    const char* text;
    PushType type;
  } cases[] = {{"hold", PushType::Hold},     {"HIT", PushType::Hit},   {"Repeat", PushType::Repeat},
               {"TOGGLE", PushType::Toggle}, {"", PushType::None},     {"Holding", PushType::None},
               {"hol", PushType::None},      {nullptr, PushType::None}};
  for (const auto& c : cases) EXPECT_EQ(ParsePushType(c.text), c.type) << (c.text ? c.text : "");
  EXPECT_EQ(static_cast<int>(PushType::Toggle), 3);  // stored in configuration files
  EXPECT_EQ(static_cast<int>(PushType::None), 4);
  EXPECT_EQ(PushTypeName(PushType::None), nullptr);
}

// P = Press, R = Release, F = ForceRelease.
TEST(PushStateMachineTest, StartAndStopFollowThePushType) {
  const struct {
    PushType type;
    const char* ops;
    Strings calls;
    bool active;
  } cases[] = {
      {PushType::Hold, "P", {"start"}, true},
      {PushType::Hold, "PR", {"start", "stop"}, false},
      {PushType::None, "PR", {"start", "stop"}, false},  // pressed like Hold
      {PushType::Hit, "P", {"start", "stop"}, false},
      {PushType::Hit, "PR", {"start", "stop", "stop"}, false},  // Stop on the idle action
      {PushType::Toggle, "PR", {"start"}, true},
      {PushType::Toggle, "PRP", {"start"}, true},
      {PushType::Toggle, "PRR", {"start"}, true},  // a lone release does not arm it
      {PushType::Toggle, "PRPR", {"start", "stop"}, false},
      {PushType::Toggle, "PRPRPRPR", {"start", "stop", "start", "stop"}, false},
      {PushType::Toggle, "PRFF", {"start", "stop"}, false},
      {PushType::Toggle, "PRFP", {"start", "stop", "start"}, true},  // afresh, not armed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(PushTypeName(c.type) ? PushTypeName(c.type) : "None") + " " + c.ops);
    ProbeAction a(c.type, "", "A");
    for (const char* op = c.ops; *op; ++op) {
      if (*op == 'P') a.Press(nullptr);
      if (*op == 'R') a.Release(nullptr);
      if (*op == 'F') a.ForceRelease();
    }
    EXPECT_EQ(a.calls, c.calls);
    EXPECT_EQ(a.IsActive(), c.active);
  }
  ProbeAction a(PushType::Hold, "", "A");
  CMouseSpeedData speed(42.0);
  a.Press(&speed);
  EXPECT_EQ(a.calls, (Strings{"start 42.000000"}));
}

TEST(ActionIdentityTest, WritesThemeNameAndTypeInOrderAndNoTypeForNone) {
  CXMLNode node("Probe");
  ProbeAction(PushType::Repeat, "", "A").WriteAttributes(&node);
  EXPECT_EQ(node.ToText(), "<Probe theme = \"\" name = \"A\" type = \"Repeat\" />\r\n");
  CXMLNode none("Probe");
  ProbeAction(PushType::None, "T", "A").WriteAttributes(&none);
  EXPECT_EQ(none.ToText(), "<Probe theme = \"T\" name = \"A\" />\r\n");
}

TEST(ActionIdentityTest, EqualityIsCaseSensitiveAndACopyStartsIdle) {
  ProbeAction a(PushType::Toggle, "T", "Name");
  const auto equals = [&](PushType type, const char* theme, const char* name) {
    ProbeAction b(type, theme, name);
    return a.IsEqual(&b);
  };
  EXPECT_FALSE(equals(PushType::Toggle, "T", "name"));
  EXPECT_FALSE(equals(PushType::Toggle, "t", "Name"));
  EXPECT_FALSE(equals(PushType::Hit, "T", "Name"));
  EXPECT_FALSE(a.IsEqual(nullptr));
  a.Press(nullptr);
  auto copy = a.Clone();
  EXPECT_TRUE(a.IsEqual(copy.get()));
  EXPECT_FALSE(copy->IsActive());
}

}  // namespace
