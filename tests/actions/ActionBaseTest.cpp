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
  std::unique_ptr<CXMLNode> CreateXMLNode() const override { return nullptr; }
  void Start(CMouseSpeedData* speed) override {
    calls += speed != nullptr ? "+" + std::to_string(static_cast<int>(speed->GetSpeed())) : "+";
    SetActive();
  }
  void Stop(CMouseSpeedData*) override {
    calls += "-";
    ClearActive();
  }

  std::string calls;  // "+" for each Start (with the speed passed), "-" for each Stop
};

TEST(PushTypeTest, ParsesTheFourNamesInAnyCaseAndNothingElse) {
  using enum PushType;
  const char* names[] = {"hold", "HIT", "Repeat", "TOGGLE", "", "Holding", "hol", nullptr};
  const PushType types[] = {Hold, Hit, Repeat, Toggle, None, None, None, None};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ParsePushType(names[i]), types[i]) << i;
  EXPECT_EQ(static_cast<int>(Toggle), 3);  // the numbers stored in configuration files
  EXPECT_EQ(static_cast<int>(None), 4);
}

// P = Press, R = Release, F = ForceRelease.
TEST(PushStateMachineTest, StartAndStopFollowThePushType) {
  using enum PushType;
  const struct {
    PushType type;
    const char* ops;
    const char* calls;
    bool active;
  } cases[] = {
      {Hold, "P", "+", true},        {Hold, "PR", "+-", false},
      {None, "PR", "+-", false},                                 // pressed like Hold
      {Hit, "P", "+-", false},       {Hit, "PR", "+--", false},  // Stop on the idle action
      {Toggle, "PR", "+", true},     {Toggle, "PRP", "+", true},
      {Toggle, "PRR", "+", true},  // a lone release does not arm it
      {Toggle, "PRPR", "+-", false}, {Toggle, "PRPRPRPR", "+-+-", false},
      {Toggle, "PRFF", "+-", false}, {Toggle, "PRFP", "+-+", true},  // afresh, not armed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.type)) + " " + c.ops);
    ProbeAction a(c.type, "", "A");
    for (const char* op = c.ops; *op; ++op) {
      if (*op == 'P') a.Press(nullptr);
      if (*op == 'R') a.Release(nullptr);
      if (*op == 'F') a.ForceRelease();
    }
    EXPECT_EQ(a.calls, c.calls);
    EXPECT_EQ(a.IsActive(), c.active);
  }
  ProbeAction a(Hold, "", "A");
  CMouseSpeedData speed(42.0);
  a.Press(&speed);
  EXPECT_EQ(a.calls, "+42");
}

TEST(ActionIdentityTest, EqualityIsCaseSensitiveACopyStartsIdleAndNoneWritesNoType) {
  CXMLNode none("Probe");
  ProbeAction(PushType::None, "T", "A").WriteAttributes(&none);
  EXPECT_EQ(none.ToText(), "<Probe theme = \"T\" name = \"A\" />\r\n");
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
