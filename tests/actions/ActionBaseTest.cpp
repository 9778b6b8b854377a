// The push-type state machine that every action shares.
#include <gtest/gtest.h>

#include <string>

#include "actions/Action.h"

namespace {

// Records the Start and Stop calls that Press and Release make.
class ProbeAction : public CAction {
 public:
  explicit ProbeAction(PushType type) : CAction(type, "", "A") {}
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

// P = Press, S = Press with a speed of 42, R = Release, F = ForceRelease. A lone release does
// not arm a toggle; after a forced release a press starts afresh, not armed.
TEST(PushStateMachineTest, StartAndStopFollowThePushType) {
  using enum PushType;
  const struct {
    PushType type;
    const char* ops;
    const char* calls;
    bool active;
  } cases[] = {
      {Hold, "S", "+42", true},      {Hold, "PR", "+-", false},
      {None, "PR", "+-", false},     {Hit, "P", "+-", false},
      {Hit, "PR", "+--", false},     {Toggle, "PRP", "+", true},
      {Toggle, "PRR", "+", true},    {Toggle, "PRPRPRPR", "+-+-", false},
      {Toggle, "PRFF", "+-", false}, {Toggle, "PRFP", "+-+", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.type)) + " " + c.ops);
    ProbeAction a(c.type);
    CMouseSpeedData speed(42.0);
    for (const char* op = c.ops; *op; ++op) {
      if (*op == 'P' || *op == 'S') a.Press(*op == 'S' ? &speed : nullptr);
      if (*op == 'R') a.Release(nullptr);
      if (*op == 'F') a.ForceRelease();
    }
    EXPECT_EQ(a.calls, c.calls);
    EXPECT_EQ(a.IsActive(), c.active);
    EXPECT_FALSE(a.Clone()->IsActive());  // a copy starts idle
  }
}

}  // namespace
