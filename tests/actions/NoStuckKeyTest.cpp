// Random presses and releases over actions of every kind and push type, in virtual time: once
// the owner lets go of everything, no key or mouse button may be left down and no timer may
// run. The owner lets go either by ForceRelease (an input being reset) or by deleting its
// actions (a controller going away).
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <vector>

#include "ActionTestSupport.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"

namespace {

constexpr PushType kPushTypes[] = {PushType::Hold, PushType::Hit, PushType::Repeat,
                                   PushType::Toggle, PushType::None};

std::vector<std::unique_ptr<CAction>> EveryKindOfAction() {
  std::vector<std::unique_ptr<CAction>> actions;
  const unsigned char keys[] = {0x41, 0x10, 0xA2, 0x25, 0x01, 0x02, 0x04, 0x0D};
  for (const PushType type : kPushTypes) {
    for (const unsigned char key : keys) {
      auto vk = std::make_unique<CVKAction>(key, type, "K");
      vk->SetRate(40 + key % 50);
      actions.push_back(std::move(vk));
    }
    actions.push_back(std::make_unique<CMouseAction>(type, false, 30, 70, 20, 45, "Rel"));
    actions.push_back(std::make_unique<CMouseAction>(type, true, 30, 70, 20, 135, "Abs"));
    actions.push_back(std::make_unique<CMouseWheelAction>(type, 25, 1, 3, "Wheel"));
  }
  // Combinations of parts of every push type, and a combination of combinations.
  std::vector<std::unique_ptr<CAction>> parts;
  for (const PushType type : kPushTypes) {
    auto a = std::make_unique<CVKAction>(0x11, type, "Ctrl");
    auto b = std::make_unique<CVKAction>(0x56, type == PushType::Hold ? PushType::Hit : type, "V");
    b->SetRate(60);
    auto c = std::make_unique<CVKAction>(0x02, type, "Right");
    auto combo = std::make_unique<CComplexAction>(
        type, std::vector<const CAction*>{a.get(), b.get(), c.get()}, "Combo", "", false);
    parts.push_back(std::move(combo));
  }
  for (const PushType type : kPushTypes) {
    actions.push_back(parts[static_cast<std::size_t>(type)]->Clone());
    std::vector<const CAction*> inner = {parts[0].get(), parts[3].get(), parts[2].get()};
    actions.push_back(std::make_unique<CComplexAction>(type, inner, "Nested", "", false));
  }
  return actions;
}

// The last event of every key and mouse button is an up.
void ExpectEveryDownHasItsUp(const std::vector<seam::InputRecord>& log) {
  std::map<int, bool> down;  // virtual key (mouse buttons as 1, 2, 4) -> held
  for (const auto& r : log) {
    if (r.IsKey()) down[r.vk] = r.IsKeyDown();
    if (r.IsMouse()) {
      if (r.flags & seam::kMouseLeftDown) down[1] = true;
      if (r.flags & seam::kMouseLeftUp) down[1] = false;
      if (r.flags & seam::kMouseRightDown) down[2] = true;
      if (r.flags & seam::kMouseRightUp) down[2] = false;
      if (r.flags & seam::kMouseMiddleDown) down[4] = true;
      if (r.flags & seam::kMouseMiddleUp) down[4] = false;
    }
  }
  for (const auto& [key, held] : down) EXPECT_FALSE(held) << "key 0x" << std::hex << key;
}

class NoStuckKeyTest : public actiontest::ActionTest, public ::testing::WithParamInterface<int> {
 protected:
  // Random presses, releases and waits, with a press and a release at the same moment now and
  // then, and a second press of a held input.
  void Exercise(std::vector<std::unique_ptr<CAction>>& actions, std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> pick(0, actions.size() - 1);
    std::uniform_int_distribution<int> op(0, 9);
    std::uniform_int_distribution<int> wait(0, 700);
    CMouseSpeedData speed(60.0);
    for (int step = 0; step < 3000; ++step) {
      CAction& a = *actions[pick(random)];
      CMouseSpeedData* withSpeed = op(random) < 3 ? &speed : nullptr;
      switch (op(random)) {
        case 0:
        case 1:
        case 2:
        case 3:
          a.Press(withSpeed);
          break;
        case 4:
        case 5:
        case 6:
          a.Release(withSpeed);
          break;
        case 7:
          world.Advance(static_cast<unsigned>(wait(random)));
          break;
        case 8:
          world.Advance(static_cast<unsigned>(wait(random) % 40));
          break;
        default:
          a.Press(withSpeed);
          a.Release(withSpeed);
          break;
      }
    }
  }
};

TEST_P(NoStuckKeyTest, ForceReleaseOfEverythingLeavesNothingDown) {
  std::mt19937 random(static_cast<unsigned>(GetParam()));
  auto actions = EveryKindOfAction();
  Exercise(actions, random);
  for (auto& a : actions) a->Release(nullptr);  // what an input's release does first
  for (auto& a : actions) a->ForceRelease();
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  EXPECT_TRUE(world.input().AllReleased());
  ExpectEveryDownHasItsUp(world.input().Log());
  for (auto& a : actions) EXPECT_FALSE(a->IsActive());
  const auto count = world.input().Count();
  world.Advance(10000);
  EXPECT_EQ(world.input().Count(), count);  // nothing keeps running
  EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 0u);
}

TEST_P(NoStuckKeyTest, DeletingEverythingLeavesNothingDown) {
  std::mt19937 random(static_cast<unsigned>(GetParam()) + 1000);
  auto actions = EveryKindOfAction();
  Exercise(actions, random);
  actions.clear();
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  EXPECT_TRUE(world.input().AllReleased());
  ExpectEveryDownHasItsUp(world.input().Log());
  EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, NoStuckKeyTest, ::testing::Range(1, 9));

}  // namespace
