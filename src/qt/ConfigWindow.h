// The Linux configuration window, "Tandrel Configuration": the tabs Joysticks, Profiles, Actions
// and Live View, and OK, Cancel and "&Apply", which behave as on Windows: Apply writes every
// page's edits and reloads the configuration (CTandrelConfiguration::Load); OK does the same and
// closes unless a page could not write its edits; Cancel, Esc and the close button reload
// without writing (the action library edited in memory goes back to its file) and close. A new
// window is made for every opening, so its pages show the configuration as it is then.
#pragma once

#include <QDialog>
#include <memory>

#include "qt/ConfigPage.h"

class QPushButton;
class QTabWidget;

namespace qtui {

class ActionsPage;
class JoysticksPage;
class LiveViewPage;
class ProfilesPage;

class ConfigWindow : public QDialog {
 public:
  static constexpr const char* kTitle = "Tandrel Configuration";

  explicit ConfigWindow(const WindowContext& context, QWidget* parent = nullptr);
  ~ConfigWindow() override;

  // Closing through the window's frame (not OK or Cancel): the program without a tray icon ends
  // then, since nothing could open the window again.
  bool ClosedByFrame() const { return closedByFrame_; }

  QTabWidget* Tabs() const { return tabs_; }
  JoysticksPage* Joysticks() const { return joysticks_; }
  ProfilesPage* Profiles() const { return profiles_; }
  ActionsPage* Actions() const { return actions_; }
  LiveViewPage* LiveView() const { return live_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* ApplyButton() const { return apply_; }

  void reject() override;  // Cancel, Esc

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateApplyButton();
  void ApplyAll();
  void Ok();
  ConfigPage* PageAt(int index) const;
  void TabChanged(int index);

  const WindowContext context_;
  QTabWidget* tabs_ = nullptr;
  JoysticksPage* joysticks_ = nullptr;
  ProfilesPage* profiles_ = nullptr;
  ActionsPage* actions_ = nullptr;
  LiveViewPage* live_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* apply_ = nullptr;
  int currentTab_ = 0;
  bool building_ = true;
  bool closedByFrame_ = false;
};

}  // namespace qtui
