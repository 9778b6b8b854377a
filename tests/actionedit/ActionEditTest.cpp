// Editing the action library as the Actions tab does: refusals and their messages, deleting
// an action in use, and the rules of the key field's text.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "actionedit/ActionDisplay.h"
#include "actionedit/ActionSave.h"
#include "actionedit/KeyText.h"
#include "actionedit/LibraryLists.h"
#include "actions/ActionLibrary.h"
#include "support/VirtualWorld.h"

namespace actionedit {
namespace {

constexpr const char* kLibrary = R"(<Actions><VKActions>
<VKAction theme="Game" name="Fire" value="0x20"/><VKAction theme="Game" name="Ctrl" value="0x11"/>
</VKActions><ComplexActions><ComplexAction theme="Game" name="Combo" type="Hit">
<CombinedAction theme="Game" name="Ctrl"/><CombinedAction theme="Game" name="Fire" type="Hit"/>
</ComplexAction></ComplexActions></Actions>)";

constexpr const char* kItself =
    "A Combination cannot contain itself, not even through another Combination.";

class ActionSaveTest : public ::testing::Test {
 protected:
  ActionSaveTest() {
    world_.UseTempProgramFolder();
    EXPECT_EQ(ReloadActions(world_.Write("Actions.xml", kLibrary).c_str()), ActionsFileState::Read);
  }
  ~ActionSaveTest() override { ClearActions(); }

  static ActionPanelValues Shown(const char* theme, const char* name) {
    ActionPanelValues panels;
    EXPECT_TRUE(ShowLibraryAction(theme, name, panels)) << name;
    return panels;
  }
  static std::string LibraryText() { return CreateActionsXML()->ToText(); }
  VirtualWorld world_;
};

TEST_F(ActionSaveTest, RefusalsChangeNothing) {
  ActionPanelValues key;
  key.checked = ActionKind::VirtualKey;
  ActionPanelValues containsItself = Shown("Game", "Combo");
  containsItself.complex.parts.push_back({"GAME", "combo", PushType::Hold});
  const std::tuple<const char*, const char*, ActionPanelValues, const char*> cases[] = {
      {"Game", "it's \"x\"", key, "The Action Name cannot contain both:', and \""},
      {"a'b\"", "New", key, "The Theme Name cannot contain both:', and \""},
      {"Game",
       "it's",
       {},
       "Choose the type of the new action first: Virtual Key, Mouse Movement, Mouse Wheel or "
       "Combination."},
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

TEST_F(ActionSaveTest, DeletingAnActionInUseIsRefusedNamingItsCombinations) {
  const std::string before = LibraryText();
  const EditResult refused = DeleteSelectedAction("game", "FIRE");
  EXPECT_EQ(refused.outcome, EditOutcome::Refused);
  EXPECT_EQ(refused.message,
            "Cannot delete the action \"FIRE\" because it is in use by one or more "
            "actions.\r\nUsed by: Combo (Game)");
  EXPECT_EQ(LibraryText(), before);
  EXPECT_EQ(DeleteSelectedAction("Game", "Combo").outcome, EditOutcome::Deleted);
  EXPECT_EQ(ActionNamesOfTheme("GAME"), (std::vector<std::string>{"Fire", "Ctrl"}));
}

// What the field keeps of the typed text; null when the filter accepts it.
TEST(KeyTextTest, FilterKeepsOneCharacterOrZeroXWithTwoHexDigits) {
  const std::pair<const char*, const char*> cases[] = {
      {"", nullptr}, {"A", nullptr}, {"0x", nullptr}, {"0x41", nullptr}, {"0xfF", nullptr},
      {"0X", "0"},   {"AB", "A"},    {"x1", "x"},     {"0xg", "0x"},     {"0x4g", "0x4"}};
  for (const auto& [typed, kept] : cases) {
    const auto expected = kept ? std::optional(KeyTextCut{kept, std::strlen(kept)}) : std::nullopt;
    EXPECT_EQ(FilterKeyText(typed), expected) << typed;
  }
}

TEST(KeyTextTest, KeyCodesFromTextAndBack) {
  VirtualWorld world;  // the United States keyboard layout
  struct Case {
    const char* text;
    unsigned code;
  };
  const Case fromText[] = {{"A", 65},     {"a", 65}, {"1", 0x31}, {"0x9", 9},   {"0x41", 65},
                           {"0xfF", 255}, {"", 0},   {"0x", 0},   {"\xE9", 255}};
  for (const Case& c : fromText) EXPECT_EQ(KeyCodeFromText(c.text), c.code) << c.text;

  const Case toText[] = {{"0x41", 65}, {"0x9", 9}, {"0x0", 0}, {"0xFF", 0x1FF}};
  for (const Case& c : toText) {
    EXPECT_EQ(KeyCodeText(c.code), c.text);
    EXPECT_EQ(KeyCodeFromText(KeyCodeText(c.code)), c.code & 0xFF) << c.text;
  }
  // Names by rule at the ends of their ranges, from the table, and for codes without one.
  std::string names;
  for (unsigned code :
       {0, 0x30, 0x5A, 0x60, 0x69, 0x70, 0x87, 0x88, 0x10D, 1, 0x5B, 0xE2, 0xFF, 0x3A})
    names += KeyName(code) + "|";
  EXPECT_EQ(
      names,
      "|0|Z|Num 0|Num 9|F1|F24|Key 0x88|Enter|Left Button|Left Windows|<>|Key 0xFF|Key 0x3A|");
}

}  // namespace
}  // namespace actionedit
