#include "ui/TandrelConfigDlg.h"

#include <commctrl.h>

#include "config/TandrelConfiguration.h"
#include "platform/win32/Win32Messages.h"
#include "resource.h"
#include "ui/ActionsConfigurationDlg.h"
#include "ui/JoysticksConfigurationDlg.h"
#include "ui/LiveViewDlg.h"
#include "ui/ProfileConfigurationDlg.h"
#include "ui/UserInterface.h"

namespace {

int InsertTab(HWND tabs, int position, const char* text) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = const_cast<char*>(text);
  item.lParam = 0;
  return static_cast<int>(
      SendMessageA(tabs, TCM_INSERTITEMA, position, reinterpret_cast<LPARAM>(&item)));
}

}  // namespace

CTandrelConfigDlg::CTandrelConfigDlg(const ui::WindowServices& services, HWND parent)
    : CModalDialog(IDD_CONFIGURATION, services.instance, parent), services_(services) {}

CTandrelConfigDlg::~CTandrelConfigDlg() { DeletePages(); }

void CTandrelConfigDlg::DeletePages() {
  livePage_.reset();
  actionsPage_.reset();
  profilePage_.reset();
  joysticksPage_.reset();
}

INT_PTR CTandrelConfigDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_HELP) return CModalDialog::HandleMessage(message, wParam, lParam);
  ShowContextHelp(*reinterpret_cast<const HELPINFO*>(lParam));
  return TRUE;
}

INT_PTR CTandrelConfigDlg::DoModal() {
  running_ = true;
  const INT_PTR result = CModalDialog::DoModal();
  OwnCoreMessages(nullptr);
  running_ = false;
  return result;
}

void CTandrelConfigDlg::OwnCoreMessages(HWND owner) {
  if (services_.coreMessages != nullptr) services_.coreMessages->SetOwner(owner);
}

void CTandrelConfigDlg::OnInitDialog() {
  OwnCoreMessages(handle_);
  DeletePages();
  tabs_ = Item(IDC_TABS).handle();
  joysticksIndex_ = InsertTab(tabs_, 0, "Joysticks");
  profilesIndex_ = InsertTab(tabs_, 1, "Profiles");
  actionsIndex_ = InsertTab(tabs_, 2, "Actions");
  liveIndex_ = InsertTab(tabs_, 3, "Live View");
  currentTab_ = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
  Item(IDC_APPLY).Enable(false);
  changed_ = false;

  // What the pages need of this window, as callbacks: they know nothing of its class.
  const ui::PageHost host{
      [this] { UpdateApplyButton(); },
      [this](std::string_view theme, std::string_view name) -> std::optional<std::string> {
        return profilePage_ ? profilePage_->FileUsingAction(theme, name) : std::nullopt;
      }};
  joysticksPage_ = std::make_unique<CJoysticksConfigurationDlg>(services_, host, handle_);
  joysticksPage_->Create();
  profilePage_ = std::make_unique<CProfileConfigurationDlg>(services_, host, handle_);
  profilePage_->Create();
  // The Actions page, with its four panels and a list of the whole library, is a third of the
  // opening: its window is made when its tab is first shown. Until then it holds no edits, and
  // its Apply (which needs no window) behaves as it would for an untouched page. The other
  // pages are made now: the Profile page asks about a profile it cannot read as the window
  // opens, and shows the configuration as it was then. The Live View page, too, is made when
  // first shown.
  actionsPage_ = std::make_unique<CActionsConfigurationDlg>(services_, host, handle_);
  livePage_ = std::make_unique<CLiveViewDlg>(services_, host, handle_);
  joysticksPage_->Show(true);
}

CConfigurationPage* CTandrelConfigDlg::PageOfTab(int index) {
  if (index == liveIndex_) return livePage_.get();
  if (index == actionsIndex_) return actionsPage_.get();
  if (index == profilesIndex_) return profilePage_.get();
  if (index == joysticksIndex_) return joysticksPage_.get();
  return nullptr;
}

bool CTandrelConfigDlg::OnNotify(const NMHDR& header) {
  if (header.code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  const int old = currentTab_;
  currentTab_ = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
  if (CConfigurationPage* page = PageOfTab(old)) {
    page->Hidden();
    page->Show(false);
    EnableWindow(page->GetHandle(), FALSE);
  }
  if (CConfigurationPage* page = PageOfTab(currentTab_)) {
    if (page->GetHandle() == nullptr) page->Create();
    page->Show(true);
    EnableWindow(page->GetHandle(), TRUE);
    // Above the tab control, which was created first and would otherwise cover it.
    SetWindowPos(page->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    page->Shown();
  }
  return true;
}

void CTandrelConfigDlg::UpdateApplyButton() {
  if (!actionsPage_ || !profilePage_ || !joysticksPage_) return;  // still being built
  changed_ = profilePage_->IsChanged() || actionsPage_->IsChanged() || joysticksPage_->IsChanged();
  Item(IDC_APPLY).Enable(changed_);
}

void CTandrelConfigDlg::ApplyAll() {
  joysticksPage_->Apply();
  profilePage_->Apply();
  actionsPage_->Apply();
  // A page that could not write its files keeps its edits (the action library's live only in
  // memory, so a reload would throw them away): the reload waits for an Apply that writes them
  // all (Cancel still discards them).
  if (actionsPage_->IsChanged() || profilePage_->IsChanged() || joysticksPage_->IsChanged()) {
    UpdateApplyButton();
    return;
  }
  Item(IDC_APPLY).Enable(false);
  services_.configuration.Load();
  changed_ = false;
}

bool CTandrelConfigDlg::ApplyChanges() {
  ApplyAll();
  return !changed_;
}

void CTandrelConfigDlg::Cancel() {
  // Whatever the pages changed in memory (the action library) goes back to the files' state.
  services_.configuration.Load();
  EndDialog(handle_, IDCANCEL);
}

bool CTandrelConfigDlg::OnCommand(int id, int code) {
  // Only clicks (notification code 0) of the three buttons count.
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDOK:
      ApplyAll();
      UpdateApplyButton();
      // A page that could not write its edits keeps them, and the window stays open.
      if (!changed_) EndDialog(handle_, IDOK);
      break;
    case IDCANCEL:
      Cancel();
      break;
    case IDC_APPLY:
      ApplyAll();
      break;
    default:
      return false;
  }
  return true;
}

bool CTandrelConfigDlg::OnClose() {
  Cancel();
  return true;
}

void CTandrelConfigDlg::ShowContextHelp(const HELPINFO& help) {
  const int context = TandrelHelpContext(static_cast<unsigned long>(help.dwContextId));
  services_.user.ShowContextHelp(static_cast<HWND>(help.hItemHandle),
                                 services_.configuration.GetProgramFolder() + "Tandrel.hlp",
                                 static_cast<DWORD>(context));
}
