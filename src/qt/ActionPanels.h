// The property panels of the Actions tab below its type buttons, one per kind of action, as on
// Windows: each moves the values of actionedit::ActionPanelValues between its controls and that
// record (ReadValues, ShowValues); the rules live in src/actionedit. The key panel is in
// KeyPanel.h.
#pragma once

#include <QGroupBox>
#include <vector>

#include "actionedit/NumberFields.h"
#include "actionedit/PanelValues.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace qtui {

// The "Push Type" buttons: Hold and Hit, and on the key panel Repeat and Toggle.
class PushTypeButtons : public QGroupBox {
 public:
  explicit PushTypeButtons(bool repeatAndToggle);
  PushType Get() const;
  // A type the panel has no button for leaves the buttons as they are.
  void Set(PushType type);
  QRadioButton* Button(PushType type) const;

 private:
  std::vector<std::pair<PushType, QRadioButton*>> buttons_;
};

// A box of digits that shows, when the user leaves it, the value stored for what was typed.
QLineEdit* NumberBox(int digits, std::function<void(QLineEdit*)> showStored);

class ActionPanel : public QGroupBox {
 public:
  ActionPanel() : QGroupBox("Properties") {}
  virtual void ReadValues(actionedit::ActionPanelValues& values) = 0;
  virtual void ShowValues(const actionedit::ActionPanelValues& values) = 0;
  // The tab was left, or another action shown: whatever waits for the user stops.
  virtual void StopWaiting() {}
};

class MousePanel : public ActionPanel {
 public:
  MousePanel();
  void ReadValues(actionedit::ActionPanelValues& values) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;

  PushTypeButtons* pushType;
  QLineEdit *direction, *speed, *delay, *acceleration;
  QCheckBox* absolute;
};

class WheelPanel : public ActionPanel {
 public:
  WheelPanel();
  void ReadValues(actionedit::ActionPanelValues& values) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;

  PushTypeButtons* pushType;
  QRadioButton *up, *down;
  QLineEdit *lines, *delay;
};

class CombinationPanel : public ActionPanel {
 public:
  CombinationPanel();
  void ReadValues(actionedit::ActionPanelValues& values) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;
  // The Available list: every action of the library (the list sorts them).
  void FillAvailable(std::vector<actionedit::CombinedEntry> entries);

  PushTypeButtons* pushType;
  QListWidget *available, *combined;
  QPushButton *add, *remove, *up, *down;
  QRadioButton *partHold, *partHit;

 private:
  void ClearCombined();
  void AddCombined(const actionedit::CombinedEntry& entry);
  void ShowSelectedPart();
  void DisablePartButtons();
  void MoveSelectedPart(int step);
  void SetSelectedPartPushType();

  QButtonGroup* partGroup_;
  std::vector<actionedit::CombinedEntry> available_;
  std::vector<actionedit::CombinedEntry> combined_;
};

}  // namespace qtui
