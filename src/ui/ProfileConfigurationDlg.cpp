#include "ui/ProfileConfigurationDlg.h"

#include <commdlg.h>

#include <initializer_list>

#include "config/ConfigDocument.h"
#include "config/TandrelConfiguration.h"
#include "platform/Platform.h"
#include "profileedit/ActionUsers.h"
#include "profileedit/AxisSettings.h"
#include "profileedit/ElementEntries.h"
#include "profileedit/ProfileDocument.h"
#include "profileedit/ShiftButtons.h"
#include "resource.h"
#include "ui/ActionAssignmentGroup.h"
#include "ui/ShiftButtonLists.h"
#include "ui/UserInterface.h"
#include "xml/XMLNode.h"
#include "xml/XMLSave.h"

namespace {

// The controls a refused file disables and every load enables again.
constexpr int kEditingControls[] = {
    IDC_PROF_THRESHOLD, IDC_PROF_SENSITIVITY,   IDC_PROF_DELAY,   IDC_PROF_JOYSTICK,
    IDC_PROF_AVAILABLE, IDC_PROF_SHIFT_BUTTONS, IDC_PROF_ELEMENT, IDC_PROF_SHIFT_STATE,
    IDC_PROF_ACTION,    IDC_PROF_AXIS,          IDC_PROF_SWAP,    IDC_PROF_AXIS_TYPE,
    IDC_PROF_THEME,     IDC_PROF_PERCENT,       IDC_PROF_DETECT};

constexpr const char* kFileDialogTitle = "Select A Configuration File";

}  // namespace

CProfileConfigurationDlg::CProfileConfigurationDlg(const ui::WindowServices& services,
                                                   ui::PageHost host, HWND parent)
    : CConfigurationPage(IDD_PROFILE_PAGE, services, std::move(host), parent) {}

CProfileConfigurationDlg::~CProfileConfigurationDlg() = default;

void CProfileConfigurationDlg::OnInitDialog() {
  FillControllerList();
  document_.reset();
  ShiftButtonLists(*this).DisableButtons();
  ui::ComboBox controllers = Item<ui::ComboBox>(IDC_PROF_JOYSTICK);
  if (controllers.Count() > 1) {
    // The profile shown first is that of the first controller; a new one is made for it.
    controllers.Select(1);
    const int id = static_cast<int>(controllers.ItemData(1));
    if (const auto fileName = Configuration().GetProfileFileName(id)) {
      ShowFile(*fileName);
      LoadProfileDocument();
    }
  }
}

void CProfileConfigurationDlg::Shown() {
  if (document_) ActionAssignmentGroup(*this).FollowLibrary(*document_);
}

std::optional<std::string> CProfileConfigurationDlg::FileUsingAction(std::string_view theme,
                                                                     std::string_view name) {
  if (!document_ || !profileedit::UsesAction(*document_, theme, name)) return std::nullopt;
  return file_;
}

void CProfileConfigurationDlg::FillControllerList() {
  ui::ComboBox controllers = Item<ui::ComboBox>(IDC_PROF_JOYSTICK);
  controllers.Reset();
  controllers.Add("", -1);
  for (const PresentController& present : Configuration().PresentControllers()) {
    controllers.Add(present.name, present.id);
  }
}

CProfileConfigurationDlg::ControllerEntry CProfileConfigurationDlg::ChosenController() {
  const ui::ComboBox controllers = Item<ui::ComboBox>(IDC_PROF_JOYSTICK);
  const int selection = controllers.Selection();
  if (selection < 0) return {};
  return {static_cast<int>(controllers.ItemData(selection)), controllers.ItemText(selection)};
}

// The controller chosen in the Joystick list; for a profile made for none (the default one),
// the only controller plugged in.
int CProfileConfigurationDlg::ControllerInUse() {
  const int id = ChosenController().id;
  const auto controllers = Item<ui::ComboBox>(IDC_PROF_JOYSTICK);
  if (id < 0 && controllers.Count() == 2) return static_cast<int>(controllers.ItemData(1));
  return id;
}

seam::ControllerLayout CProfileConfigurationDlg::InputNames() {
  const int id = ControllerInUse();
  for (const PresentController& present : Configuration().PresentControllers()) {
    if (present.id == id) return present.layout;
  }
  return seam::ControllerLayout::Joystick;
}

void CProfileConfigurationDlg::ShowInputNames() {
  ActionAssignmentGroup(*this).Label(*document_, InputNames());
}

void CProfileConfigurationDlg::LoadProfileDocument() {
  detection_.reset();
  Item(IDC_PROF_DETECT_STATE).SetText("");
  SetChanged(false);
  document_.reset();
  loading_ = true;
  Item<ui::Edit>(IDC_PROF_THRESHOLD).LimitText(5);
  Item<ui::Edit>(IDC_PROF_SENSITIVITY).LimitText(4);
  Item<ui::Edit>(IDC_PROF_DELAY).LimitText(3);
  EnableEditing(true);

  const std::string path = file_;
  const ControllerEntry controller = ChosenController();
  // A file that is not there is said to be missing, not shown as if it were an empty profile.
  if (profileedit::ProfileFileMissing(path)) {
    Item(IDC_PROF_DETECT_STATE).SetText(profileedit::kMissingProfileNote);
  }
  document_ = profileedit::OpenProfileDocument(path, controller.id, controller.name);
  if (!profileedit::IsProfileDocument(document_.get())) {
    const int answer = User().ShowMessage(handle_, profileedit::InvalidProfileQuestion(path),
                                          profileedit::kInvalidProfileCaption,
                                          MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES) {
      // The user refused the file: it is never written, so the page lets go of it.
      document_.reset();
      EnableEditing(false);
      Open();
      return;
    }
  }

  ActionAssignmentGroup(*this).Fill();
  ShiftButtonLists(*this).Fill({});
  ui::ComboBox axes = Item<ui::ComboBox>(IDC_PROF_AXIS);
  axes.Reset();
  for (const char* axis : profileedit::kAxisNames) axes.Add(axis);
  axis_ = 0;
  axes.Select(0);
  ui::ComboBox types = Item<ui::ComboBox>(IDC_PROF_AXIS_TYPE);
  types.Reset();
  for (const char* type : profileedit::kAxisTypeTexts) types.Add(type);
  types.Select(0);
  Item<ui::Button>(IDC_PROF_SWAP).SetChecked(false);
  if (document_) {
    ShowDocument();
  } else {
    SetNumberBox(IDC_PROF_DELAY, std::to_string(profileedit::kDefaultPollingDelay));
    SetNumberBox(IDC_PROF_THRESHOLD, "7000");
    SetNumberBox(IDC_PROF_SENSITIVITY, "500");
  }
  loading_ = false;
}

void CProfileConfigurationDlg::EnableEditing(bool enabled) {
  for (int id : kEditingControls) Item<ui::Edit>(id).Enable(enabled);
  ShiftButtonLists(*this).DisableButtons();
}

// Fills the controls from the document. A value shown in a number box that the document lacks
// is made explicit ("delay" "30"); one it holds stays as written (an X axis threshold below the
// least stored value too), and one the box cannot hold as a number ("-5") is shown as written.
// Neither counts as a change while loading.
void CProfileConfigurationDlg::ShowDocument() {
  CXMLNode& root = *document_;
  ui::ComboBox controllers = Item<ui::ComboBox>(IDC_PROF_JOYSTICK);
  const std::optional<std::string> name = profileedit::ProfileControllerName(root);
  controllers.Select(name ? controllers.FindExact(*name) : -1);
  SetNumberBox(IDC_PROF_DELAY, profileedit::PollingDelayText(root));
  ShiftButtonLists(*this).Fill(profileedit::ReadShiftButtons(root), InputNames());
  const ActionAssignmentGroup assignment(*this);
  assignment.ShowAssignment(root);
  ShowInputNames();
  const profileedit::AxisSettings x =
      profileedit::ReadAxisSettings(root, profileedit::kAxisNames[0]);
  SetNumberBox(IDC_PROF_THRESHOLD, x.threshold);
  SetNumberBox(IDC_PROF_SENSITIVITY, x.sensitivity);
  Item<ui::Button>(IDC_PROF_SWAP).SetChecked(x.swapped);
  for (const auto& axis : profileedit::PrepareAxesForEditing(root)) {
    if (axis.vertical && XMLNamesEqual(axis.axis, profileedit::kAxisNames[0])) {
      const ui::ComboBox types = Item<ui::ComboBox>(IDC_PROF_AXIS_TYPE);
      types.Select(types.FindExact(profileedit::kVerticalAxisText));
    }
  }
}

void CProfileConfigurationDlg::MarkChanged() {
  if (!loading_) SetChanged(true);
}

void CProfileConfigurationDlg::Apply() { Save(); }

bool CProfileConfigurationDlg::Save() {
  if (!document_) return true;
  const std::string path = file_;
  if (RefusedAsProfile(path)) return false;
  const XMLSaveResult saved = profileedit::SaveProfileDocument(*document_, path);
  if (!saved) {
    User().ShowMessage(handle_, profileedit::SaveFailedMessage(path, saved),
                       profileedit::kSaveFailedCaption, MB_OK | MB_ICONWARNING);
    return false;
  }
  SetChanged(false);
  return true;
}

void CProfileConfigurationDlg::Open() {
  if (IsChanged()) {
    const int answer =
        User().ShowMessage(handle_, profileedit::kSaveChangesQuestion,
                           profileedit::kSaveChangesCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return;
    // Edits that could not be written stay on the page rather than be dropped by the next file.
    if (answer == IDYES && !Save()) return;
  }
  const std::optional<std::string> path = ChooseProfileFile(false);
  if (!path) return;
  ShowFile(*path);
  document_.reset();
  LoadProfileDocument();
}

bool CProfileConfigurationDlg::RefusedAsProfile(const std::string& path) {
  const std::string refusal = Configuration().WhyNotAProfile(path);
  if (refusal.empty()) return false;
  User().ShowMessage(handle_, refusal, "Error", MB_OK | MB_ICONERROR);
  return true;
}

bool CProfileConfigurationDlg::KeepReplacedProfile(const std::string& path) {
  const std::string warning = profileedit::KeepReplacedProfile(path);
  if (warning.empty()) return true;
  User().ShowMessage(handle_, warning, profileedit::kSaveFailedCaption, MB_OK | MB_ICONWARNING);
  return false;
}

void CProfileConfigurationDlg::SaveAs() {
  const std::optional<std::string> path = ChooseProfileFile(true);
  if (!path) return;
  const std::string previous = file_;
  if (config::ComparablePath(*path) != config::ComparablePath(previous) &&
      !KeepReplacedProfile(*path)) {
    return;
  }
  ShowFile(*path);
  if (document_) {
    Save();
    return;
  }
  // No profile is open (no controller had one, or the user refused a file): a new profile for
  // the chosen controller becomes the file, and the page edits it from there.
  const ControllerEntry controller = ChosenController();
  document_ = profileedit::NewProfileFor(controller.id, controller.name);
  if (!Save()) {
    document_.reset();
    ShowFile(previous);
    return;
  }
  LoadProfileDocument();
}

std::optional<std::string> CProfileConfigurationDlg::ChooseProfileFile(bool save) {
  ui::FileDialogRequest request = ui::FileDialogRequest::InFolder(
      handle_, kFileDialogTitle, "XML Files", "*.XML", Configuration().GetProgramFolder());
  request.save = save;
  request.defaultExtension = "xml";
  // Replacing another profile is asked first; the program's own files are never profiles.
  if (save) request.flags |= OFN_OVERWRITEPROMPT;
  std::optional<std::string> path = User().ChooseFile(request);
  if (path && RefusedAsProfile(*path)) return std::nullopt;
  return path;
}

INT_PTR CProfileConfigurationDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == ui::InputDetection::kTimer) {
    if (detection_ && detection_->Tick() != DetectionStatus::Detecting) EndDetection();
    return TRUE;
  }
  if (message == WM_DESTROY) detection_.reset();
  return CConfigurationPage::HandleMessage(message, wParam, lParam);
}

void CProfileConfigurationDlg::Hidden() {
  if (!detection_) return;
  detection_->Cancel();
  EndDetection();
}

void CProfileConfigurationDlg::ToggleDetection() {
  if (detection_) {
    detection_->Cancel();
    EndDetection();
    return;
  }
  const int id = ControllerInUse();
  if (id < 0) {
    Item(IDC_PROF_DETECT_STATE).SetText("Choose the Joystick first.");
    return;
  }
  auto detection = std::make_unique<ui::InputDetection>(Configuration(), id, handle_);
  if (!detection->Active()) {
    Item(IDC_PROF_DETECT_STATE).SetText("The Joystick gives no reading.");
    return;
  }
  detection_ = std::move(detection);
  Item(IDC_PROF_DETECT_STATE).SetText("Press an input now (Esc stops).");
}

void CProfileConfigurationDlg::EndDetection() {
  const DetectionStatus status = detection_->Tick();
  const std::optional<DetectedInput> found = detection_->Found();
  const bool unplugged = detection_->Unplugged();
  detection_.reset();  // the controller acts again
  std::string said;
  if (found && document_) {
    SelectDetected(*found);
    said = "Found: " + Item<ui::ComboBox>(IDC_PROF_ELEMENT).SelectedText();
  } else if (status == DetectionStatus::TimedOut) {
    said = "Nothing was pressed in 10 s.";
  } else if (unplugged) {
    said = "The Joystick was unplugged.";
  }
  Item(IDC_PROF_DETECT_STATE).SetText(said);
}

void CProfileConfigurationDlg::SelectDetected(const DetectedInput& input) {
  bool swapped = false;
  if (input.kind == DetectedInput::Kind::AxisDirection) {
    swapped = profileedit::ReadAxisSettings(
                  *document_, profileedit::kAxisNames[static_cast<std::size_t>(input.number)])
                  .swapped;
  }
  const std::optional<std::size_t> position = profileedit::DetectedEntryIndex(input, swapped);
  if (!position) return;
  const auto elements = Item<ui::ComboBox>(IDC_PROF_ELEMENT);
  for (int i = 0; i < elements.Count(); ++i) {
    if (static_cast<std::size_t>(elements.ItemData(i)) != *position) continue;
    elements.Select(i);
    ActionAssignmentGroup(*this).ElementChosen(*document_);
    return;
  }
}

bool CProfileConfigurationDlg::OnCommand(int id, int code) {
  if (id == IDC_PROF_DETECT && code == BN_CLICKED) {
    if (document_ || detection_) ToggleDetection();
  } else if (id == IDC_PROF_OPEN && code == BN_CLICKED) {
    Open();
  } else if (id == IDC_PROF_SAVE_AS && code == BN_CLICKED) {
    SaveAs();
  } else if (document_) {
    OnEditingCommand(id, code);
  } else {
    return false;
  }
  return true;
}

void CProfileConfigurationDlg::OnEditingCommand(int id, int code) {
  CXMLNode& root = *document_;
  const ShiftButtonLists shiftButtons(*this);
  const ActionAssignmentGroup assignment(*this);
  switch (id) {
    case IDC_PROF_AVAILABLE:
      shiftButtons.UpdateAddButton();
      if (code == LBN_DBLCLK && shiftButtons.CanAdd() && shiftButtons.Add()) ShiftButtonsChanged();
      return;
    case IDC_PROF_SHIFT_BUTTONS:
      shiftButtons.UpdateShiftButtons();
      if (code == LBN_DBLCLK && shiftButtons.CanRemove() && shiftButtons.Remove()) {
        ShiftButtonsChanged();
      }
      return;
    case IDC_PROF_ADD:
      if (code == BN_CLICKED && shiftButtons.Add()) ShiftButtonsChanged();
      return;
    case IDC_PROF_REMOVE:
      if (code == BN_CLICKED && shiftButtons.Remove()) ShiftButtonsChanged();
      return;
    case IDC_PROF_UP:
    case IDC_PROF_DOWN:
      if (code == BN_CLICKED && shiftButtons.Move(id == IDC_PROF_UP ? -1 : 1)) {
        ShiftButtonsChanged();
      }
      return;
    case IDC_PROF_THRESHOLD:
    case IDC_PROF_SENSITIVITY:
    case IDC_PROF_DELAY:
      if (code == EN_CHANGE && !showingNumber_)
        NumberBoxEdited(id, profileedit::NumberSource::Typed);
      if (code == EN_KILLFOCUS) ShowStoredNumber(id);
      return;
    case IDC_PROF_SWAP:
      if (code == BN_CLICKED &&
          profileedit::SetAxisSwapped(root, ChosenAxis(),
                                      Item<ui::Button>(IDC_PROF_SWAP).IsChecked())) {
        MarkChanged();
        ShowInputNames();  // which trigger an entry of Z holds
      }
      return;
    default:
      break;
  }
  if (code != CBN_SELCHANGE) return;
  switch (id) {
    case IDC_PROF_JOYSTICK: {
      // Every choice counts as a change, even of the controller already recorded.
      MarkChanged();
      const ControllerEntry controller = ChosenController();
      profileedit::SetControllerIdentity(root, controller.id, controller.name);
      ShiftButtonLists(*this).Fill(profileedit::ReadShiftButtons(root), InputNames());
      ShowInputNames();
      break;
    }
    case IDC_PROF_ELEMENT:
    case IDC_PROF_SHIFT_STATE:
      assignment.ElementChosen(root);
      break;
    case IDC_PROF_PERCENT:
      assignment.ShowAssignment(root);
      break;
    case IDC_PROF_THEME:
      assignment.FillActionList();
      break;
    case IDC_PROF_ACTION:
      // Every choice of an action counts as a change, even of the one already stored.
      MarkChanged();
      assignment.AssignAction(root);
      break;
    case IDC_PROF_AXIS: {
      const int chosen = Item<ui::ComboBox>(IDC_PROF_AXIS).Selection();
      if (chosen < 0 || static_cast<std::size_t>(chosen) >= profileedit::kAxisNames.size()) break;
      axis_ = static_cast<std::size_t>(chosen);
      AxisChosen();
      break;
    }
    case IDC_PROF_AXIS_TYPE:
      AxisTypeChosen();
      break;
    default:
      break;
  }
}

void CProfileConfigurationDlg::ShiftButtonsChanged() {
  MarkChanged();
  profileedit::RebuildShiftButtons(*document_, ShiftButtonLists(*this).Buttons());
}

void CProfileConfigurationDlg::SetNumberBox(int id, const std::string& text) {
  // The box's own notification arrives while it is set: it is the page showing, not the user.
  showingNumber_ = true;
  Item<ui::Edit>(id).SetText(text);
  showingNumber_ = false;
  NumberBoxEdited(id, profileedit::NumberSource::Shown);
}

void CProfileConfigurationDlg::NumberBoxEdited(int id, profileedit::NumberSource source) {
  if (!document_) return;
  const std::string typed = Item<ui::Edit>(id).Text();
  bool edited = false;
  if (id == IDC_PROF_DELAY) {
    edited = profileedit::SetPollingDelay(*document_, typed, source);
  } else if (id == IDC_PROF_THRESHOLD) {
    edited = profileedit::SetAxisThreshold(*document_, ChosenAxis(), typed, source);
  } else if (id == IDC_PROF_SENSITIVITY) {
    edited = profileedit::SetAxisSensitivity(*document_, ChosenAxis(), typed, source);
  }
  // A default the page only showed is no edit of the user's.
  if (edited && source == profileedit::NumberSource::Typed) MarkChanged();
}

// The box the user left shows what the profile stores for its text (a threshold typed below
// the least stored, say); the box is only shown anew, nothing is stored.
void CProfileConfigurationDlg::ShowStoredNumber(int id) {
  std::optional<std::string> stored;
  if (id == IDC_PROF_DELAY) {
    stored = profileedit::PollingDelayText(*document_);
  } else {
    const profileedit::AxisSettings axis = profileedit::ReadAxisSettings(*document_, ChosenAxis());
    stored = id == IDC_PROF_THRESHOLD ? axis.threshold : axis.sensitivity;
  }
  if (!stored || Item<ui::Edit>(id).Text() == *stored) return;
  showingNumber_ = true;
  Item<ui::Edit>(id).SetText(*stored);
  showingNumber_ = false;
}

// Shows the settings of the chosen axis (of a new one, for an axis without an element).
void CProfileConfigurationDlg::AxisChosen() {
  const profileedit::AxisSettings settings =
      profileedit::ReadAxisSettings(*document_, ChosenAxis());
  if (settings.typeEntry) {
    Item<ui::ComboBox>(IDC_PROF_AXIS_TYPE).Select(static_cast<int>(*settings.typeEntry));
  }
  Item<ui::Button>(IDC_PROF_SWAP).SetChecked(settings.swapped);
  SetNumberBox(IDC_PROF_SENSITIVITY, settings.sensitivity);
  SetNumberBox(IDC_PROF_THRESHOLD, settings.threshold);
}

void CProfileConfigurationDlg::AxisTypeChosen() {
  // The type list holds kAxisTypeTexts in their order: "Horizontal", "Vertical".
  const bool vertical = Item<ui::ComboBox>(IDC_PROF_AXIS_TYPE).Selection() == 1;
  if (profileedit::SetAxisType(*document_, ChosenAxis(), vertical)) MarkChanged();
  ShowInputNames();
}

std::string CProfileConfigurationDlg::ChosenAxis() const { return profileedit::kAxisNames[axis_]; }

void CProfileConfigurationDlg::ShowFile(const std::string& path) {
  file_ = path;
  Item<ui::Edit>(IDC_PROF_FILE).SetPath(path);
}
