// The README and the manual as a user reads them: they describe every button and hat direction
// of the default profile, in each of its layers, and spell the start-up switch as the program
// writes it into the start-up entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string Read(const std::string& file) {
  std::ostringstream text;
  text << std::ifstream(std::string(TANDREL_SOURCE_DIR) + "/" + file, std::ios::binary).rdbuf();
  return text.str();
}

TEST(Documents, DescribeTheDefaultProfileAndSpellTheSwitchOneWay) {
  const std::string profile = Read("data/Gamepad.xml");
  for (const char* document : {"README.md", "data/Tandrel.html"}) {
    const std::string text = Read(document);
    ASSERT_FALSE(text.empty()) << document;
    // Every button and hat direction with an action in either layer has a row of its own.
    const std::regex button("<Button number = \"(\\d+)\"");
    for (std::sregex_iterator b(profile.begin(), profile.end(), button), end; b != end; ++b) {
      const std::string row = "Button " + (*b)[1].str();
      EXPECT_TRUE(std::regex_search(text, std::regex("(\\| |<td>)" + row + "[ <]")))
          << document << ": " << row;
    }
    for (const char* row : {"Hat up and down", "Hat right and left"})
      EXPECT_NE(text.find(row), std::string::npos) << document << ": " << row;
    for (const char* second :
         {"Backspace", "Page Up and Page Down", "Tab and Shift+Tab", "Alt+Tab"})
      EXPECT_NE(text.find(second), std::string::npos) << document << ": " << second;
    // The switch, in any case, is written one way.
    std::string lower = text;
    std::transform(text.begin(), text.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    for (auto at = lower.find("/noconfigure"); at != std::string::npos;
         at = lower.find("/noconfigure", at + 1))
      EXPECT_EQ(text.substr(at, 12), "/NoConfigure") << document;
  }
}

}  // namespace
