// The Joysticks page of the configuration window: the default profile, enabled state and picture of
// each present controller, and launching on start-up. It keeps its edits in memory and merges
// them into the configuration file when the window applies its pages; it keeps no pointer to a
// controller object, which hot-plugging or profile switching may replace at any time.
// Main thread only.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/Types.h"
#include "ui/ConfigurationPage.h"
#include "ui/GdiHandles.h"
#include "ui/PictureBox.h"

class CJoysticksConfigurationDlg : public CConfigurationPage {
 public:
  CJoysticksConfigurationDlg(const ui::WindowServices& services, ui::PageHost host, HWND parent);

  void Apply() override;
  bool OnCommand(int id, int code) override;
  // Fills the page from the running configuration, every time the window opens.
  void OnInitDialog() override;

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MakeLabelFont();

  // The page's copy of one controller's settings; nothing is a value the file does not hold.
  struct Controller {
    bool present = false;     // the page holds data for it: it had an object when filled
    bool notPolling = false;  // enabled with a profile, yet not polling: the profile failed
    bool enabled = false;
    std::optional<std::string> profile;
    std::optional<std::string> picture;
  };

  // Once the page is filled, each setter marks it changed. IDs outside 0..15 are ignored.
  void SetEnabled(int id, bool enabled);
  void SetProfileFile(int id, std::optional<std::string> file);
  void SetPictureFile(int id, std::optional<std::string> file);
  void MarkChangedOnceFilled();
  Controller* Find(int id);

  void ShowController();
  void ShowPicture(int id);
  void ChooseProfile();
  void RemoveProfile();
  void ChoosePicture();
  void ShowPictureMenu();
  bool FitsTheConfiguration(const std::string& path);
  // The open-file dialog of the Change buttons; none when the user cancelled or the path is
  // too long for the configuration file (which is said).
  std::optional<std::string> ChooseFile(const char* title, const char* filterName,
                                        const char* filterPattern);

  std::array<Controller, seam::kMaxJoysticks> controllers_;
  bool filled_ = false;
  int current_ = -1;  // the controller shown; -1 when none is present
  bool launchOnStartup_ = false;
  ui::PictureBox picture_;
  ui::FontHandle labelFont_;
};
