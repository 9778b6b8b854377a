// The modal configuration window: a tab control over four pages (Joysticks, Profiles,
// Actions, Live View) and OK, Cancel and Apply. It edits nothing itself: the pages keep their
// edits, and this window decides when they write their files and when the running configuration is
// rebuilt from them. One object lives for the whole program; its window and its pages are
// made anew at every opening.
#pragma once

#include <memory>

#include "ui/TandrelDlg.h"
#include "ui/WindowServices.h"

class CActionsConfigurationDlg;
class CProfileConfigurationDlg;
class CJoysticksConfigurationDlg;
class CConfigurationPage;
class CLiveViewDlg;

class CTandrelConfigDlg : public CModalDialog {
 public:
  CTandrelConfigDlg(const ui::WindowServices& services, HWND parent);
  // Deletes the pages: Live View, Actions, then Profile, then Joysticks.
  ~CTandrelConfigDlg() override;

  // Runs the window modally: 1 after OK, 2 after Cancel or closing.
  INT_PTR DoModal();

  bool IsRunning() const { return running_; }
  // Open with edits not yet applied (Apply is enabled).
  bool HasUnappliedChanges() const { return running_ && changed_; }
  // Applies the edits as Apply does; false when a page could not write its files (it said why
  // and keeps them).
  bool ApplyChanges();
  // Closes the window without a word, as the program exits.
  void Close() { EndDialog(handle_, IDCANCEL); }
  // Enables Apply exactly while some page holds unapplied edits.
  void UpdateApplyButton();

  // The pages of the current opening; null before the first. The Actions and Live View pages
  // have no window until their tab is first shown.
  CJoysticksConfigurationDlg* JoysticksPage() { return joysticksPage_.get(); }
  CProfileConfigurationDlg* ProfilePage() { return profilePage_.get(); }
  CActionsConfigurationDlg* ActionsPage() { return actionsPage_.get(); }
  CLiveViewDlg* LivePage() { return livePage_.get(); }

 private:
  // Adds context help (WM_HELP) to the base routing.
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(int id, int code) override;
  bool OnNotify(const NMHDR& header) override;
  void OnInitDialog() override;
  // The caption's close button acts as Cancel.
  bool OnClose() override;
  void DeletePages();
  void ApplyAll();
  void Cancel();
  CConfigurationPage* PageOfTab(int index);
  void ShowContextHelp(const HELPINFO& help);
  // Makes `owner` (null: none) the owner of the core's message boxes.
  void OwnCoreMessages(HWND owner);

  const ui::WindowServices services_;
  int joysticksIndex_ = -1;
  int profilesIndex_ = -1;
  int actionsIndex_ = -1;
  int liveIndex_ = -1;
  int currentTab_ = 0;
  bool changed_ = false;
  bool running_ = false;
  HWND tabs_ = nullptr;
  std::unique_ptr<CLiveViewDlg> livePage_;
  std::unique_ptr<CActionsConfigurationDlg> actionsPage_;
  std::unique_ptr<CProfileConfigurationDlg> profilePage_;
  std::unique_ptr<CJoysticksConfigurationDlg> joysticksPage_;
};
