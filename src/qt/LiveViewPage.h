// The Live View tab: the chosen controller as it is now, read about 30 times a second while
// the tab is shown (liveview::Follower, as on Windows). The shown controller is held back (it
// acts on nothing) unless "Let the joystick act while it is shown here" is checked; the list
// follows controllers plugged in and pulled out about once a second.
#pragma once

#include <QTimer>
#include <optional>
#include <string>

#include "liveview/Follower.h"
#include "liveview/LiveView.h"
#include "qt/ConfigPage.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace qtui {

// Draws a liveview::View; its accessible description says the same in words.
class LiveViewWidget : public QWidget {
 public:
  LiveViewWidget();
  void SetView(std::optional<liveview::View> view);
  const std::optional<liveview::View>& View() const { return view_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<liveview::View> view_;
};

class LiveViewPage : public ConfigPage {
 public:
  static constexpr int kRefreshMs = 33;

  LiveViewPage(const WindowContext& context, std::function<void()> changedStateChanged);
  ~LiveViewPage() override;

  void Apply() override {}
  void Shown() override;
  void Hidden() override;

  QComboBox* ControllerList() const { return list_; }
  QCheckBox* LetActBox() const { return letAct_; }
  QLabel* Status() const { return status_; }
  LiveViewWidget* ViewWidget() const { return view_; }
  // One tick of the refresh timer (tests call it to read the controller now).
  void Tick();

 private:
  void FollowControllers();
  void ChooseController();
  void HoldBackShown();
  void Refresh(bool always);

  QComboBox* list_;
  QLabel* status_;
  LiveViewWidget* view_;
  QLabel* none_;
  QCheckBox* letAct_;
  QTimer timer_;
  liveview::Follower follower_;
  int ticks_ = 0;
  bool shown_ = false;
};

}  // namespace qtui
