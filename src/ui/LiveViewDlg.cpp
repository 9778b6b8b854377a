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
    : CConfigurationPage(IDD_LIVE_PAGE, services, std::move(host), parent),
      follower_(services.configuration) {}

void CLiveViewDlg::OnInitDialog() {
  Item<ui::ComboBox>(IDC_LIVE_JOYSTICK).Reset();
  FollowControllers();
}

void CLiveViewDlg::FollowControllers() {
  const auto list = Item<ui::ComboBox>(IDC_LIVE_JOYSTICK);
  const std::vector<liveview::Follower::Entry> entries = follower_.Entries();
  std::vector<liveview::Follower::Entry> listed;
  for (int i = 0; i < list.Count(); ++i) {
    listed.push_back({list.ItemText(i), static_cast<int>(list.ItemData(i))});
  }
  if (listed == entries) return;
  list.Reset();
  for (const auto& entry : entries) list.Add(entry.name, entry.id);
  const bool any = !entries.empty();
  list.Enable(any);
  Item(IDC_LIVE_NONE).Show(!any);
  const int chosen = follower_.ChosenIndex(entries);
  if (chosen >= 0) list.Select(chosen);
  if (chosen < 0 || entries[static_cast<std::size_t>(chosen)].id != follower_.ShownId()) {
    ChooseController();
  }
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
  follower_.HoldBack(shown_, Item<ui::Button>(IDC_LIVE_ACT).IsChecked());
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
  const liveview::Follower::Entry chosen{
      selection < 0 ? "" : controllers.ItemText(selection),
      selection < 0 ? -1 : static_cast<int>(controllers.ItemData(selection))};
  follower_.Choose(selection < 0 ? nullptr : &chosen);
  HoldBackShown();
  Refresh(true);
}

void CLiveViewDlg::Refresh(bool always) {
  if (!follower_.Refresh(always)) return;
  const std::optional<liveview::View>& view = follower_.CurrentView();
  Item(IDC_LIVE_STATUS).SetText(follower_.Status());
  // The view's text says in words what it draws, for screen readers.
  Item(IDC_LIVE_VIEW).SetText(view ? view->Describe() : std::string());
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
    if (const std::optional<liveview::View>& view = follower_.CurrentView()) {
      ui::PaintLiveView(memory, local, *view,
                        reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0)));
    } else {
      FillRect(memory, &local, GetSysColorBrush(COLOR_BTNFACE));
    }
    BitBlt(item.hDC, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
  }
  DeleteDC(memory);
}
