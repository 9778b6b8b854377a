// The Profiles tab: one profile file, kept as its document tree and edited in place through
// src/profileedit (the controller it is for, the polling delay, what each input does in each
// shift state, the shift buttons, the axes' settings), written back when the window applies or
// at once by "Save As", as the Windows tab does. "Detect" picks an input by pressing it: the
// chosen controller is held back meanwhile, read about 30 times a second, and Esc (wherever the
// focus is), "Stop", 10 s without input, the controller pulled out, another tab or the window's
// end stop it.
#pragma once

#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "profileedit/ElementEntries.h"
#include "profileedit/ProfileDocument.h"
#include "qt/ConfigPage.h"

class CXMLNode;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct DetectedInput;

namespace qtui {

class Detection;

class ProfilesPage : public ConfigPage {
 public:
  ProfilesPage(const WindowContext& context, std::function<void()> changedStateChanged);
  ~ProfilesPage() override;

  void Apply() override;
  void Shown() override;   // the theme and action lists follow the library
  void Hidden() override;  // stops Detect
  // The file shown, when the open profile (with its unapplied edits) uses the action.
  std::optional<std::string> FileUsingAction(std::string_view theme, std::string_view name);

  QLineEdit* FileField() const { return file_; }
  QPushButton* OpenButton() const { return open_; }
  QPushButton* SaveAsButton() const { return saveAs_; }
  QComboBox* ControllerList() const { return controllers_; }
  QLineEdit* DelayBox() const { return delay_; }
  QComboBox* ElementList() const { return elements_; }
  QComboBox* ShiftStateList() const { return shiftStates_; }
  QComboBox* ThemeList() const { return themes_; }
  QComboBox* ActionList() const { return actions_; }
  QComboBox* PercentList() const { return percents_; }
  QPushButton* DetectButton() const { return detect_; }
  QLabel* DetectState() const { return detectState_; }
  QListWidget* AvailableList() const { return available_; }
  QListWidget* ShiftButtonList() const { return shiftButtons_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* RemoveButton() const { return remove_; }
  QPushButton* UpButton() const { return up_; }
  QPushButton* DownButton() const { return down_; }
  QComboBox* AxisList() const { return axes_; }
  QComboBox* AxisTypeList() const { return axisTypes_; }
  QCheckBox* SwapBox() const { return swap_; }
  QLineEdit* ThresholdBox() const { return threshold_; }
  QLineEdit* SensitivityBox() const { return sensitivity_; }
  // One tick of Detect's timer (tests call it to read the controller now).
  void DetectionTick();

 private:
  struct ControllerEntry {
    int id = -1;  // -1: the empty entry, or none chosen
    std::string name;
  };
  enum class NumberBoxKind { Delay, Threshold, Sensitivity };

  void BuildControls();
  void Connect();
  void FillControllerList();
  ControllerEntry ChosenController() const;
  void LoadProfileDocument();
  void EnableEditing(bool enabled);
  void ShowDocument();
  void MarkChanged();
  bool Save();
  void Open();
  void SaveAs();
  std::optional<std::string> ChooseProfileFile(bool save);
  bool RefusedAsProfile(const std::string& path);
  bool KeepReplacedProfile(const std::string& path);

  // Actions assignment.
  void FillAssignmentLists();
  void FillThemeList();
  void FillActionList();
  void RelabelAxis(std::string_view axisName, bool vertical);
  void ElementChosen();
  void ShowAssignment();
  void AssignAction();
  std::optional<profileedit::ElementTarget> ChosenTarget() const;
  int Percent() const;

  // Shift buttons.
  void FillShiftButtons(const std::vector<int>& buttons);
  void UpdateShiftButtonControls();
  void AddShiftButton();
  void RemoveShiftButton();
  void MoveShiftButton(int step);
  void ShiftButtonsChanged();

  // Axes and number boxes.
  QLineEdit* Box(NumberBoxKind kind) const;
  void SetNumberBox(NumberBoxKind kind, const std::string& text);
  void NumberBoxEdited(NumberBoxKind kind, profileedit::NumberSource source);
  void ShowStoredNumber(NumberBoxKind kind);
  void AxisChosen();
  void AxisTypeChosen();
  std::string ChosenAxis() const;

  // Detect.
  void ToggleDetection();
  void EndDetection();
  void SelectDetected(const DetectedInput& input);

  QLineEdit* file_;
  QPushButton *open_, *saveAs_;
  QComboBox* controllers_;
  QLineEdit* delay_;
  QComboBox *elements_, *shiftStates_, *themes_, *actions_, *percents_;
  QLabel *thresholdLabel_, *percentSign_;
  QPushButton* detect_;
  QLabel* detectState_;
  QListWidget *available_, *shiftButtons_;
  QPushButton *add_, *remove_, *up_, *down_;
  QComboBox *axes_, *axisTypes_;
  QCheckBox* swap_;
  QLineEdit *threshold_, *sensitivity_;

  std::unique_ptr<CXMLNode> document_;
  std::unique_ptr<Detection> detection_;  // while "Detect" runs
  QTimer detectionTimer_;
  bool loading_ = false;
};

}  // namespace qtui
