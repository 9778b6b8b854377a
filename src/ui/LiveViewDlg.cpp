#include "ui/LiveViewDlg.h"

#include <utility>
#include <vector>

#include "config/TandrelConfiguration.h"
#include "resource.h"
#include "ui/GdiHandles.h"
#include "ui/LiveViewPainter.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;

}  // namespace

CLiveViewDlg::CLiveViewDlg(const ui::WindowServices& services, ui::PageHost host, HWND parent)
    : CConfigurationPage(IDD_LIVE_PAGE, services, std::move(host), parent) {}

void CLiveViewDlg::OnInitDialog() {
  Item<ui::ComboBox>(IDC_LIVE_JOYSTICK).Reset();
  FollowControllers();
}

void CLiveViewDlg::FollowControllers() {
  const auto list = Item<ui::ComboBox>(IDC_LIVE_JOYSTICK);
  const std::vector<PresentController> present = Configuration().PresentControllers();
  std::vector<std::pair<std::string, int>> items;
  bool shownPresent = false;
  for (const PresentController& controller : present) {
    items.emplace_back(controller.name, controller.id);
    shownPresent = shownPresent || controller.id == controller_;
  }
  if (controller_ >= 0 && !shownPresent) {
    items.emplace_back(shownName_ + " (unplugged)", controller_);
  }
  std::vector<std::pair<std::string, int>> listed;
  for (int i = 0; i < list.Count(); ++i) {
    listed.emplace_back(list.ItemText(i), static_cast<int>(list.ItemData(i)));
  }
  if (listed == items) return;
  list.Reset();
  for (const auto& [name, id] : items) list.Add(name, id);
  const bool any = !items.empty();
  list.Enable(any);
  Item(IDC_LIVE_NONE).Show(!any);
  int chosen = any ? 0 : -1;
  for (int i = 0; i < list.Count(); ++i) {
    if (static_cast<int>(list.ItemData(i)) == controller_) chosen = i;
  }
  if (chosen >= 0) list.Select(chosen);
  if (chosen < 0 || static_cast<int>(list.ItemData(chosen)) != controller_) ChooseController();
}

bool CLiveViewDlg::OnCommand(int id, int code) {
  if (id == IDC_LIVE_ACT && code == BN_CLICKED) {
    HoldBackShown();
    return true;
  }
  if (id != IDC_LIVE_JOYSTICK) return false;
  if (code == CBN_SELCHANGE) ChooseController();
  return true;
}

void CLiveViewDlg::Shown() {
  shown_ = true;
  FollowControllers();
  HoldBackShown();
  Refresh(true);
  SetTimer(handle_, kRefreshTimer, kRefreshMs, nullptr);
}

void CLiveViewDlg::Hidden() {
  KillTimer(handle_, kRefreshTimer);
  shown_ = false;
  HoldBackShown();
}

void CLiveViewDlg::HoldBackShown() {
  const bool letAct = Item<ui::Button>(IDC_LIVE_ACT).IsChecked();
  const int wanted = shown_ && !letAct ? controller_ : -1;
  CTandrelConfiguration& configuration = Configuration();
  if (heldBack_ >= 0 && heldBack_ != wanted) configuration.HoldBack(heldBack_, false);
  if (wanted >= 0 && !configuration.IsHeldBack(wanted)) configuration.HoldBack(wanted, true);
  heldBack_ = wanted;
}

INT_PTR CLiveViewDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kRefreshTimer) {
    // About once a second: controllers plugged in or pulled out, and a hold-back a reload ended.
    if (++ticks_ % (1000 / kRefreshMs) == 0) {
      FollowControllers();
      HoldBackShown();
    }
    Refresh(false);
    return TRUE;
  }
  if (message == WM_DRAWITEM && wParam == IDC_LIVE_VIEW) {
    Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message == WM_DESTROY) {
    shown_ = false;
    HoldBackShown();
  }
  return CConfigurationPage::HandleMessage(message, wParam, lParam);
}

void CLiveViewDlg::ChooseController() {
  const auto controllers = Item<ui::ComboBox>(IDC_LIVE_JOYSTICK);
  const int selection = controllers.Selection();
  controller_ = selection < 0 ? -1 : static_cast<int>(controllers.ItemData(selection));
  shownName_ = selection < 0 ? std::string() : controllers.ItemText(selection);
  layout_.reset();
  HoldBackShown();
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
  const bool unplugged = controller_ >= 0 && !reading;
  Item(IDC_LIVE_STATUS)
      .SetText(unplugged ? std::string("The Joystick was unplugged.")
               : !view_  ? std::string()
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
