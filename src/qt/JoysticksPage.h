// The Joysticks tab: for each controller present when the window opened, its default profile,
// whether it is enabled and its picture, and "Launch On Startup" (the XDG autostart entry). Its
// edits are merged into the configuration file by CTandrelConfiguration::SaveJoysticksTab when
// the window applies, as the Windows tab's are.
#pragma once

#include <QLabel>
#include <array>
#include <optional>
#include <string>

#include "platform/Types.h"
#include "qt/ConfigPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace qtui {

// The picture, which opens its menu ("Change", "Remove") when clicked.
class PictureLabel : public QLabel {
 public:
  explicit PictureLabel(std::function<void(QPoint)> clicked) : clicked_(std::move(clicked)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const std::function<void(QPoint)> clicked_;
};

class JoysticksPage : public ConfigPage {
 public:
  JoysticksPage(const WindowContext& context, std::function<void()> changedStateChanged);

  void Apply() override;

  QCheckBox* LaunchBox() const { return launch_; }
  QComboBox* ControllerList() const { return select_; }
  QLineEdit* ProfileField() const { return profile_; }
  QPushButton* ChangeButton() const { return change_; }
  QPushButton* RemoveButton() const { return remove_; }
  QCheckBox* EnabledBox() const { return enabled_; }
  PictureLabel* Picture() const { return picture_; }
  // The picture menu's two commands, as its items run them.
  void ChangePicture();
  void RemovePicture();

 private:
  struct Controller {
    bool present = false;
    bool notPolling = false;  // enabled, but its profile could not be loaded
    std::optional<std::string> profile;
    std::optional<std::string> picture;
    bool enabled = false;
  };

  void Fill();
  Controller* Find(int id);
  void ShowController();
  void ShowPicture();
  void ChooseProfile();
  void RemoveProfile();
  void ShowPictureMenu(QPoint at);
  std::optional<std::string> ChooseFile(const char* title, const char* filterName,
                                        const char* filterPattern);

  QCheckBox* launch_;
  QComboBox* select_;
  QLineEdit* profile_;
  QPushButton* change_;
  QPushButton* remove_;
  QCheckBox* enabled_;
  QLabel* state_;
  QLabel* none_;
  PictureLabel* picture_;
  std::array<Controller, seam::kMaxJoysticks> controllers_{};
  int current_ = -1;
  bool launchOnStartup_ = false;
};

}  // namespace qtui
