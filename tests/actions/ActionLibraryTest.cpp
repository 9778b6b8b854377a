// The action library: lookups, themes, adding and deleting, and the actions file read from
// and written to disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ActionTestSupport.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "xml/XMLNode.h"

namespace {

std::unique_ptr<CAction> Key(const char* theme, const char* name, unsigned char key = 0x41,
                             PushType type = PushType::Hold) {
  auto a = std::make_unique<CVKAction>(key, type, name);
  a->SetTheme(theme);
  return a;
}

std::unique_ptr<CAction> Combo(const char* theme, const char* name,
                               std::vector<const CAction*> parts) {
  return std::make_unique<CComplexAction>(PushType::Hold, parts, name, theme, false);
}

std::vector<std::string> Names(const std::vector<CAction*>& actions) {
  std::vector<std::string> names;
  for (const CAction* a : actions) names.push_back(a->GetName());
  return names;
}

class ActionLibraryTest : public actiontest::ActionTest {
 protected:
  ActionLibraryTest() { folder = world.UseTempProgramFolder(); }

  void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(folder + name, std::ios::binary) << text;
  }
  std::string ReadFile(const std::string& name) {
    std::ifstream in(folder + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The names of the elements of a group in the tree, in order.
  static std::vector<std::string> GroupNames(const CXMLNode& root, const char* group) {
    std::vector<std::string> names;
    for (const auto& child : root.FindChild(group, nullptr)->Children()) {
      names.push_back(child->FindAttribute("name")->Value());
    }
    return names;
  }

  std::string folder;
};

TEST_F(ActionLibraryTest, FindsIgnoringCaseAndRefusesDuplicates) {
  EXPECT_TRUE(AddAction(Key("Game", "Fire")));
  EXPECT_NE(FindAction("GAME", "fire"), nullptr);
  EXPECT_TRUE(ActionExists("game", "FIRE"));
  EXPECT_FALSE(ActionExists("Game", "Fir"));
  EXPECT_FALSE(ActionExists("Gam", "Fire"));
  EXPECT_EQ(FindAction(nullptr, "Fire"), nullptr);
  auto duplicate = Key("gAME", "fIRE");
  const CAction* kept = duplicate.get();
  EXPECT_FALSE(AddAction(std::move(duplicate)));
  EXPECT_EQ(duplicate.get(), kept);  // the caller keeps what was refused
  EXPECT_EQ(GetActionsOfTheme("game").size(), 1u);
}

TEST_F(ActionLibraryTest, CloneActionGivesAPrivateCopy) {
  AddAction(Key("Game", "Fire", 0x20));
  auto clone = CloneAction("game", "fire");
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(clone.get(), FindAction("Game", "Fire"));
  EXPECT_TRUE(clone->IsEqual(FindAction("Game", "Fire")));
  EXPECT_EQ(CloneAction("Game", "Jump"), nullptr);
}

TEST_F(ActionLibraryTest, ThemesInOrderOfFirstAppearanceAndNeverRemoved) {
  AddAction(Key("B", "1"));
  AddAction(Key("a", "2"));
  AddAction(Key("b", "3"));
  AddAction(Key("", "4"));
  ASSERT_EQ(GetThemeCount(), 3);
  EXPECT_STREQ(GetThemeName(0), "B");
  EXPECT_STREQ(GetThemeName(1), "a");
  EXPECT_STREQ(GetThemeName(2), "");
  EXPECT_EQ(GetThemeName(3), nullptr);
  EXPECT_EQ(GetThemeName(-1), nullptr);
  EXPECT_TRUE(IsThemeKnown("A"));
  EXPECT_FALSE(IsThemeKnown("C"));
  EXPECT_EQ(Names(GetActionsOfTheme("b")), (std::vector<std::string>{"1", "3"}));
  EXPECT_TRUE(DeleteAction("A", "2"));
  EXPECT_EQ(GetThemeCount(), 3);  // the emptied theme stays
  EXPECT_TRUE(GetActionsOfTheme("a").empty());
  ClearActions();
  EXPECT_EQ(GetThemeCount(), 0);
  EXPECT_EQ(FindAction("B", "1"), nullptr);
}

TEST_F(ActionLibraryTest, DeleteRefusesAnActionInUseByACombination) {
  AddAction(Key("A", "B"));
  AddAction(Combo("X", "Uses", {FindAction("A", "B")}));
  EXPECT_FALSE(DeleteAction("a", "b"));
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            "Cannot delete the action \"b\" because it is in use by one or more actions.");
  EXPECT_EQ(messages[0].caption, "Error");
  EXPECT_EQ(messages[0].icon, seam::MessageIcon::Information);
  EXPECT_NE(FindAction("A", "B"), nullptr);
  // Once the combination is gone, the action can go.
  EXPECT_TRUE(DeleteAction("X", "Uses"));
  EXPECT_TRUE(DeleteAction("A", "B"));
  EXPECT_FALSE(DeleteAction("A", "B"));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ActionLibraryTest, ADeletedNameCanBeAddedAgain) {
  AddAction(Key("T", "N", 0x41));
  EXPECT_TRUE(DeleteAction("T", "N"));
  EXPECT_TRUE(AddAction(Key("t", "n", 0x42)));
  EXPECT_EQ(dynamic_cast<CVKAction*>(FindAction("T", "N"))->GetKey(), 0x42);
}

TEST_F(ActionLibraryTest, TheLockIsRecursiveForCallersThatHoldIt) {
  AddAction(Key("T", "N"));
  auto lock = LockActionLibrary();
  CAction* a = FindAction("T", "N");
  ASSERT_NE(a, nullptr);
  EXPECT_NE(CloneAction("T", "N"), nullptr);
  a->SetPushType(PushType::Hit);  // an edit in place under the lock
  EXPECT_EQ(GetThemeCount(), 1);
}

// The actions file.

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

TEST_F(ActionLibraryTest, WritesTheDocumentedExample) {
  AddAction(Key("Menus", "Enter", 0x0D, PushType::Hit));
  auto confirm = std::make_unique<CComplexAction>(PushType::Hold, "Confirm");
  confirm->SetTheme("Menus");
  auto part = CloneAction("Menus", "Enter");
  part->SetPushType(PushType::Hold);
  confirm->AdoptAction(std::move(part));
  AddAction(std::move(confirm));
  EXPECT_EQ(CreateActionsXML()->ToText(), kExampleFile);
}

TEST_F(ActionLibraryTest, AnEmptyLibraryWritesFourEmptyGroups) {
  EXPECT_EQ(CreateActionsXML()->ToText(),
            "<Actions >\r\n\t<VKActions />\r\n\t<MouseActions />\r\n\t<MouseWheelActions />\r\n"
            "\t<ComplexActions />\r\n</Actions>\r\n");
}

TEST_F(ActionLibraryTest, LoadsAFileAndSavesItBackByteForByte) {
  WriteFile("Actions.xml", kExampleFile);
  EXPECT_TRUE(LoadActions("Actions.xml"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_NE(FindAction("menus", "confirm"), nullptr);
  EXPECT_TRUE(SaveActions("Saved.xml"));
  EXPECT_EQ(ReadFile("Saved.xml"), kExampleFile);
}

TEST_F(ActionLibraryTest, LoadsEveryKindInGroupOrderWhateverTheRootIsCalled) {
  WriteFile("a.xml",
            "<Stuff><ComplexActions><ComplexAction name='C'>"
            "<CombinedAction theme='' name='W'/><CombinedAction theme='' name='K'/>"
            "</ComplexAction></ComplexActions>"
            "<mousewheelactions><MouseWheelAction name='W' direction='down'/></mousewheelactions>"
            "<MouseActions><MouseAction name='M' direction='90'/></MouseActions>"
            "<VKActions><VKAction name='K' value='a'/><Other name='X'/></VKActions></Stuff>");
  EXPECT_TRUE(LoadActions("a.xml"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Names(GetActionsOfTheme("")), (std::vector<std::string>{"K", "M", "W", "C"}));
}

TEST_F(ActionLibraryTest, ALaterDuplicateIsDroppedSilently) {
  WriteFile("a.xml",
            "<Actions><VKActions><VKAction theme='X' name='Fire' value='0x41'/>"
            "<VKAction theme='x' name='Fire' value='0x42'/></VKActions></Actions>");
  EXPECT_TRUE(LoadActions("a.xml"));
  EXPECT_TRUE(Messages().empty());
  ASSERT_EQ(GetActionsOfTheme("X").size(), 1u);
  EXPECT_EQ(dynamic_cast<CVKAction*>(FindAction("X", "Fire"))->GetKey(), 0x41);
}

TEST_F(ActionLibraryTest, BadElementsAreReportedAndSkippedWhileLoadingGoesOn) {
  WriteFile("a.xml",
            "<Actions><VKActions><VKAction name='Bad'/><VKAction name='Good' value='0x41'/>"
            "</VKActions><ComplexActions><ComplexAction name='C'>"
            "<CombinedAction theme='' name='Missing'/></ComplexAction>"
            "<ComplexAction name='D'><CombinedAction theme='' name='Good'/></ComplexAction>"
            "</ComplexActions></Actions>");
  EXPECT_TRUE(LoadActions("a.xml"));
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "The VKAction \"Bad\" doesn't have a value.");
  EXPECT_EQ(messages[1].text,
            "The ComplexAction \"C\" asked for an undefined action: \"Missing\".");
  EXPECT_EQ(Names(GetActionsOfTheme("")), (std::vector<std::string>{"Good", "D"}));
}

TEST_F(ActionLibraryTest, ACombinationMayUseOnlyCombinationsListedBeforeIt) {
  WriteFile("a.xml",
            "<Actions><VKActions><VKAction name='K' value='0x41'/></VKActions><ComplexActions>"
            "<ComplexAction name='Early'><CombinedAction theme='' name='Late'/></ComplexAction>"
            "<ComplexAction name='Late'><CombinedAction theme='' name='K'/></ComplexAction>"
            "<ComplexAction name='After'><CombinedAction theme='' name='Late'/></ComplexAction>"
            "</ComplexActions></Actions>");
  EXPECT_TRUE(LoadActions("a.xml"));
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Names(GetActionsOfTheme("")), (std::vector<std::string>{"K", "Late", "After"}));
}

TEST_F(ActionLibraryTest, LoadingAddsToTheLibraryAndItsCombinationsSeeIt) {
  AddAction(Key("", "Old"));
  WriteFile("a.xml",
            "<Actions><VKActions><VKAction name='OLD' value='0x42'/></VKActions><ComplexActions>"
            "<ComplexAction name='C'><CombinedAction theme='' name='old'/></ComplexAction>"
            "</ComplexActions></Actions>");
  EXPECT_TRUE(LoadActions("a.xml"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Names(GetActionsOfTheme("")), (std::vector<std::string>{"Old", "C"}));
  const auto* combo = dynamic_cast<CComplexAction*>(FindAction("", "C"));
  EXPECT_EQ(dynamic_cast<CVKAction&>(*combo->GetActions()[0]).GetKey(), 0x41);
}

TEST_F(ActionLibraryTest, AMissingFileIsReportedWithThePathAsGiven) {
  EXPECT_FALSE(LoadActions("Missing.xml"));
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Could not open the file \"Missing.xml\".");
  EXPECT_EQ(messages[0].caption, "Configuration Error");
  EXPECT_EQ(GetThemeCount(), 0);
}

TEST_F(ActionLibraryTest, AMalformedFileFailsSilently) {
  WriteFile("a.xml", "<Actions><VKActions><VKAction name='K' value='0x41'/></VKActions>");
  EXPECT_FALSE(LoadActions("a.xml"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(GetThemeCount(), 0);
}

TEST_F(ActionLibraryTest, ReloadReplacesTheLibraryAndEmptiesItOnFailure) {
  AddAction(Key("", "Old"));
  WriteFile("a.xml",
            "<Actions><VKActions><VKAction name='New' value='0x41'/>"
            "<VKAction name='old' value='0x42'/></VKActions><ComplexActions>"
            "<ComplexAction name='C'><CombinedAction theme='' name='OLD'/></ComplexAction>"
            "</ComplexActions></Actions>");
  EXPECT_TRUE(ReloadActions("a.xml"));
  EXPECT_EQ(Names(GetActionsOfTheme("")), (std::vector<std::string>{"New", "old", "C"}));
  // The combination took the file's own "old", not the replaced library's.
  const auto* combo = dynamic_cast<CComplexAction*>(FindAction("", "C"));
  EXPECT_EQ(dynamic_cast<CVKAction&>(*combo->GetActions()[0]).GetKey(), 0x42);
  EXPECT_FALSE(ReloadActions("gone.xml"));
  EXPECT_EQ(GetThemeCount(), 0);
  EXPECT_EQ(FindAction("", "New"), nullptr);
}

TEST_F(ActionLibraryTest, ACombinationIsWrittenAfterTheLaterOneItUses) {
  AddAction(Key("", "K"));
  AddAction(Combo("", "X", {}));
  AddAction(Combo("", "Y", {FindAction("", "K")}));
  // X edited in place to use Y, which comes after it in the library.
  {
    auto lock = LockActionLibrary();
    dynamic_cast<CComplexAction*>(FindAction("", "X"))->AppendAction(FindAction("", "Y"));
  }
  auto root = CreateActionsXML();
  EXPECT_EQ(GroupNames(*root, "ComplexActions"), (std::vector<std::string>{"Y", "X"}));
  // The written file loads back whole.
  SaveActions("a.xml");
  ClearActions();
  EXPECT_TRUE(LoadActions("a.xml"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_NE(FindAction("", "X"), nullptr);
}

TEST_F(ActionLibraryTest, PulledForwardCombinationsBringWhatTheyUse) {
  // Library order X, Z, Y where X uses Y and Y uses Z: the file must hold Z before Y before X.
  AddAction(Key("", "K"));
  AddAction(Combo("", "X", {}));
  AddAction(Combo("", "Z", {FindAction("", "K")}));
  AddAction(Combo("", "Y", {FindAction("", "Z")}));
  {
    auto lock = LockActionLibrary();
    dynamic_cast<CComplexAction*>(FindAction("", "X"))->AppendAction(FindAction("", "Y"));
  }
  auto root = CreateActionsXML();
  EXPECT_EQ(GroupNames(*root, "ComplexActions"), (std::vector<std::string>{"Z", "Y", "X"}));
  SaveActions("a.xml");
  ClearActions();
  EXPECT_TRUE(LoadActions("a.xml"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(GetActionsOfTheme("").size(), 4u);
}

TEST_F(ActionLibraryTest, CombinationsThatUseEachOtherAreEachWrittenOnce) {
  AddAction(Key("", "K"));
  AddAction(Combo("", "P", {FindAction("", "K")}));
  AddAction(Combo("", "Q", {FindAction("", "P")}));
  {
    auto lock = LockActionLibrary();
    dynamic_cast<CComplexAction*>(FindAction("", "P"))->AppendAction(FindAction("", "Q"));
  }
  auto root = CreateActionsXML();
  EXPECT_EQ(GroupNames(*root, "ComplexActions"), (std::vector<std::string>{"Q", "P"}));
}

TEST_F(ActionLibraryTest, WritingKeepsLibraryOrderWithinEachGroup) {
  AddAction(std::make_unique<CMouseWheelAction>(PushType::Hold, 30, 0, 3, "W1"));
  AddAction(Key("", "K1"));
  AddAction(std::make_unique<CMouseAction>(PushType::Hold, false, 30, 70, 20, 90, "M1"));
  AddAction(Key("", "K2"));
  AddAction(Combo("", "C1", {FindAction("", "K1")}));
  AddAction(Combo("", "C2", {FindAction("", "K2")}));
  auto root = CreateActionsXML();
  EXPECT_EQ(GroupNames(*root, "VKActions"), (std::vector<std::string>{"K1", "K2"}));
  EXPECT_EQ(GroupNames(*root, "MouseActions"), (std::vector<std::string>{"M1"}));
  EXPECT_EQ(GroupNames(*root, "MouseWheelActions"), (std::vector<std::string>{"W1"}));
  EXPECT_EQ(GroupNames(*root, "ComplexActions"), (std::vector<std::string>{"C1", "C2"}));
}

TEST_F(ActionLibraryTest, AFailedSaveKeepsThePreviousFile) {
  WriteFile("Actions.xml", kExampleFile);
  AddAction(Key("", "K"));
  EXPECT_FALSE(SaveActions("NoSuchFolder/Actions.xml"));
  std::filesystem::create_directory(folder + "Blocked.xml");  // a folder where the file goes
  EXPECT_FALSE(SaveActions("Blocked.xml"));
  EXPECT_EQ(ReadFile("Actions.xml"), kExampleFile);
  EXPECT_TRUE(SaveActions((folder + "Actions.xml").c_str()));  // absolute paths as given
  EXPECT_NE(ReadFile("Actions.xml"), kExampleFile);
}

}  // namespace
