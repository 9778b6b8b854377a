#include "ui/LiveViewDlg.h"

#include "config/TandrelConfiguration.h"
#include "engine/Joystick.h"
#include "resource.h"
#include "ui/GdiHandles.h"
#include "ui/LiveViewPainter.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;

}  // namespace

CLiveViewDlg::CLiveViewDlg(const ui::WindowServices& services, CTandrelConfigDlg& owner,
                           HWND parent)
    : CConfigurationPage(IDD_LIVE_PAGE, services, owner, parent) {}

void CLiveViewDlg::OnInitDialog() {
  const auto controllers = Item<ui::ComboBox>(IDC_LIVE_JOYSTICK);
  controllers.Reset();
  {
    CTandrelConfiguration& configuration = Configuration();
    const auto lock = configuration.Lock();
    for (int id = 0; id < seam::kMaxJoysticks; ++id) {
      if (const CJoystick* joystick = configuration.GetJoystick(id)) {
        controllers.Add(joystick->GetDeviceName(), id);
      }
    }
  }
  const bool any = controllers.Count() > 0;
  controllers.Enable(any);
  Item(IDC_LIVE_NONE).Show(!any);
  if (any) controllers.Select(0);
  ChooseController();
}

bool CLiveViewDlg::OnCommand(int id, int code) {
  if (id != IDC_LIVE_JOYSTICK) return false;
  if (code == CBN_SELCHANGE) ChooseController();
  return true;
}

void CLiveViewDlg::Shown() {
  Refresh(true);
  SetTimer(handle_, kRefreshTimer, kRefreshMs, nullptr);
}

void CLiveViewDlg::Hidden() { KillTimer(handle_, kRefreshTimer); }

INT_PTR CLiveViewDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kRefreshTimer) {
    Refresh(false);
    return TRUE;
  }
  if (message == WM_DRAWITEM && wParam == IDC_LIVE_VIEW) {
    Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return CConfigurationPage::HandleMessage(message, wParam, lParam);
}

void CLiveViewDlg::ChooseController() {
  const auto controllers = Item<ui::ComboBox>(IDC_LIVE_JOYSTICK);
  const int selection = controllers.Selection();
  controller_ = selection < 0 ? -1 : static_cast<int>(controllers.ItemData(selection));
  layout_.reset();
  Refresh(true);
}

void CLiveViewDlg::Refresh(bool always) {
  std::optional<JoystickLiveState> reading;
  if (controller_ >= 0) reading = Configuration().LiveState(controller_);
  if (reading && (!layout_ || layout_->profileGeneration != reading->profileGeneration)) {
    layout_ = Configuration().LiveLayout(controller_);
    always = true;
  }
  if (!always && reading == reading_) return;
  reading_ = reading;
  view_.reset();
  if (reading && layout_) view_ = liveview::MakeView(*layout_, *reading);
  Item(IDC_LIVE_STATUS)
      .SetText(!view_ ? std::string()
                      : "Profile: " + (view_->profile.empty() ? "(none)" : view_->profile) +
                            "    Shift state: " + std::to_string(view_->shiftState));
  // The view's text says in words what it draws, for screen readers.
  Item(IDC_LIVE_VIEW).SetText(view_ ? view_->Describe() : std::string());
  InvalidateRect(Item(IDC_LIVE_VIEW).handle(), nullptr, FALSE);
}

void CLiveViewDlg::Paint(const DRAWITEMSTRUCT& item) const {
  const RECT& area = item.rcItem;
  const int width = area.right - area.left, height = area.bottom - area.top;
  // Drawn off screen first, so that 30 redraws a second do not flicker.
  const HDC memory = CreateCompatibleDC(item.hDC);
  const ui::BitmapHandle bitmap(CreateCompatibleBitmap(item.hDC, width, height));
  {
    const ui::SelectedObject selected(memory, bitmap.get());
    const RECT local = {0, 0, width, height};
    if (view_) {
      ui::PaintLiveView(memory, local, *view_,
                        reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0)));
    } else {
      FillRect(memory, &local, GetSysColorBrush(COLOR_BTNFACE));
    }
    BitBlt(item.hDC, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
  }
  DeleteDC(memory);
}
