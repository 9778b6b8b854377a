// The Profile page of the configuration window: one profile file, kept as its document tree and
// edited in place (the controller it is for, polling delay, shift buttons, axis settings and
// action assignments), written back when the window applies its pages or at once by
// "Save As". It never builds controller objects and never changes which profile a controller
// uses: the running controllers see the edits after the configuration reloads.
//
// Main thread only. The page owns its document; without one every editing handler is inert.
// While `loading_` is set (the page fills its controls from a document, or the user refused the
// file) edits reach the document but do not count as changes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "profileedit/ProfileDocument.h"
#include "ui/ConfigurationPage.h"
#include "ui/Controls.h"
#include "ui/InputDetection.h"

class CXMLNode;

class CProfileConfigurationDlg : public CConfigurationPage {
 public:
  CProfileConfigurationDlg(const ui::WindowServices& services, ui::PageHost host, HWND parent);
  ~CProfileConfigurationDlg() override;

  // Writes the document to the file shown; a page without a document does nothing.
  void Apply() override;
  bool OnCommand(int id, int code) override;
  void OnInitDialog() override;
  // The theme and action lists show the library as the Actions tab left it.
  void Shown() override;
  // Stops "Detect".
  void Hidden() override;
  // The file shown, when the open profile (with its unapplied edits) uses the action.
  std::optional<std::string> FileUsingAction(std::string_view theme, std::string_view name);

 private:
  struct ControllerEntry {
    int id = -1;  // -1: the empty entry, or none chosen
    std::string name;
  };

  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // "Detect": starts, or stops when it runs; its end selects the input found.
  void ToggleDetection();
  void EndDetection();
  void SelectDetected(const DetectedInput& input);

  // The document's life.
  void FillControllerList();
  ControllerEntry ChosenController();
  void LoadProfileDocument();
  void EnableEditing(bool enabled);
  void ShowDocument();
  void Open();
  void SaveAs();
  std::optional<std::string> ChooseProfileFile(bool save);
  // False, after the warning, when the file could not be written: the page keeps its edits.
  bool Save();
  // Says why the file cannot be a profile, when it cannot (the configuration, the actions file).
  bool RefusedAsProfile(const std::string& path);
  bool KeepReplacedProfile(const std::string& path);
  void MarkChanged();

  // Handlers of the editing controls; they require a document.
  void OnEditingCommand(int id, int code);
  void ShiftButtonsChanged();
  // Sets a number box to a number, or to a text from the document that the box cannot hold as
  // a number (NumberBoxText), and runs its handler as a user's edit of the box would.
  void SetNumberBox(int id, const std::string& text);
  void NumberBoxEdited(int id, profileedit::NumberSource source);
  void ShowStoredNumber(int id);
  void AxisChosen();
  void AxisTypeChosen();
  std::string ChosenAxis() const;
  // The file edited, shown in its box.
  void ShowFile(const std::string& path);

  std::unique_ptr<CXMLNode> document_;
  std::string file_;      // the file the document comes from and is saved to
  std::size_t axis_ = 0;  // the axis chosen, in profileedit::kAxisNames
  std::unique_ptr<ui::InputDetection> detection_;  // while "Detect" runs
  bool loading_ = false;
  bool showingNumber_ = false;  // SetNumberBox is putting a value into a box
};
