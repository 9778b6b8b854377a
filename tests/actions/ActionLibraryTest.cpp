// The action library: lookups, themes, adding and deleting, and the actions file read from
// and written to disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

// The actions of a theme in library order, or the elements of a group in a written tree.
std::string Summary(const char* theme) {
  std::string text;
  for (const CAction* a : GetActionsOfTheme(theme))
    text += (text.empty() ? "" : " ") + Describe(*a);
  return text;
}
std::string Summary(const CXMLNode& root, const char* group) {
  std::string text;
  for (const auto& child : root.FindChild(group, nullptr)->Children()) {
    text += (text.empty() ? "" : " ") + child->FindAttribute("name")->Value();
  }
  return text;
}

class ActionLibraryTest : public ActionTest {
 protected:
  void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(folder + name, std::ios::binary) << text;
  }
  std::string ReadFile(const std::string& name) {
    std::ifstream in(folder + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string folder = world.UseTempProgramFolder();
};

// Lookups ignore case; themes keep the order of first appearance and an emptied theme stays.
TEST_F(ActionLibraryTest, FindsAndClonesIgnoringCaseAndRefusesDuplicates) {
  for (const auto& [theme, name] : {std::pair{"B", "1"}, {"a", "2"}, {"b", "3"}, {"", "4"}}) {
    AddAction(Key(65, PushType::Hold, name, theme));
  }
  EXPECT_TRUE(ActionExists("b", "1"));
  EXPECT_FALSE(ActionExists("B", "12"));
  EXPECT_EQ(FindAction(nullptr, "1"), nullptr);
  std::unique_ptr<CAction> duplicate = Key(66, PushType::Hold, "1", "b");
  const CAction* kept = duplicate.get();
  EXPECT_FALSE(AddAction(std::move(duplicate)));
  EXPECT_EQ(duplicate.get(), kept);  // the caller keeps what was refused
  EXPECT_EQ(Summary("b"), "1:65 3:65");
  EXPECT_EQ(CloneAction("B", "2"), nullptr);
  // The lock is recursive for callers that hold it while they look up and edit in place.
  auto lock = LockActionLibrary();
  auto clone = CloneAction("b", "3");
  ASSERT_NE(clone, nullptr);
  FindAction("B", "3")->SetPushType(PushType::Hit);
  EXPECT_FALSE(clone->IsEqual(FindAction("B", "3")));  // a private copy
  EXPECT_TRUE(DeleteAction("A", "2"));
  ASSERT_EQ(GetThemeCount(), 3);
  EXPECT_EQ(std::string(GetThemeName(0)) + GetThemeName(1) + GetThemeName(2), "Ba");
  EXPECT_EQ(GetThemeName(3), nullptr);
  EXPECT_EQ(GetThemeName(-1), nullptr);
  EXPECT_TRUE(IsThemeKnown("A"));
  ClearActions();
  EXPECT_EQ(GetThemeCount(), 0);
}

TEST_F(ActionLibraryTest, DeleteRefusesAnActionInUseByACombination) {
  AddAction(Key(65, PushType::Hold, "B", "A"));
  AddAction(std::make_unique<CComplexAction>(
      PushType::Hold, std::vector<const CAction*>{FindAction("A", "B")}, "Uses", "X", false));
  EXPECT_FALSE(DeleteAction("a", "b"));
  EXPECT_EQ(world.messages().Log().at(0).icon, seam::MessageIcon::Information);
  EXPECT_EQ(MessageTexts("Error"),
            "Cannot delete the action \"b\" because it is in use by one or more actions.");
  // Once the combination is gone, the action can go, and its name can be used again.
  EXPECT_TRUE(DeleteAction("X", "Uses"));
  EXPECT_TRUE(DeleteAction("A", "B"));
  EXPECT_FALSE(DeleteAction("A", "B"));
  EXPECT_TRUE(AddAction(Key(66, PushType::Hold, "b", "a")));
  EXPECT_EQ(Summary("A"), "b:66");
  EXPECT_EQ(MessageTexts(), "");
}

constexpr char kExampleFile[] =
    "<Actions >\r\n"
    "\t<VKActions >\r\n"
    "\t\t<VKAction theme = \"Menus\" name = \"Enter\" type = \"Hit\" value = \"0xd\" />\r\n"
    "\t</VKActions>\r\n"
    "\t<MouseActions />\r\n"
    "\t<MouseWheelActions />\r\n"
    "\t<ComplexActions >\r\n"
    "\t\t<ComplexAction theme = \"Menus\" name = \"Confirm\" type = \"Hold\" >\r\n"
    "\t\t\t<CombinedAction theme = \"Menus\" name = \"Enter\" type = \"Hold\" />\r\n"
    "\t\t</ComplexAction>\r\n"
    "\t</ComplexActions>\r\n"
    "</Actions>\r\n";

TEST_F(ActionLibraryTest, WritesTheDocumentedExampleAndLoadsItBackByteForByte) {
  EXPECT_EQ(CreateActionsXML()->ToText(),
            "<Actions >\r\n\t<VKActions />\r\n\t<MouseActions />\r\n\t<MouseWheelActions />\r\n"
            "\t<ComplexActions />\r\n</Actions>\r\n");
  AddAction(Key(13, PushType::Hit, "Enter", "Menus"));
  auto confirm = std::make_unique<CComplexAction>(PushType::Hold, "Confirm");
  confirm->SetTheme("Menus");
  auto part = CloneAction("Menus", "Enter");
  part->SetPushType(PushType::Hold);
  confirm->AdoptAction(std::move(part));
  AddAction(std::move(confirm));
  EXPECT_EQ(CreateActionsXML()->ToText(), kExampleFile);
  WriteFile("Actions.xml", kExampleFile);
  EXPECT_TRUE(ReloadActions("Actions.xml"));
  EXPECT_TRUE(SaveActions("Saved.xml"));
  EXPECT_EQ(ReadFile("Saved.xml"), kExampleFile);
  EXPECT_EQ(MessageTexts(), "");
}

TEST_F(ActionLibraryTest, LoadsWhatItCanAndReportsTheRest) {
  const struct {
    const char* summary;  // of the theme ""
    bool loaded;
    const char* messages;
    const char* file;
  } cases[] = {
      // Every kind, groups in any order and case, whatever the root is called.
      {"K:65 M W C[WK:65]", true, "",
       "<Stuff><ComplexActions><ComplexAction name='C'>"
       "<CombinedAction theme='' name='W'/><CombinedAction theme='' name='K'/>"
       "</ComplexAction></ComplexActions>"
       "<mousewheelactions><MouseWheelAction name='W' direction='down'/></mousewheelactions>"
       "<MouseActions><MouseAction name='M' direction='90'/></MouseActions>"
       "<VKActions><VKAction name='K' value='a'/><Other name='X'/></VKActions></Stuff>"},
      // A later duplicate is dropped silently.
      {"Fire:65", true, "",
       "<Actions><VKActions><VKAction name='Fire' value='0x41'/>"
       "<VKAction name='fire' value='0x42'/></VKActions></Actions>"},
      // Bad elements are skipped and loading goes on.
      {"Good:65 D[Good:65]", true,
       "The VKAction \"Bad\" doesn't have a value.\n"
       "The ComplexAction \"C\" asked for an undefined action: \"Missing\".",
       "<Actions><VKActions><VKAction name='Bad'/><VKAction name='Good' value='0x41'/>"
       "</VKActions><ComplexActions><ComplexAction name='C'>"
       "<CombinedAction theme='' name='Missing'/></ComplexAction>"
       "<ComplexAction name='D'><CombinedAction theme='' name='Good'/></ComplexAction>"
       "</ComplexActions></Actions>"},
      // A combination may use only combinations listed before it.
      {"K:65 Late[K:65] After[Late[K:65]]", true,
       "The ComplexAction \"Early\" asked for an undefined action: \"Late\".",
       "<Actions><VKActions><VKAction name='K' value='0x41'/></VKActions><ComplexActions>"
       "<ComplexAction name='Early'><CombinedAction theme='' name='Late'/></ComplexAction>"
       "<ComplexAction name='Late'><CombinedAction theme='' name='K'/></ComplexAction>"
       "<ComplexAction name='After'><CombinedAction theme='' name='Late'/></ComplexAction>"
       "</ComplexActions></Actions>"},
      // A malformed file fails silently.
      {"", false, "", "<Actions><VKActions><VKAction name='K' value='0x41'/></VKActions>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.summary);
    ClearActions();
    WriteFile("a.xml", c.file);
    EXPECT_EQ(LoadActions("a.xml"), c.loaded);
    EXPECT_EQ(MessageTexts(), c.messages);
    EXPECT_EQ(Summary(""), c.summary);
  }
  EXPECT_FALSE(LoadActions("Missing.xml"));
  EXPECT_EQ(MessageTexts("Configuration Error"),
            "Could not open the file \"Missing.xml\".");  // the path as given
  EXPECT_EQ(GetThemeCount(), 0);
}

TEST_F(ActionLibraryTest, LoadingAddsToTheLibraryAndReloadingReplacesIt) {
  AddAction(Key(65, PushType::Hold, "Old"));
  WriteFile("a.xml",
            "<Actions><VKActions><VKAction name='New' value='0x43'/>"
            "<VKAction name='old' value='0x42'/></VKActions><ComplexActions>"
            "<ComplexAction name='C'><CombinedAction theme='' name='OLD'/></ComplexAction>"
            "</ComplexActions></Actions>");
  EXPECT_TRUE(LoadActions("a.xml"));  // the file's "old" is a duplicate; C uses the library's
  EXPECT_EQ(Summary(""), "Old:65 New:67 C[Old:65]");
  EXPECT_TRUE(ReloadActions("a.xml"));  // C takes the file's own "old"
  EXPECT_EQ(Summary(""), "New:67 old:66 C[old:66]");
  EXPECT_EQ(MessageTexts(), "");
  EXPECT_FALSE(ReloadActions("gone.xml"));
  EXPECT_EQ(GetThemeCount(), 0);
}

// A combination is written after every combination it uses, even a later one, each once; the
// others keep library order, and the file loads back whole.
TEST_F(ActionLibraryTest, WritesCombinationsAfterThoseTheyUse) {
  const struct {
    std::vector<std::pair<const char*, std::vector<const char*>>> combos;  // with their parts
    const char* written;
  } cases[] = {
      {{{"X", {"Y"}}, {"Y", {"K"}}}, "Y X"},
      {{{"X", {"Y"}}, {"Z", {"K"}}, {"Y", {"Z"}}}, "Z Y X"},
      {{{"P", {"K", "Q"}}, {"Q", {"P"}}}, "Q P"},  // they use each other: no reload
      {{{"C1", {"K"}}, {"C2", {"K"}}}, "C1 C2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    ClearActions();
    AddAction(Key(65, PushType::Hold, "K"));
    for (const auto& combo : c.combos) {
      AddAction(std::make_unique<CComplexAction>(PushType::Hold, combo.first));
    }
    {  // parts added in place, as the configuration window edits
      auto lock = LockActionLibrary();
      for (const auto& [name, parts] : c.combos) {
        auto* combo = dynamic_cast<CComplexAction*>(FindAction("", name));
        for (const char* part : parts) combo->AppendAction(FindAction("", part));
      }
    }
    EXPECT_EQ(Summary(*CreateActionsXML(), "ComplexActions"), c.written);
    if (c.written[0] == 'Q') continue;
    ASSERT_TRUE(SaveActions("a.xml"));
    EXPECT_TRUE(ReloadActions("a.xml"));
    EXPECT_EQ(MessageTexts(), "");
    EXPECT_EQ(GetActionsOfTheme("").size(), c.combos.size() + 1);
  }
  ClearActions();
  AddAction(std::make_unique<CMouseWheelAction>(PushType::Hold, 30, 0, 3, "W1"));
  AddAction(Key(65, PushType::Hold, "K1"));
  AddAction(std::make_unique<CMouseAction>(PushType::Hold, false, 30, 70, 20, 90, "M1"));
  AddAction(Key(66, PushType::Hold, "K2"));
  auto root = CreateActionsXML();
  EXPECT_EQ(Summary(*root, "VKActions") + ", " + Summary(*root, "MouseActions") + ", " +
                Summary(*root, "MouseWheelActions"),
            "K1 K2, M1, W1");
}

}  // namespace
