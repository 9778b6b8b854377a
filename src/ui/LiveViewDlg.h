// The Live View page of the configuration window: the chosen controller as it is right now, its
// buttons, axes (with dead zone and the points where the profile's entries start to apply) and
// hat, the profile in force and the shift state. It edits nothing. While its tab is shown it
// reads the controller's live state about 30 times a second and redraws only what changed,
// follows controllers plugged in and pulled out, and holds the shown controller's actions back
// (unless "let it act" is checked), so that pressing its buttons does not act on this window;
// while it is hidden it has no timer, holds nothing back and costs nothing. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "liveview/Follower.h"
#include "liveview/LiveView.h"
#include "ui/ConfigurationPage.h"

class CLiveViewDlg : public CConfigurationPage {
 public:
  static constexpr UINT kRefreshMs = 33;

  CLiveViewDlg(const ui::WindowServices& services, ui::PageHost host, HWND parent);

  void Apply() override {}
  bool OnCommand(int id, int code) override;
  // Lists the controllers present and shows the first.
  void OnInitDialog() override;
  void Shown() override;
  void Hidden() override;

  // What the page shows now (none before the first reading of a controller).
  const std::optional<liveview::View>& ShownView() const { return follower_.CurrentView(); }

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ChooseController();
  // The list as the controllers present now; the one shown stays chosen (marked when it was
  // pulled out).
  void FollowControllers();
  // Holds back the controller shown while the tab is shown and "let it act" is off, and no
  // other; again after a reload, which ends every hold-back.
  void HoldBackShown();
  // Reads the controller and redraws when the reading or its layout changed (or `always`).
  void Refresh(bool always);
  void Paint(const DRAWITEMSTRUCT& item) const;

  liveview::Follower follower_;
  bool shown_ = false;
  unsigned ticks_ = 0;
};
