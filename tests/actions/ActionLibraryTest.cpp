// The action library: lookups, themes, adding and deleting, and the actions file read from
// and written to disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "ActionTestSupport.h"
#include "xml/XMLNode.h"

namespace {

using namespace actiontest;

// An action in short: its name, ":key" for key actions, "[parts]" for combinations.
std::string Describe(const CAction& a) {
  std::string text = a.GetName();
  if (const auto* vk = dynamic_cast<const CVKAction*>(&a)) {
    text += ":" + std::to_string(vk->GetKey());
  } else if (const auto* combo = dynamic_cast<const CComplexAction*>(&a)) {
    text += "[";
    for (const auto& part : combo->GetActions()) text += Describe(*part);
    text += "]";
  }
  return text;
}

// The actions of a theme in library order.
std::string Summary(const char* theme) {
  std::string text;
  for (const CAction* a : GetActionsOfTheme(theme))
    text += (text.empty() ? "" : " ") + Describe(*a);
  return text;
}

using ActionLibraryTest = ActionTest;

// Lookups ignore case; themes keep the order of first appearance and an emptied theme stays.
TEST_F(ActionLibraryTest, FindsAndClonesIgnoringCaseAndRefusesDuplicates) {
  for (const auto& [theme, name] : {std::pair{"B", "1"}, {"a", "2"}, {"b", "3"}, {"", "4"}}) {
    AddAction(Key(65, PushType::Hold, name, theme));
  }
  EXPECT_EQ(FindAction(nullptr, "1"), nullptr);
  std::unique_ptr<CAction> duplicate = Key(66, PushType::Hold, "1", "b");
  EXPECT_FALSE(AddAction(std::move(duplicate)));
  EXPECT_NE(duplicate, nullptr);  // the caller keeps what was refused
  EXPECT_EQ(Summary("b"), "1:65 3:65");
  // The lock is recursive for callers that hold it while they look up and edit in place.
  auto lock = LockActionLibrary();
  auto clone = CloneAction("b", "3");
  FindAction("B", "3")->SetPushType(PushType::Hit);
  EXPECT_FALSE(clone->IsEqual(FindAction("B", "3")));  // a private copy
  // Equal: the same name (case and all), theme, push type and settings, a key's rate too.
  auto rate = [](const char* name, int rate) {
    auto key = std::make_unique<CVKAction>(65, PushType::Repeat, name);
    key->SetRate(rate);
    return key;
  };
  EXPECT_TRUE(rate("1", 9)->IsEqual(rate("1", 9).get()));
  EXPECT_FALSE(rate("1", 9)->IsEqual(rate("1", 8).get()) ||
               rate("a", 9)->IsEqual(rate("A", 9).get()));
  EXPECT_TRUE(DeleteAction("A", "2"));
  EXPECT_EQ(FindAction("a", "2"), nullptr);
  EXPECT_EQ(std::string(GetThemeName(0)) + GetThemeName(1) + GetThemeName(2), "Ba");
  EXPECT_EQ(GetThemeName(3), nullptr);
}

// Actions files loaded and saved again: the documented example byte for byte; then attribute
// names in any case, defaults for what is missing, the largest number kept, parts resolved ignoring
// case in the library's spelling with their own push types (parts of push types other than Hold and
// Hit are written without one); what is not written (a rate for a Hit) is gone.
TEST_F(ActionLibraryTest, FilesSavedAfterLoading) {
  const std::string example =
      "<Actions >\r\n\t<VKActions >\r\n"
      "\t\t<VKAction theme = \"Menus\" name = \"Enter\" type = \"Hit\" value = \"0xd\" />\r\n"
      "\t</VKActions>\r\n\t<MouseActions />\r\n\t<MouseWheelActions />\r\n\t<ComplexActions >\r\n"
      "\t\t<ComplexAction theme = \"Menus\" name = \"Confirm\" type = \"Hold\" >\r\n"
      "\t\t\t<CombinedAction theme = \"Menus\" name = \"Enter\" type = \"Hold\" />\r\n"
      "\t\t</ComplexAction>\r\n\t</ComplexActions>\r\n</Actions>\r\n";
  world.Write("a.xml", example);
  ASSERT_EQ(ReloadActions("a.xml"), ActionsFileState::Read);
  ASSERT_TRUE(SaveActions("b.xml"));
  EXPECT_EQ(world.Read("b.xml"), example);
  world.Write("a.xml", R"(<Actions><VKActions>
      <VKAction THEME="Game" NAME="Fire" TYPE="repeat" VALUE="0x20" RATE="75" />
      <VKAction name="Esc" value="0x1B" rate="2147483647" type="Repeat" />
      <VKAction theme="Menus" name="Enter" type="Hit" value="0xD" rate="100" />
      <VKAction theme="General" name="Ctrl" value="0x11" /></VKActions><MouseActions>
      <MouseAction theme="T" name="N" type="toggle" direction="450" />
      <MouseAction name="B" direction="abc" Absolute="TRUE" speed="5x" delay="7" />
      <MouseAction name="C" direction="-1" absolute="False" acceleration="-4" /></MouseActions>
      <MouseWheelActions><MouseWheelAction name="W" direction="UP" />
      <MouseWheelAction theme="G" name="D" direction="dOwN" delay="15" LINES="-2" />
      </MouseWheelActions><ComplexActions><ComplexAction theme="Menus" name="Confirm" type="Hit">
      <CombinedAction theme="menus" name="ENTER" type="Hit" /><CombinedAction name="Skipped" />
      <CombinedAction theme="General" name="Ctrl" />
      <CombinedAction theme="General" name="Ctrl" type="Repeat" /></ComplexAction>
      </ComplexActions></Actions>)");
  ASSERT_EQ(ReloadActions("a.xml"), ActionsFileState::Read);
  ASSERT_TRUE(SaveActions("b.xml"));
  const std::string written = world.Read("b.xml");
  for (const char* line : {
           "\"Game\" name = \"Fire\" type = \"Repeat\" value = \"0x20\" rate = \"75\" />\r\n",
           "\"\" name = \"Esc\" type = \"Repeat\" value = \"0x1b\" rate = \"2147483647\" />\r\n",
           "\"Menus\" name = \"Enter\" type = \"Hit\" value = \"0xd\" />\r\n",
           "\"T\" name = \"N\" type = \"Toggle\" direction = \"90\" absolute = \"false\" delay = "
           "\"30\" speed = \"70\" acceleration = \"20\" />\r\n",
           "\"\" name = \"B\" type = \"Hold\" direction = \"0\" absolute = \"true\" delay = \"7\" "
           "speed = \"5\" acceleration = \"20\" />\r\n",
           "\"\" name = \"C\" type = \"Hold\" direction = \"359\" absolute = \"false\" delay = "
           "\"30\" speed = \"70\" acceleration = \"-4\" />\r\n",
           "\"\" name = \"W\" type = \"Hold\" direction = \"up\" delay = \"30\" lines = \"3\" "
           "/>\r\n",
           "\"G\" name = \"D\" type = \"Hold\" direction = \"down\" delay = \"15\" lines = \"-2\"",
           "\"Menus\" name = \"Confirm\" type = \"Hit\" >\r\n"
           "\t\t\t<CombinedAction theme = \"Menus\" name = \"Enter\" type = \"Hit\" />\r\n"
           "\t\t\t<CombinedAction theme = \"General\" name = \"Ctrl\" type = \"Hold\" />\r\n"
           "\t\t\t<CombinedAction theme = \"General\" name = \"Ctrl\" />\r\n\t\t</ComplexAction>",
       }) {
    EXPECT_NE(written.find(std::string("theme = ") + line), std::string::npos) << line;
  }
  EXPECT_EQ(written.find("Skipped"), std::string::npos);
  EXPECT_EQ(MessageTexts(), "");
}

// Every message of an actions file: bad elements are skipped with their message and loading
// goes on; a combination may use any other, listed before or after it.
TEST_F(ActionLibraryTest, LoadsWhatItCanAndReportsTheRest) {
  const std::string name(250, 'n');  // for #: longer than any fixed buffer, shown whole
  constexpr ActionsFileState kWhole = ActionsFileState::Read,
                             kInPart = ActionsFileState::ReadInPart;
  const struct {
    std::string summary;  // of the theme ""
    ActionsFileState state;
    std::string messages, file;
  } cases[] = {
      // Every kind, groups in any order and case, whatever the root is called.
      {"K:65 M W C[WK:65]", kWhole, "",
       "<Stuff><ComplexActions><ComplexAction name='C'><CombinedAction theme='' name='W'/>"
       "<CombinedAction theme='' name='K'/></ComplexAction></ComplexActions><mousewheelactions>"
       "<MouseWheelAction name='W' direction='down'/></mousewheelactions><MouseActions>"
       "<MouseAction name='M' direction='90'/></MouseActions><VKActions>"
       "<VKAction name='K' value='a'/><Other name='X'/></VKActions></Stuff>"},
      {"Good:65 D[Good:65]", kInPart,
       "The VKAction \"Q\" has an unknown value: \"0X1B\".\nThe VKAction \"Q\" has an unknown "
       "value: \"\".\nThe VKAction \"#\" has an unknown value: \"#\".\nThere is a VKAction with "
       "no name\nThe VKAction \"F\" doesn't have a value.\nThe VKAction \"F\" has an unknown "
       "type: \"Holding\".\nThere is a MouseAction with no name\nThe MouseAction \"A\" doesn't "
       "have a direction.\nThe MouseAction \"A\" has an unknown absolute value: \"yes\".\nThe "
       "MouseAction \"A\" has an unknown type: \"\".\nThere is a MouseWheelAction with no "
       "name\nThe MouseWheelAction \"W\" doesn't have a direction.\nThe MouseWheelAction \"W\" "
       "have an illegal direction \"left\".\nThe MouseWheelAction \"W\" has an unknown type: "
       "\"spin\".\nThere is a ComplexAction with no name\nThe ComplexAction \"C\" has an unknown "
       "type: \"chord\".\nThe ComplexAction \"C\" has a CombinedAction with no name.\nThe "
       "ComplexAction \"C\" has an unknown type: \"twice\".\nThe ComplexAction \"C\" asked for "
       "an undefined action: \"Exit\".",
       "<Actions><VKActions><VKAction name='Q' value='0X1B'/><VKAction name='Q' "
       "value=''/><VKAction name='#' value='#'/><VKAction value='0x41'/><VKAction "
       "name='F'/><VKAction name='F' type='Holding' value='0x41'/><VKAction name='Good' "
       "value='0x41'/></VKActions><MouseActions><MouseAction direction='0'/><MouseAction "
       "name='A'/><MouseAction name='A' direction='0' absolute='yes'/><MouseAction name='A' "
       "direction='0' type=''/></MouseActions><MouseWheelActions><MouseWheelAction "
       "direction='up'/><MouseWheelAction name='W'/><MouseWheelAction name='W' "
       "direction='left'/><MouseWheelAction name='W' direction='up' "
       "type='spin'/></MouseWheelActions><ComplexActions><ComplexAction><CombinedAction theme='' "
       "name='Good'/></ComplexAction><ComplexAction name='C' type='chord'/><ComplexAction "
       "name='C'><CombinedAction theme=''/></ComplexAction><ComplexAction "
       "name='C'><CombinedAction theme='' name='Exit'/></ComplexAction><ComplexAction "
       "name='C'><CombinedAction theme='' name='Good' "
       "type='twice'/></ComplexAction><ComplexAction name='D'><CombinedAction theme='' "
       "name='Good'/></ComplexAction></ComplexActions></Actions>"},
      // Numbers the program cannot hold, reported as the file writes them; the edges load.
      {"Edge:255 Far Wide", kInPart,
       "The VKAction \"Big\" has an unknown value: \"0x1FFFFFFFF\".\nThe VKAction \"Slow\" has "
       "an invalid rate value: \"99999999999\".\nThe MouseAction \"Round\" has an invalid "
       "direction value: \"99999999999\".\nThe MouseAction \"Late\" has an invalid delay value: "
       "\"-2147483649\".\nThe MouseWheelAction \"Spin\" has an invalid lines value: "
       "\"+4294967296\".",
       "<Actions><VKActions><VKAction name='Big' value='0x1FFFFFFFF'/><VKAction name='Edge' "
       "value='0x0FF' rate='-2147483648'/><VKAction name='Slow' value='0x41' "
       "rate='99999999999'/></VKActions><MouseActions><MouseAction name='Round' "
       "direction='99999999999'/><MouseAction name='Far' direction='2147483647' speed='-1' "
       "delay='-2147483648'/><MouseAction name='Late' direction='0' delay='-2147483649'/>"
       "</MouseActions><MouseWheelActions><MouseWheelAction name='Spin' direction='up' "
       "lines='+4294967296'/><MouseWheelAction name='Wide' direction='up' "
       "lines='2147483647'/></MouseWheelActions></Actions>"},
      // Combinations in any order; a cycle, a missing part and the combinations that use them
      // are named.
      {"K:65 Early[Late[K:65]] Late[K:65]", kInPart,
       "The ComplexActions \"A\", \"B\" and \"C\" use each other in a cycle.\nThe ComplexAction "
       "\"Self\" uses itself.\nThe ComplexAction \"UsesB\" uses the ComplexAction \"b\", which "
       "could not be read.\nThe ComplexAction \"Lost\" asked for an undefined action: "
       "\"Nowhere\".\nThe ComplexAction \"UsesLost\" uses the ComplexAction \"Lost\", which could "
       "not be read.",
       "<Actions><ComplexActions><ComplexAction name='Early'><CombinedAction theme='' "
       "name='Late'/></ComplexAction><ComplexAction name='A'><CombinedAction theme='' "
       "name='B'/></ComplexAction><ComplexAction name='B'><CombinedAction theme='' name='K'/>"
       "<CombinedAction theme='' name='C'/></ComplexAction><ComplexAction name='C'>"
       "<CombinedAction theme='' name='A'/></ComplexAction><ComplexAction name='Self'>"
       "<CombinedAction theme='' name='self'/></ComplexAction><ComplexAction name='UsesB'>"
       "<CombinedAction theme='' name='b'/></ComplexAction><ComplexAction name='UsesLost'>"
       "<CombinedAction theme='' name='Lost'/></ComplexAction><ComplexAction name='Lost'>"
       "<CombinedAction theme='' name='Nowhere'/></ComplexAction><ComplexAction name='Late'>"
       "<CombinedAction theme='' name='K'/></ComplexAction></ComplexActions><VKActions>"
       "<VKAction name='K' value='0x41'/></VKActions></Actions>"},
      // The first of two actions with one theme and name stays, key, mouse and wheel actions
      // coming before combinations.
      {"Fire:65 C[Fire:65]", kInPart,
       "The VKAction \"FIRE\" of the theme \"\" is skipped: an action with that theme and name "
       "comes before it.\nThe ComplexAction \"fire\" of the theme \"\" is skipped: an action "
       "with that theme and name comes before it.\nThe ComplexAction \"c\" of the theme \"\" is "
       "skipped: an action with that theme and name comes before it.",
       "<Actions><ComplexActions><ComplexAction name='fire'/><ComplexAction name='C'>"
       "<CombinedAction theme='' name='Fire'/></ComplexAction><ComplexAction name='c'/>"
       "</ComplexActions><VKActions><VKAction name='Fire' value='0x41'/><VKAction name='FIRE' "
       "value='0x42'/></VKActions></Actions>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.summary);
    ClearActions();
    world.Write("a.xml", std::regex_replace(c.file, std::regex("#"), name));
    EXPECT_EQ(LoadActions("a.xml"), c.state);
    EXPECT_EQ(MessageTexts(), std::regex_replace(c.messages, std::regex("#"), name));
    EXPECT_EQ(Summary(""), c.summary);
  }
  EXPECT_EQ(ReloadActions("Missing.xml", OnReloadFailure::Keep), ActionsFileState::Missing);
  EXPECT_EQ(world.messages().Log().at(0).icon, seam::MessageIcon::Error);
  EXPECT_EQ(MessageTexts("Configuration Error"),
            "Could not open the file \"Missing.xml\".");  // the path as given
  EXPECT_EQ(Summary(""), "Fire:65 C[Fire:65]");           // what the library held stays
}

TEST_F(ActionLibraryTest, LoadingAddsToTheLibraryAndReloadingReplacesIt) {
  AddAction(Key(65, PushType::Hold, "Old"));
  world.Write("a.xml",
              "<Actions><VKActions><VKAction name='New' value='0x43'/>"
              "<VKAction name='old' value='0x42'/></VKActions><ComplexActions>"
              "<ComplexAction name='C'><CombinedAction theme='' name='OLD'/></ComplexAction>"
              "</ComplexActions></Actions>");
  // The file's "old" is a duplicate of the library's, which C uses.
  EXPECT_EQ(LoadActions("a.xml"), ActionsFileState::ReadInPart);
  EXPECT_EQ(Summary(""), "Old:65 New:67 C[Old:65]");
  EXPECT_EQ(MessageTexts(),
            "The VKAction \"old\" of the theme \"\" is skipped: an action with "
            "that theme and name comes before it.");
  EXPECT_EQ(ReloadActions("a.xml"), ActionsFileState::Read);  // C takes the file's own "old"
  EXPECT_EQ(Summary(""), "New:67 old:66 C[old:66]");
  EXPECT_EQ(MessageTexts(), "");
  EXPECT_NE(ReloadActions("gone.xml"), ActionsFileState::Read);
  EXPECT_EQ(GetThemeCount(), 0);
}

// Many combinations, each listed before the one it uses, in chains of ten (bench_actions loads
// them in chains as deep as a combination may nest), load whole without a message, and are
// written back each after the one it uses.
TEST_F(ActionLibraryTest, ManyCombinationsListedBeforeTheirPartsLoadWhole) {
  constexpr int kCount = 5000, kChain = 10;
  std::string file = "<Actions><ComplexActions>";
  for (int i = 0; i < kCount; ++i) {
    const std::string part = (i + 1) % kChain == 0 ? "K" : "C" + std::to_string(i + 1);
    file += "<ComplexAction name='C" + std::to_string(i) + "'><CombinedAction theme='' name='" +
            part + "'/></ComplexAction>";
  }
  world.Write("a.xml", file +
                           "</ComplexActions><VKActions><VKAction name='K' value='0x41'/>"
                           "</VKActions></Actions>");
  ASSERT_EQ(ReloadActions("a.xml"), ActionsFileState::Read);
  EXPECT_EQ(MessageTexts(), "");
  EXPECT_EQ(GetActionsOfTheme("").size(), kCount + 1u);
  const auto* first = dynamic_cast<const CComplexAction*>(FindAction("", "C0"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->CountNestedActions(), kChain + 1u);
  ASSERT_TRUE(SaveActions("b.xml"));
  EXPECT_EQ(ReloadActions("b.xml"), ActionsFileState::Read);
  EXPECT_EQ(GetActionsOfTheme("").size(), kCount + 1u);
  EXPECT_EQ(MessageTexts(), "");
}

// A combination is written after every combination it uses, even a later one, each once; the
// others keep library order, and the file loads back whole.
TEST_F(ActionLibraryTest, WritesCombinationsAfterThoseTheyUse) {
  AddAction(Key(65, PushType::Hold, "K"));
  for (const char* name : {"X", "Z", "Y"}) {
    AddAction(std::make_unique<CComplexAction>(PushType::Hold, name));
  }
  {  // parts added in place, as the configuration window edits
    auto lock = LockActionLibrary();
    for (const auto& [name, part] : {std::pair{"X", "Y"}, {"Z", "K"}, {"Y", "Z"}}) {
      dynamic_cast<CComplexAction*>(FindAction("", name))->AppendAction(FindAction("", part));
    }
  }
  std::string written;
  const auto root = CreateActionsXML();
  for (const auto& combo : root->Children()[3]->Children()) {
    written += combo->FindAttribute("name")->Value();
  }
  EXPECT_EQ(written, "ZYX");
  ASSERT_TRUE(SaveActions("a.xml"));
  EXPECT_EQ(ReloadActions("a.xml"), ActionsFileState::Read);
  EXPECT_EQ(MessageTexts(), "");
  EXPECT_EQ(GetActionsOfTheme("").size(), 4u);
  // A wheel direction other than up and down is written as unknown (and turns up).
  AddAction(std::make_unique<CMouseWheelAction>(PushType::Hit, 5, 9, 4, "W"));
  EXPECT_STREQ(
      CreateActionsXML()->Children()[2]->Children()[0]->FindAttribute("direction")->GetValue(),
      "Unknown");
}

}  // namespace
