#include "ui/ActionsConfigurationDlg.h"

#include <algorithm>
#include <vector>

#include "actionedit/ActionDisplay.h"
#include "actionedit/ActionSave.h"
#include "actionedit/LibraryLists.h"
#include "actions/ActionLibrary.h"
#include "config/ConfigDocument.h"
#include "config/TandrelConfiguration.h"
#include "profileedit/ActionUsers.h"
#include "resource.h"
#include "ui/ComplexActionConfigDlg.h"
#include "ui/MouseActionConfigDlg.h"
#include "ui/MouseWheelActionConfigDlg.h"
#include "ui/UserInterface.h"
#include "ui/VKActionConfigDlg.h"

namespace {

constexpr int kTextLimit = 255;

// Marks the page as writing its own boxes for the life of the object.
class WritingBoxes {
 public:
  explicit WritingBoxes(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~WritingBoxes() { flag_ = was_; }
  WritingBoxes(const WritingBoxes&) = delete;
  WritingBoxes& operator=(const WritingBoxes&) = delete;

 private:
  bool& flag_;
  const bool was_;
};

}  // namespace

CActionsConfigurationDlg::CActionsConfigurationDlg(const ui::WindowServices& services,
                                                   ui::PageHost host, HWND parent)
    : CConfigurationPage(IDD_ACTIONS_PAGE, services, std::move(host), parent) {}

CActionsConfigurationDlg::~CActionsConfigurationDlg() = default;

ui::ComboBox CActionsConfigurationDlg::ThemeBox() { return Item<ui::ComboBox>(IDC_ACT_THEME); }
ui::ComboBox CActionsConfigurationDlg::NameBox() { return Item<ui::ComboBox>(IDC_ACT_NAME); }

std::array<CActionsConfigurationDlg::TypeChoice, 4> CActionsConfigurationDlg::Types() const {
  return {{{actionedit::ActionKind::VirtualKey, IDC_ACT_TYPE_VK, vkPanel_.get()},
           {actionedit::ActionKind::MouseMovement, IDC_ACT_TYPE_MOUSE, mousePanel_.get()},
           {actionedit::ActionKind::MouseWheel, IDC_ACT_TYPE_WHEEL, wheelPanel_.get()},
           {actionedit::ActionKind::Combination, IDC_ACT_TYPE_COMPLEX, complexPanel_.get()}}};
}

// The page object is new at every opening, so it starts unchanged; its window may be made after
// an Apply that left it changed, which it must not forget.
void CActionsConfigurationDlg::OnInitDialog() {
  vkPanel_ = std::make_unique<CVKActionConfigDlg>(Services().instance, handle_);
  vkPanel_->Create();
  complexPanel_ = std::make_unique<CComplexActionConfigDlg>(Services().instance, handle_);
  complexPanel_->Create();
  mousePanel_ = std::make_unique<CMouseActionConfigDlg>(Services().instance, handle_);
  mousePanel_->Create();
  wheelPanel_ = std::make_unique<CMouseWheelActionConfigDlg>(Services().instance, handle_);
  wheelPanel_->Create();
  ThemeBox().LimitText(kTextLimit);
  NameBox().LimitText(kTextLimit);
  FillThemeList();
  FillActionList();
}

void CActionsConfigurationDlg::MarkChanged() { SetChanged(true); }

void CActionsConfigurationDlg::Apply() {
  // A failed write has been reported by the configuration; the edits stay for another try.
  SetChanged(!Configuration().SaveActionsFile(IsChanged()));
}

void CActionsConfigurationDlg::Hidden() {
  if (vkPanel_) vkPanel_->StopWaiting();
}

void CActionsConfigurationDlg::FillThemeList(const std::optional<std::string>& theme) {
  const ui::ComboBox themes = ThemeBox();
  {
    WritingBoxes writing(writingBoxes_);
    ui::Fill(themes, actionedit::ThemeNames());
    complexPanel_->ClearAvailable();
    complexPanel_->ClearCombined();
    complexPanel_->FillAvailable(actionedit::AvailableEntries());
    themes.Select(0);  // the alphabetically first theme: the box sorts
  }
  theme_ = theme.value_or(themes.Text());
  if (theme) SelectOrWrite(themes, theme_);
}

void CActionsConfigurationDlg::FillActionList(const std::optional<std::string>& name) {
  const ui::ComboBox names = NameBox();
  {
    WritingBoxes writing(writingBoxes_);
    ui::Fill(names, actionedit::ActionNamesOfTheme(theme_));
    names.Select(0);
  }
  name_ = name.value_or(names.Text());
  if (name) SelectOrWrite(names, name_);
  ShowSelectedAction();
}

void CActionsConfigurationDlg::ShowSelectedAction() { ShowAction(theme_, name_); }

actionedit::ActionPanelValues CActionsConfigurationDlg::PanelValues() {
  actionedit::ActionPanelValues values;
  for (const TypeChoice& type : Types()) {
    type.panel->ReadValues(values);
    if (values.checked == actionedit::ActionKind::None &&
        Item<ui::Button>(type.buttonId).IsChecked()) {
      values.checked = type.kind;
    }
  }
  return values;
}

void CActionsConfigurationDlg::ShowAction(const std::string& theme, const std::string& name) {
  actionedit::ActionPanelValues values = PanelValues();
  if (!actionedit::ShowLibraryAction(theme, name, values)) {
    EnableTypeButtons(true);
    return;
  }
  ShowPanelValues(values);
}

void CActionsConfigurationDlg::ShowPanelValues(const actionedit::ActionPanelValues& values) {
  for (const TypeChoice& type : Types()) {
    Item<ui::Button>(type.buttonId).SetChecked(type.kind == values.checked);
  }
  // The type of an existing action cannot be changed.
  EnableTypeButtons(false);
  for (const TypeChoice& type : Types()) {
    if (type.kind != values.checked && IsWindowVisible(type.panel->GetHandle())) {
      type.panel->Show(false);
    }
  }
  for (const TypeChoice& type : Types()) {
    if (type.kind != values.checked) continue;
    type.panel->ShowValues(values);
    type.panel->Show(true);
  }
}

void CActionsConfigurationDlg::ShowPanelForType() {
  for (const TypeChoice& type : Types()) {
    type.panel->Show(Item<ui::Button>(type.buttonId).IsChecked());
  }
}

void CActionsConfigurationDlg::EnableTypeButtons(bool enabled) {
  for (const TypeChoice& type : Types()) Item<ui::Button>(type.buttonId).Enable(enabled);
}

void CActionsConfigurationDlg::SelectOrWrite(const ui::ComboBox& box, const std::string& text) {
  WritingBoxes writing(writingBoxes_);
  const int index = box.FindExact(text);
  if (index >= 0) {
    box.Select(index);
  } else {
    box.SetText(text);
  }
}

void CActionsConfigurationDlg::SaveAction() {
  const actionedit::EditResult result = actionedit::SaveAction(theme_, name_, PanelValues());
  switch (result.outcome) {
    case actionedit::EditOutcome::Nothing:
    case actionedit::EditOutcome::Deleted:  // a save deletes nothing
      return;
    case actionedit::EditOutcome::Refused:
      ShowRefusal(result);
      return;
    case actionedit::EditOutcome::Changed:
      MarkChanged();  // the page stays on this action
      return;
    case actionedit::EditOutcome::Created: {
      // A new theme appears, and the combination panel lists the new action.
      FillThemeList(theme_);
      FillActionList(name_);
      MarkChanged();
      return;
    }
  }
}

void CActionsConfigurationDlg::ShowRefusal(const actionedit::EditResult& refusal) {
  const UINT icon = refusal.icon == seam::MessageIcon::Information ? MB_ICONINFORMATION : 0;
  User().ShowMessage(handle_, refusal.message, refusal.caption, MB_OK | icon);
}

bool CActionsConfigurationDlg::MayDeleteUsedAction() {
  const auto& openProfileUsing = Host().openProfileUsing;
  const std::string question = profileedit::DeleteUsedActionQuestion(
      name_, profileedit::ProfilesUsingAction(Configuration().GetProfileFileNames(), theme_, name_),
      openProfileUsing ? openProfileUsing(theme_, name_) : std::nullopt, config::ComparablePath);
  if (question.empty()) return true;
  return User().ShowMessage(handle_, question, profileedit::kDeleteUsedActionCaption,
                            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void CActionsConfigurationDlg::DeleteSelectedAction() {
  {
    const auto lock = LockActionLibrary();
    if (FindAction(theme_.c_str(), name_.c_str()) == nullptr) return;
  }
  if (const actionedit::EditResult refused = actionedit::DeletionRefusal(theme_, name_);
      refused.outcome == actionedit::EditOutcome::Refused) {
    ShowRefusal(refused);
    return;
  }
  if (!MayDeleteUsedAction()) return;
  const actionedit::EditResult result = actionedit::DeleteSelectedAction(theme_, name_);
  if (result.outcome == actionedit::EditOutcome::Refused) ShowRefusal(result);
  if (result.outcome != actionedit::EditOutcome::Deleted) return;
  // The theme stays listed even when it lost its last action.
  FillThemeList(theme_);
  FillActionList();  // selects the first action of the theme and shows it
  MarkChanged();
}

bool CActionsConfigurationDlg::OnEditableBox(const ui::ComboBox& box, std::string& text,
                                             void (CActionsConfigurationDlg::*refresh)(),
                                             int notification) {
  if (writingBoxes_) return true;
  switch (notification) {
    case CBN_SELCHANGE:
      text = box.ItemText(box.Selection());
      SelectOrWrite(box, text);
      (this->*refresh)();
      break;
    case CBN_EDITCHANGE:
      (this->*refresh)();
      break;
    case CBN_EDITUPDATE:
      text = box.Text().substr(0, kTextLimit);
      break;
    default:
      break;
  }
  return true;
}

bool CActionsConfigurationDlg::OnCommand(int id, int code) {
  switch (id) {
    case IDC_ACT_SAVE:
      SaveAction();
      return true;
    case IDC_ACT_DELETE:
      DeleteSelectedAction();
      return true;
    case IDC_ACT_TYPE_VK:
    case IDC_ACT_TYPE_MOUSE:
    case IDC_ACT_TYPE_WHEEL:
    case IDC_ACT_TYPE_COMPLEX:
      ShowPanelForType();
      return true;
    case IDC_ACT_THEME:
      return OnEditableBox(ThemeBox(), theme_, &CActionsConfigurationDlg::FillActionList, code);
    case IDC_ACT_NAME:
      return OnEditableBox(NameBox(), name_, &CActionsConfigurationDlg::ShowSelectedAction, code);
    default:
      return false;
  }
}
