#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <tuple>

#include "actionedit/ActionDisplay.h"
#include "actionedit/ActionSave.h"
#include "actionedit/LibraryLists.h"
#include "actions/ActionLibrary.h"
#include "actions/MouseWheelAction.h"
#include "support/VirtualWorld.h"

namespace actionedit {
namespace {

constexpr const char* kLibrary = R"(<Actions><VKActions>
<VKAction theme="Game" name="Fire" value="0x20"/><VKAction theme="Game" name="Ctrl" value="0x11"/>
</VKActions><MouseActions><MouseAction theme="Game" name="Right" type="Hit" direction="90"/>
</MouseActions><MouseWheelActions><MouseWheelAction theme="Game" name="Scroll" direction="down"/>
</MouseWheelActions><ComplexActions><ComplexAction theme="Game" name="Combo" type="Hit">
<CombinedAction theme="Game" name="Ctrl"/><CombinedAction theme="Game" name="Fire" type="Hit"/>
</ComplexAction></ComplexActions></Actions>)";

constexpr const char* kChooseType =
    "Choose the type of the new action first: Virtual Key, Mouse Movement, Mouse Wheel or "
    "Combination.";
constexpr const char* kItself =
    "A Combination cannot contain itself, not even through another Combination.";

class ActionSaveTest : public ::testing::Test {
 protected:
  ActionSaveTest() : folder_(world_.UseTempProgramFolder()) { Reload(); }
  ~ActionSaveTest() override { ClearActions(); }

  void Reload() {
    world_.Write("Actions.xml", kLibrary);
    EXPECT_TRUE(ReloadActions("Actions.xml"));
  }
  static ActionPanelValues Shown(const char* theme, const char* name) {
    ActionPanelValues panels;
    EXPECT_TRUE(ShowLibraryAction(theme, name, panels)) << name;
    return panels;
  }
  static std::string LibraryText() { return CreateActionsXML()->ToText(); }
  VirtualWorld world_;
  std::string folder_;
};

TEST_F(ActionSaveTest, UnchangedValuesAreNoChangeAndEachSettingChangedAloneIsStored) {
  using Edit = std::function<void(ActionPanelValues&)>;
  const std::pair<const char*, Edit> cases[] = {
      {"Fire", [](auto& p) { p.vk.pushType = PushType::Toggle; }},
      {"Fire", [](auto& p) { p.vk.key = 0x41; }},
      {"Right", [](auto& p) { p.mouse.pushType = PushType::Hold; }},
      {"Right", [](auto& p) { p.mouse.absolute = true; }},
      {"Right", [](auto& p) { p.mouse.acceleration = 5; }},
      {"Right", [](auto& p) { p.mouse.delay = 10; }},
      {"Right", [](auto& p) { p.mouse.direction = 0; }},
      {"Right", [](auto& p) { p.mouse.speed = 99; }},
      {"Scroll", [](auto& p) { p.wheel.pushType = PushType::Hit; }},
      {"Scroll", [](auto& p) { p.wheel.direction = CMouseWheelAction::kUp; }},
      {"Scroll", [](auto& p) { p.wheel.delay = 50; }},
      {"Scroll", [](auto& p) { p.wheel.lines = 9; }},
      {"Combo", [](auto& p) { p.complex.pushType = PushType::Hold; }},
      {"Combo", [](auto& p) { std::swap(p.complex.parts[0], p.complex.parts[1]); }},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Reload();
    ActionPanelValues wanted = Shown("GAME", cases[i].first);
    // A combination's parts are rebuilt at every save, which is always a change.
    const bool rebuilt = wanted.checked == ActionKind::Combination;
    EXPECT_EQ(SaveAction("game", cases[i].first, wanted).outcome,
              rebuilt ? EditOutcome::Changed : EditOutcome::Nothing)
        << i;
    EXPECT_EQ(Shown("Game", cases[i].first), wanted) << i;  // a Hit combination stays Hit
    cases[i].second(wanted);
    EXPECT_EQ(SaveAction("Game", cases[i].first, wanted).outcome, EditOutcome::Changed) << i;
    EXPECT_EQ(Shown("Game", cases[i].first), wanted) << i;
  }
}

TEST_F(ActionSaveTest, RefusalsChangeNothing) {
  ActionPanelValues key;
  key.checked = ActionKind::VirtualKey;
  ActionPanelValues containsItself = Shown("Game", "Combo");
  containsItself.complex.parts.push_back({"GAME", "combo", PushType::Hold});
  const std::tuple<const char*, const char*, ActionPanelValues, const char*> cases[] = {
      {"Game", "it's \"x\"", key, "The Action Name cannot contain both:', and \""},
      {"a'b\"", "New", key, "The Theme Name cannot contain both:', and \""},
      {"Game", "it's", {}, kChooseType},
      {"Game", "Combo", containsItself, kItself},
  };
  const std::string before = LibraryText();
  for (const auto& [theme, name, panels, message] : cases) {
    EXPECT_EQ(SaveAction(theme, name, panels),
              (EditResult{EditOutcome::Refused, message, "Error"}));
  }
  EXPECT_EQ(LibraryText(), before);

  // Outer uses Combo, so Combo may not use Outer: the file could not be read back.
  ActionPanelValues outer;
  outer.checked = ActionKind::Combination;
  outer.complex.parts = {{"Game", "Combo", PushType::Hold}};
  ASSERT_EQ(SaveAction("Game", "Outer", outer).outcome, EditOutcome::Created);
  ActionPanelValues loop = Shown("Game", "Combo");
  loop.complex.parts.push_back({"game", "OUTER", PushType::Hold});
  EXPECT_EQ(SaveAction("Game", "Combo", loop).message, kItself);
  // Either quote alone is fine.
  EXPECT_EQ(SaveAction("say \"hi\"", "it's", key).outcome, EditOutcome::Created);
}

TEST_F(ActionSaveTest, DeletingAnActionInUseIsRefusedByTheLibrary) {
  const std::string before = LibraryText();
  EXPECT_EQ(DeleteSelectedAction("game", "FIRE").outcome, EditOutcome::Nothing);
  const auto shown = world_.messages().TakeLog();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            "Cannot delete the action \"FIRE\" because it is in use by one or more actions.");
  EXPECT_EQ(LibraryText(), before);
  EXPECT_EQ(DeleteSelectedAction("Game", "Combo").outcome, EditOutcome::Deleted);
  EXPECT_EQ(ActionNamesOfTheme("GAME"),
            (std::vector<std::string>{"Fire", "Ctrl", "Right", "Scroll"}));
}

}  // namespace
}  // namespace actionedit
