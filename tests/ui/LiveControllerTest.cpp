// The controller seen while configuring: the Live View tab following a scripted controller, and
// Detect on the Profile tab picking inputs by their press while the controller's actions are
// held back.

#include "WindowTestWorld.h"

namespace {

class LiveControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.Write("Tandrel.exe.config", R"(<Configuration >
<Actions fileName = "Actions.xml" />
<Joysticks ><Joystick ID = "0" fileName = "Pad.xml" /><Joystick ID = "1" fileName = "Pad.xml" />
</Joysticks>
</Configuration>)");
    // Button 1 holds Tab, button 3 holds Enter; X towards its max has entries at 0 and 50 %.
    // The profile names no controller: Detect takes the only one plugged in.
    test.Write("Pad.xml", R"(<Joystick ><Buttons >
<Button number = "1" ><Actions ><Action number = "0" theme = "Keys" name = "Tab" /></Actions></Button>
<Button number = "3" ><Actions ><Action number = "0" theme = "Keys" name = "Enter" /></Actions></Button>
</Buttons><Axes ><Axis name = "X Axis" type = "horizontal" threshold = "10000" >
<Direction name = "Right" ><Actions ><Action number = "0" theme = "Keys" name = "Tab" />
<Action number = "0" theme = "Keys" name = "Enter" percent = "50" /></Actions></Direction>
<Direction name = "Left" /></Axis></Axes></Joystick>)");
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("XY", 8, true, 0, 65535, "Pad One"));
    test.StartConfiguration();
  }
  // Lets the controller poll (virtual time).
  void Poll() { test.world.Advance(100); }
  // The key events of the keys, as "d" (down) and "u" (up) per event, in order.
  std::string Keys(std::uint8_t key) {
    std::string text;
    for (const auto& e : test.world.input().Log()) {
      if (e.IsKey() && e.vk == key) text += e.IsKeyDown() ? 'd' : 'u';
    }
    return text;
  }

  WindowTestWorld test;
};

TEST_F(LiveControllerTest, TheLiveViewFollowsTheController) {
  Poll();
  OpenWindow open(test, 3);
  const auto said = [&] { return TextOf(open.page, IDC_LIVE_VIEW); };
  EXPECT_EQ(SelectedText(open.page, IDC_LIVE_JOYSTICK), "Pad One");
  EXPECT_TRUE(Eventually([&] {
    return said() ==
           "Buttons down: none. Hat: centred. X Axis 0 %, Y Axis 0 %. Profile: Pad.xml, shift "
           "state 0.";
  })) << said();
  // X three quarters of the way from the dead zone's edge (37767.5) to its end: +75 %.
  test.world.joysticks().PressButton(0, 2);
  test.world.joysticks().PressButton(0, 8);
  test.world.joysticks().SetPov(0, 9000);
  test.world.joysticks().SetAxis(0, 'X', 58594);
  test.world.joysticks().SetAxis(0, 'Y', 0);
  Poll();
  EXPECT_TRUE(Eventually([&] {
    return said() ==
           "Buttons down: 2, 8. Hat: Right. X Axis +75 %, Y Axis -100 %. Profile: Pad.xml, shift "
           "state 0.";
  })) << said();

  // Shown here, the controller does nothing (button 1 holds Tab) unless the box lets it act.
  auto& pad = test.world.joysticks();
  const auto tap = [&] {
    pad.PressButton(0, 1);
    Poll();
    pad.ReleaseButton(0, 1);
    Poll();
    return Keys(VK_TAB);
  };
  EXPECT_EQ(tap(), "");
  Click(open.page, IDC_LIVE_ACT);
  EXPECT_EQ(tap(), "du");
  // A pad plugged in joins the list; the one shown, pulled out, is said to be.
  pad.Plug(1, seam::MakeJoystickCaps("XY", 4, false, 0, 65535, "Pad Two"));
  pad.Unplug(0);
  test.world.Advance(1000);
  EXPECT_TRUE(Eventually([&] {
    return ItemsOf(open.page, IDC_LIVE_JOYSTICK) == Items{"Pad Two", "Pad One (unplugged)"};
  }));
  EXPECT_EQ(TextOf(open.page, IDC_LIVE_STATUS), "The Joystick was unplugged.");
}

TEST_F(LiveControllerTest, DetectPicksInputsAndHoldsTheControllersActionsBack) {
  auto& pad = test.world.joysticks();
  OpenWindow open(test, 1);
  HWND page = open.page;
  Poll();  // a button counts once it has been seen up
  pad.PressButton(0, 1);
  Poll();
  ASSERT_EQ(Keys(VK_TAB), "d");
  Click(page, IDC_PROF_DETECT);
  // Tab goes up once as detection starts; nothing fires while it waits.
  EXPECT_EQ(Keys(VK_TAB), "du");
  EXPECT_EQ(TextOf(page, IDC_PROF_DETECT) + "|" + TextOf(page, IDC_PROF_DETECT_STATE),
            "Stop|Press an input now (Esc stops).");
  pad.ReleaseButton(0, 1);
  pad.PressButton(0, 3);
  Poll();
  EXPECT_TRUE(Eventually([&] { return TextOf(page, IDC_PROF_DETECT) == "Detect"; }));
  EXPECT_EQ(SelectedText(page, IDC_PROF_ELEMENT), "Button 3");
  EXPECT_EQ(TextOf(page, IDC_PROF_DETECT_STATE), "Found: Button 3");
  EXPECT_EQ(SelectedText(page, IDC_PROF_ACTION), "Enter");
  // The button found, still held, fires only once pressed again.
  Poll();
  EXPECT_EQ(Keys(VK_RETURN), "");
  pad.ReleaseButton(0, 3);
  Poll();
  pad.PressButton(0, 3);
  Poll();
  EXPECT_EQ(Keys(VK_RETURN), "d");
  pad.ReleaseButton(0, 3);
  Poll();

  // A hat direction; Esc on the keyboard stops; 10 s without input end
  // it; the window stays open through all of it.
  const auto detect = [&](const std::function<void()> press) {
    Click(page, IDC_PROF_DETECT);
    press();
    Poll();
    EXPECT_TRUE(Eventually([&] { return TextOf(page, IDC_PROF_DETECT) == "Detect"; }));
    return SelectedText(page, IDC_PROF_ELEMENT) + "|" + TextOf(page, IDC_PROF_DETECT_STATE);
  };
  EXPECT_EQ(detect([&] { pad.SetPov(0, 18000); }), "POV Backward|Found: POV Backward");
  // Esc stops it wherever the focus is, and does nothing else.
  EXPECT_EQ(detect([&] {
              SendMessageA(page, WM_NEXTDLGCTL,
                           reinterpret_cast<WPARAM>(Control(page, IDC_PROF_ELEMENT)), TRUE);
              PressKey(VK_ESCAPE);
            }),
            "POV Backward|");
  EXPECT_EQ(detect([&] { test.world.Advance(10000); }),
            "POV Backward|Nothing was pressed in 10 s.");
  EXPECT_EQ(detect([&] {
              pad.Unplug(0);
              test.world.Advance(1000);
            }),
            "POV Backward|The Joystick was unplugged.");
  EXPECT_TRUE(open.window.IsRunning());
  EXPECT_EQ(Keys(VK_TAB) + Keys(VK_RETURN), "dudu");
}

}  // namespace
