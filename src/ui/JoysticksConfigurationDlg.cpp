#include "ui/JoysticksConfigurationDlg.h"

#include <commdlg.h>

#include <utility>

#include "config/JoysticksTabMerge.h"
#include "config/TandrelConfiguration.h"
#include "platform/Platform.h"
#include "resource.h"
#include "ui/Controls.h"
#include "ui/UserInterface.h"
#include "xml/XMLNode.h"

namespace {

// The controls that edit a controller: disabled while no controller is present. "Launch On
// Startup" is the program's own setting and stays usable.
constexpr int kControllerControls[] = {IDC_JOY_SELECT,  IDC_JOY_CHANGE,  IDC_JOY_REMOVE,
                                       IDC_JOY_ENABLED, IDC_JOY_PICTURE, IDC_JOY_PICTURE_HINT};

}  // namespace

CJoysticksConfigurationDlg::CJoysticksConfigurationDlg(const ui::WindowServices& services,
                                                       ui::PageHost host, HWND parent)
    : CConfigurationPage(IDD_JOYSTICKS_PAGE, services, std::move(host), parent) {}

void CJoysticksConfigurationDlg::OnInitDialog() {
  SetChanged(false);
  filled_ = false;

  MakeLabelFont();

  controllers_ = {};
  const auto select = Item<ui::ComboBox>(IDC_JOY_SELECT);
  select.Reset();
  for (int id : kControllerControls) Item(id).Enable(false);
  picture_ = Item<ui::PictureBox>(IDC_JOY_PICTURE);

  CTandrelConfiguration& configuration = Configuration();
  launchOnStartup_ = configuration.GetLaunchOnStartup();
  current_ = -1;
  for (const PresentController& present : configuration.PresentControllers()) {
    if (current_ < 0) {
      for (int control : kControllerControls) Item(control).Enable(true);
      current_ = present.id;
    }
    // The setting as the file has it: a profile that failed to load must not turn into a
    // disabled controller at the next Apply.
    const bool enabled = present.profile.has_value() && present.enabled;
    Controller& controller = controllers_[static_cast<size_t>(present.id)];
    controller.present = true;
    controller.notPolling = enabled && !present.polling;
    SetEnabled(present.id, enabled);
    SetProfileFile(present.id, present.profile);
    SetPictureFile(present.id, present.picture);
    select.Add(present.name, present.id);
  }
  filled_ = true;

  select.Select(0);
  if (current_ >= 0) ShowController();
  Item(IDC_JOY_NONE).Show(current_ < 0);
  Item<ui::Button>(IDC_JOY_LAUNCH).SetChecked(launchOnStartup_);
}

// The version label's font, 18 pixels high at 96 dots per inch, in the page's own scaling.
void CJoysticksConfigurationDlg::MakeLabelFont() {
  ui::FontHandle font(CreateFontA(ui::Scaled(18, handle_), 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Times New Roman"));
  SendMessageA(Item(IDC_JOY_VERSION).handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()),
               TRUE);
  labelFont_ = std::move(font);  // the old font goes once the label no longer uses it
}

INT_PTR CJoysticksConfigurationDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Moved to a monitor of another scaling: the system scales the template's controls and fonts,
  // the page its own font.
  if (message == WM_DPICHANGED_AFTERPARENT) {
    MakeLabelFont();
    return TRUE;
  }
  return CConfigurationPage::HandleMessage(message, wParam, lParam);
}

bool CJoysticksConfigurationDlg::OnCommand(int id, int code) {
  switch (id) {
    case IDC_JOY_LAUNCH:
      launchOnStartup_ = Item<ui::Button>(IDC_JOY_LAUNCH).IsChecked();
      SetChanged(true);
      return true;
    case IDC_JOY_SELECT:
      if (code == CBN_SELCHANGE) {
        const auto select = Item<ui::ComboBox>(IDC_JOY_SELECT);
        current_ = static_cast<int>(select.ItemData(select.Selection()));
        ShowController();
      }
      return true;
    case IDC_JOY_CHANGE:
      ChooseProfile();
      return true;
    case IDC_JOY_REMOVE:
      RemoveProfile();
      return true;
    case IDC_JOY_ENABLED:
      SetEnabled(current_, Item<ui::Button>(IDC_JOY_ENABLED).IsChecked());
      return true;
    case IDC_JOY_PICTURE:
      if (code == STN_CLICKED) ShowPictureMenu();
      return true;
    case ID_PICTURE_CHANGE:
      ChoosePicture();
      return true;
    case ID_PICTURE_REMOVE:
      SetPictureFile(current_, std::nullopt);
      ShowPicture(current_);
      return true;
    default:
      return false;
  }
}

void CJoysticksConfigurationDlg::Apply() {
  if (!IsChanged()) return;
  JoysticksTabState state;
  state.launchOnStartup = launchOnStartup_;
  for (size_t id = 0; id < controllers_.size(); ++id) {
    const Controller& controller = controllers_[id];
    if (!controller.present) continue;  // its entries stay as the file has them
    state.controllers[id] = {controller.profile.value_or(""), controller.picture.value_or(""),
                             controller.enabled};
  }
  // The configuration reports a file it cannot write; the edits then stay here, unapplied, so
  // that the user can try again instead of losing them to the reload that follows.
  if (Configuration().SaveJoysticksTab(state)) SetChanged(false);
}

void CJoysticksConfigurationDlg::SetEnabled(int id, bool enabled) {
  Controller* controller = Find(id);
  if (controller == nullptr) return;
  controller->enabled = enabled;
  MarkChangedOnceFilled();
}

void CJoysticksConfigurationDlg::SetProfileFile(int id, std::optional<std::string> file) {
  Controller* controller = Find(id);
  if (controller == nullptr) return;
  controller->profile = std::move(file);
  MarkChangedOnceFilled();
}

void CJoysticksConfigurationDlg::SetPictureFile(int id, std::optional<std::string> file) {
  Controller* controller = Find(id);
  if (controller == nullptr) return;
  controller->picture = std::move(file);
  MarkChangedOnceFilled();
}

void CJoysticksConfigurationDlg::MarkChangedOnceFilled() {
  if (filled_) SetChanged(true);
}

CJoysticksConfigurationDlg::Controller* CJoysticksConfigurationDlg::Find(int id) {
  if (id < 0 || id >= seam::kMaxJoysticks) return nullptr;
  return &controllers_[static_cast<size_t>(id)];
}

void CJoysticksConfigurationDlg::ShowController() {
  const Controller* controller = Find(current_);
  if (controller == nullptr) return;
  Item<ui::Button>(IDC_JOY_ENABLED).SetChecked(controller->enabled);
  Item(IDC_JOY_STATE).SetText(controller->notPolling ? "(its profile could not be loaded)" : "");
  Item<ui::Edit>(IDC_JOY_PROFILE).SetPath(controller->profile.value_or(""));
  ShowPicture(current_);
}

void CJoysticksConfigurationDlg::ShowPicture(int id) {
  const Controller* controller = Find(id);
  const bool hasPicture = controller != nullptr && controller->picture.has_value();
  picture_.Show(hasPicture ? seam::ResolveProgramPath(*controller->picture) : std::string());
}

void CJoysticksConfigurationDlg::ChooseProfile() {
  if (Find(current_) == nullptr) return;
  const auto file = ChooseFile("Select Exisiting Configuration", "XML Files", "*.xml");
  if (!file) return;
  if (const std::string refusal = Configuration().WhyNotAProfile(*file); !refusal.empty()) {
    User().ShowMessage(handle_, refusal, "Error", MB_OK | MB_ICONERROR);
    return;
  }
  Item<ui::Edit>(IDC_JOY_PROFILE).SetPath(*file);
  Item<ui::Button>(IDC_JOY_ENABLED).SetChecked(true);
  SetProfileFile(current_, *file);
  SetEnabled(current_, true);
}

void CJoysticksConfigurationDlg::RemoveProfile() {
  if (Find(current_) == nullptr) return;
  Item<ui::Edit>(IDC_JOY_PROFILE).SetText("");
  Item<ui::Button>(IDC_JOY_ENABLED).SetChecked(false);
  SetProfileFile(current_, std::nullopt);
  SetEnabled(current_, false);
}

void CJoysticksConfigurationDlg::ChoosePicture() {
  if (Find(current_) == nullptr) return;
  const auto file = ChooseFile("Select A Bitmap", "Bitmaps", "*.bmp");
  if (!file) return;
  SetPictureFile(current_, *file);
  ShowPicture(current_);
}

void CJoysticksConfigurationDlg::ShowPictureMenu() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  HMENU menu = GetSubMenu(Services().popupMenu, IDR_POPUP_PICTURE_MENU);
  if (menu == nullptr) return;
  // "Remove" only when there is a picture to remove.
  const Controller* controller = Find(current_);
  const bool hasPicture = controller != nullptr && controller->picture.has_value();
  EnableMenuItem(menu, ID_PICTURE_REMOVE, MF_BYCOMMAND | (hasPicture ? MF_ENABLED : MF_GRAYED));
  User().TrackPopupMenu(menu, cursor.x, cursor.y, handle_);
}

// The configuration file holds values of at most kXMLMaxValueLength bytes: a longer path is
// refused here, where the user chose it, rather than written into a file that cannot be read.
bool CJoysticksConfigurationDlg::FitsTheConfiguration(const std::string& path) {
  if (path.size() <= kXMLMaxValueLength) return true;
  User().ShowMessage(handle_,
                     "The path \"" + path + "\" is " + std::to_string(path.size()) +
                         " bytes long, and the configuration file holds paths of at most " +
                         std::to_string(kXMLMaxValueLength) +
                         " bytes. Choose a file in a folder with a shorter path.",
                     "Error", MB_OK | MB_ICONERROR);
  return false;
}

std::optional<std::string> CJoysticksConfigurationDlg::ChooseFile(const char* title,
                                                                  const char* filterName,
                                                                  const char* filterPattern) {
  ui::FileDialogRequest request = ui::FileDialogRequest::InFolder(
      handle_, title, filterName, filterPattern, Configuration().GetProgramFolder());
  request.flags |= OFN_LONGNAMES;
  std::optional<std::string> file = User().ChooseFile(request);
  if (file && !FitsTheConfiguration(*file)) return std::nullopt;
  return file;
}
