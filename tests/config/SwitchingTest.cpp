// Automatic profile switching by the title of the window that becomes active.
#include <gtest/gtest.h>

#include "ConfigFixture.h"

namespace {

class SwitchingTest : public ConfigFixture {
 protected:
  void SetUp() override {
    Plug(0);
    Plug(1);
    world.Write("Bad.xml", "<NotAProfile/>");
    world.Write("Other.xml", ButtonProfile("C", " ID=\"7\" name=\"Another Pad\""));
  }
  void Switch(const char* title) { configuration->SwitchProfileForWindow(title); }
  // "Game" rule to `file` for one entry.
  static std::string Entry(const char* attributes, const char* file = "B.xml") {
    return std::string("<Joystick ") + attributes + "><Profile window=\"Game\" fileName=\"" + file +
           "\"/></Joystick>";
  }
  std::string Slots() { return Slot(0) + " [" + Slot(1) + "] " + Slot(5); }
};

TEST_F(SwitchingTest, RulesInFileOrderPickTheProfile) {
  const struct {
    const char* name;
    std::string entries;
    std::vector<std::pair<const char*, const char*>> steps;  // title, Slots()
  } cases[] = {
      {"the first matching rule wins and the default comes back",
       "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Editor\" fileName=\"B.xml\"/>"
       "<Profile window=\"Text\" fileName=\"C.xml\"/></Joystick>",
       {{"Text Editor", "B.xml* [] -"},
        {"Some Text", "C.xml* [] -"},
        {"Desktop", "A.xml* [] -"},
        {"Desktop", "A.xml* [] -"}}},
      {"titles are case-sensitive, file names are not",
       "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Editor\" fileName=\"a.XML\"/>"
       "</Joystick>",
       {{"editor", "A.xml* [] -"}, {"Editor", "A.xml* [] -"}}},
      {"a matching rule in force stops the search",
       "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Edit\" fileName=\"B.xml\"/>"
       "<Profile window=\"Editor\" fileName=\"C.xml\"/></Joystick>",
       {{"Edit", "B.xml* [] -"}, {"Editor", "B.xml* [] -"}}},
      {"an empty window text matches every title; a rule without one is skipped",
       "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile fileName=\"C.xml\"/>"
       "<Profile window=\"\" fileName=\"B.xml\"/></Joystick>",
       {{"", "B.xml* [] -"}, {nullptr, "B.xml* [] -"}}},
      {"disabled entries and entries without a default never switch",
       Entry("ID=\"0\" fileName=\"A.xml\" enabled=\"False\"") + Entry("ID=\"1\""),
       {{"Game", "A.xml [] -"}}},
      {"a failed load ends the pass quietly",
       Entry("ID=\"0\" fileName=\"A.xml\"", "Bad.xml") + Entry("ID=\"1\" fileName=\"A.xml\""),
       {{"Game", "A.xml* [A.xml*] -"}}},
      {"an absent controller's entry is left alone and the next one switches",
       Entry("ID=\"5\" fileName=\"A.xml\"") + Entry("ID=\"0\" fileName=\"A.xml\""),
       {{"Game", "B.xml* [] -"}, {"Other", "A.xml* [] -"}}},
      {"quiet loads accept profiles for other controllers",
       Entry("ID=\"0\" fileName=\"A.xml\"", "Other.xml"),
       {{"My Game", "Other.xml* [] -"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteConfig(c.entries);
    Make();
    for (const auto& [title, slots] : c.steps) {
      SCOPED_TRACE(title ? title : "(null)");
      CJoystick* before = configuration->GetJoystick(0);
      const std::string was = Slots();
      Switch(title);
      EXPECT_EQ(Slots(), slots);
      // No reload when the profile is already in force: the object stays.
      if (was == slots) {
        EXPECT_EQ(configuration->GetJoystick(0), before);
      }
    }
    EXPECT_EQ(Messages(), std::vector<std::string>{});
  }
  // Every profile the configuration names, the rules' too: where an action's users are sought.
  WriteConfig(cases[0].entries);
  EXPECT_EQ(Make().GetProfileFileNames(), (std::vector<std::string>{"A.xml", "B.xml", "C.xml"}));
}

}  // namespace
