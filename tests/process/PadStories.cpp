// An Xbox pad as Windows serves it, through XInput and through the joystick interface at once
// (the stand-ins xinput1_4.dll and winmm.dll): Tandrel.exe counts it once, names its triggers as
// a pad's, and runs both triggers' actions at once.

#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "resource.h"

namespace {

using namespace driver;

TEST(Pads, AnXInputPadCountsOnceNamesItsInputsAndItsTriggersActTogether) {
  ProgramFolder folder;
  folder.AddDefaultFiles();
  FakeController pad{.id = 0, .name = "Controller (XBOX 360 For Windows)", .xinput = 0};
  folder.Plug(pad);
  Program program(folder);
  Window window = program.WaitForWindow("Tandrel Configuration");
  // Once, under the name the joystick interface gives it (31 characters).
  EXPECT_EQ(window.Items(IDC_JOY_SELECT),
            std::vector<std::string>{"Controller (XBOX 360 For Window"});
  window.ChooseTab(kLiveViewTab);
  pad.leftTrigger = pad.rightTrigger = 255;
  folder.Plug(pad);
  window.WaitForText(IDC_LIVE_VIEW, "Z Axis (Left Trigger) +100 %, Z Axis (Right Trigger) -100 %");
  // Pulled out and plugged in again: it comes back (at rest) at its ID, with its profile.
  folder.Unplug(pad);
  window.WaitForText(IDC_LIVE_JOYSTICK, "(unplugged)");
  pad.leftTrigger = pad.rightTrigger = 0;
  folder.Plug(pad);
  window.WaitForText(IDC_LIVE_VIEW, "Z Axis (Left Trigger) 0 %, Z Axis (Right Trigger) 0 %");
  window.Click(IDOK);
  program.WatchKeys();
  pad.leftTrigger = pad.rightTrigger = 255;  // Page Up and Page Down together
  folder.Plug(pad);
  program.WaitForKey(VK_PRIOR);
  program.WaitForKey(VK_NEXT);
  pad.leftTrigger = pad.rightTrigger = 0;  // let go before the icon's menu reads keys
  folder.Plug(pad);
  program.WaitForKey(VK_PRIOR, false);
  program.WaitForKey(VK_NEXT, false);
  program.ExitThroughIconMenu();
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
