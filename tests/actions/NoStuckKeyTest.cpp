// Random presses and releases over actions of every kind and push type, in virtual time: once
// the owner lets go of everything, no key or mouse button may be left down and no timer may
// run. The owner lets go either by ForceRelease (an input being reset) or by deleting its
// actions (a controller going away).
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "ActionTestSupport.h"

namespace {

std::vector<std::unique_ptr<CAction>> EveryKindOfAction() {
  std::vector<std::unique_ptr<CAction>> actions, combos;
  for (const PushType type :
       {PushType::Hold, PushType::Hit, PushType::Repeat, PushType::Toggle, PushType::None}) {
    for (const unsigned char key : {0x41, 0x10, 0xA2, 0x25, 0x01, 0x02, 0x04, 0x0D}) {
      auto vk = std::make_unique<CVKAction>(key, type, "K");
      vk->SetRate(40 + key % 50);
      actions.push_back(std::move(vk));
    }
    actions.push_back(std::make_unique<CMouseAction>(type, false, 30, 70, 20, 45, "Rel"));
    actions.push_back(std::make_unique<CMouseAction>(type, true, 30, 70, 20, 135, "Abs"));
    actions.push_back(std::make_unique<CMouseWheelAction>(type, 25, 1, 3, "Wheel"));
    // Combinations of parts of every push type, and combinations of those.
    CVKAction ctrl(0x11, type, "Ctrl"), right(0x02, type, "Right");
    CVKAction v(0x56, type == PushType::Hold ? PushType::Hit : type, "V");
    v.SetRate(60);
    combos.push_back(std::make_unique<CComplexAction>(
        type, std::vector<const CAction*>{&ctrl, &v, &right}, "Combo", "", false));
    actions.push_back(combos.back()->Clone());
  }
  for (const auto& combo : combos) {
    std::vector<const CAction*> inner = {combos[0].get(), combos[3].get(), combos[2].get()};
    actions.push_back(
        std::make_unique<CComplexAction>(combo->GetPushType(), inner, "Nested", "", false));
  }
  return actions;
}

class NoStuckKeyTest : public actiontest::ActionTest, public ::testing::WithParamInterface<int> {};

// Random presses, releases and waits, with a press and a release at the same moment now and
// then, and a second press of a held input; then the owner lets go.
TEST_P(NoStuckKeyTest, LettingGoOfEverythingLeavesNothingDown) {
  for (const bool byDeleting : {false, true}) {
    std::mt19937 random(static_cast<unsigned>(GetParam()) + (byDeleting ? 1000 : 0));
    auto actions = EveryKindOfAction();
    std::uniform_int_distribution<std::size_t> pick(0, actions.size() - 1);
    std::uniform_int_distribution<int> op(0, 9);
    std::uniform_int_distribution<unsigned> wait(0, 700);
    CMouseSpeedData speed(60.0);
    for (int step = 0; step < 3000; ++step) {
      CAction& a = *actions[pick(random)];
      CMouseSpeedData* withSpeed = op(random) < 3 ? &speed : nullptr;
      const int what = op(random);
      if (what <= 3 || what == 9) a.Press(withSpeed);
      if ((what >= 4 && what <= 6) || what == 9) a.Release(withSpeed);
      if (what == 7 || what == 8) world.Advance(wait(random) % (what == 7 ? 701 : 40));
    }
    if (byDeleting) actions.clear();
    for (auto& a : actions) a->Release(nullptr);  // what an input's release does first
    for (auto& a : actions) a->ForceRelease();
    for (auto& a : actions) EXPECT_FALSE(a->IsActive());
    EXPECT_EQ(world.timers().RunningTimers(), 0u);
    EXPECT_TRUE(world.input().AllReleased());  // every key and mouse button down went up
    EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 0u);
    const auto count = world.input().Count();
    world.Advance(10000);
    EXPECT_EQ(world.input().Count(), count);  // nothing keeps running
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, NoStuckKeyTest, ::testing::Range(1, 9));

}  // namespace
