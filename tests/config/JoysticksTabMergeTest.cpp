// The merge of the Joysticks tab's state into a configuration document.
#include <gtest/gtest.h>

#include "config/JoysticksTabMerge.h"
#include "xml/XMLReader.h"

namespace {

std::string Merge(const std::string& text, const JoysticksTabState& tab) {
  XMLReadResult read = ReadXMLMemory(text.data(), text.size());
  EXPECT_EQ(read.status, XMLReadStatus::Ok);
  MergeJoysticksTab(*read.root, tab);
  std::string out = read.root->ToText();
  // Easier to read: one element a line, no CR, no indentation.
  std::string compact;
  for (char ch : out) {
    if (ch != '\r' && ch != '\t') compact += ch;
  }
  return compact;
}

TEST(JoysticksTabMerge, ExistingEntriesAreUpdatedInPlace) {
  JoysticksTabState tab;
  tab.controllers[1] = {"New.xml", "", false};
  EXPECT_EQ(Merge("<C><LaunchOnStartup value='true' x='1'/><Actions fileName='Mine.xml'/>"
                  "<Joysticks><Joystick picture='p.bmp' ID='1' fileName='Old.xml' "
                  "enabled='FALSE' enabled='x'><Profile window='W' fileName='R.xml'/>"
                  "</Joystick></Joysticks></C>",
                  tab),
            "<C >\n<LaunchOnStartup value = \"false\" x = \"1\" />\n"
            "<Actions fileName = \"Mine.xml\" />\n<Joysticks >\n"
            "<Joystick ID = \"1\" fileName = \"New.xml\" enabled = \"false\" enabled = \"x\" >\n"
            "<Profile window = \"W\" fileName = \"R.xml\" />\n</Joystick>\n"
            "</Joysticks>\n</C>\n");
}

TEST(JoysticksTabMerge, EnablingRemovesTheAttributeAndAPictureAloneKeepsTheFileName) {
  JoysticksTabState tab;
  tab.controllers[0].picture = "pad.bmp";
  EXPECT_EQ(Merge("<C><Joysticks><Joystick ID='0' fileName='A.xml' enabled='false' "
                  "enabled='false'/></Joysticks></C>",
                  tab),
            "<C >\n<Joysticks >\n<Joystick ID = \"0\" fileName = \"A.xml\" picture = "
            "\"pad.bmp\" />\n</Joysticks>\n<LaunchOnStartup value = \"false\" />\n"
            "<Actions fileName = \"Actions.xml\" />\n</C>\n");
}

// Only the first entry of an ID goes, as the tab has always done.
TEST(JoysticksTabMerge, IdsWithoutDataLoseTheirFirstEntryWithItsRules) {
  JoysticksTabState tab;
  tab.controllers[0].profile = "A.xml";
  EXPECT_EQ(Merge("<C><Actions fileName='A'/><Joysticks><Joystick ID='3' fileName='X'>"
                  "<Profile window='W' fileName='Y'/></Joystick><Joystick ID='3' "
                  "fileName='Z'/><Joystick fileName='no id'/><Joystick ID='0'/>"
                  "</Joysticks></C>",
                  tab),
            "<C >\n<Actions fileName = \"A\" />\n<Joysticks >\n"
            "<Joystick ID = \"3\" fileName = \"Z\" />\n<Joystick fileName = \"no id\" />\n"
            "<Joystick ID = \"0\" fileName = \"A.xml\" />\n</Joysticks>\n"
            "<LaunchOnStartup value = \"false\" />\n</C>\n");
}

TEST(JoysticksTabMerge, NewEntriesAreAppendedInIdOrderWithTheIdFirst) {
  JoysticksTabState tab;
  tab.controllers[12] = {"T.xml", "t.bmp", false};
  tab.controllers[4] = {"F.xml", "", true};
  EXPECT_EQ(Merge("<Configuration><Joysticks><Joystick ID='9' fileName='N'/></Joysticks>"
                  "</Configuration>",
                  tab),
            "<Configuration >\n<Joysticks >\n"
            "<Joystick ID = \"4\" fileName = \"F.xml\" />\n"
            "<Joystick ID = \"12\" fileName = \"T.xml\" enabled = \"false\" picture = "
            "\"t.bmp\" />\n</Joysticks>\n<LaunchOnStartup value = \"false\" />\n"
            "<Actions fileName = \"Actions.xml\" />\n</Configuration>\n");
}

TEST(JoysticksTabMerge, NoJoysticksElementIsMadeWithoutAProfile) {
  JoysticksTabState tab;
  tab.controllers[0].picture = "only.bmp";
  EXPECT_EQ(Merge("<Configuration/>", tab),
            "<Configuration >\n<LaunchOnStartup value = \"false\" />\n"
            "<Actions fileName = \"Actions.xml\" />\n</Configuration>\n");
  tab.controllers[1].profile = "P.xml";
  EXPECT_EQ(Merge("<Configuration/>", tab),
            "<Configuration >\n<LaunchOnStartup value = \"false\" />\n"
            "<Actions fileName = \"Actions.xml\" />\n<Joysticks >\n"
            "<Joystick ID = \"0\" picture = \"only.bmp\" />\n"
            "<Joystick ID = \"1\" fileName = \"P.xml\" />\n</Joysticks>\n</Configuration>\n");
}

}  // namespace
