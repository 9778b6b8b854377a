// How long the configuration window takes to open, and where that time goes: a plain program of
// the Windows lane, run under Wine (or Windows) on a display. It opens the real window in this
// process on the simulated platform (one controller whose profile the Profile page loads) with
// an action library of ACTIONS actions in THEMES themes, N times, and reports the median time
// from the request to the window shown, painted and waiting for the user; then the same for each
// part: the three pages, the four action panels, the bare dialog templates and the long sorted
// lists. Nothing is asserted.
//
// Usage: config_window_open [ACTIONS=1000] [THEMES=50] [N=20]
#include <windows.h>
// After windows.h, whose declarations it uses.
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "actionedit/LibraryLists.h"
#include "config/TandrelConfiguration.h"
#include "platform/sim/SimPlatform.h"
#include "resource.h"
#include "timer/TimerService.h"
#include "timer/VirtualTimerService.h"
#include "ui/ActionsConfigurationDlg.h"
#include "ui/ComplexActionConfigDlg.h"
#include "ui/Controls.h"
#include "ui/GdiHandles.h"
#include "ui/JoysticksConfigurationDlg.h"
#include "ui/MouseActionConfigDlg.h"
#include "ui/MouseWheelActionConfigDlg.h"
#include "ui/ProfileConfigurationDlg.h"
#include "ui/TandrelConfigDlg.h"
#include "ui/UserInterface.h"
#include "ui/VKActionConfigDlg.h"
#include "ui/WindowServices.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// The default files of the source tree.
fs::path DataFolder() { return fs::path(__FILE__).parent_path().parent_path() / "data"; }

// The default library's actions, which the default profiles use, and then virtual-key actions
// with a few of every other kind, until there are `actions` in `themes` themes.
std::string LibraryText(int actions, int themes) {
  std::ifstream in(DataFolder() / "Actions.xml", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  if (actions == 0) return "<Actions >\r\n</Actions>\r\n";
  int have = 0;
  std::vector<std::string> defaultThemes;
  for (std::size_t at = 0; (at = text.find("theme = \"", at)) != std::string::npos;) {
    at += 9;
    const std::string theme = text.substr(at, text.find('"', at) - at);
    if (text.compare(text.rfind('<', at), 16, "<CombinedAction ") != 0) {
      ++have;
      if (std::find(defaultThemes.begin(), defaultThemes.end(), theme) == defaultThemes.end()) {
        defaultThemes.push_back(theme);
      }
    }
  }
  const int more = std::max(0, actions - have);
  const int moreThemes = std::max(1, themes - static_cast<int>(defaultThemes.size()));
  std::string keys, moves, wheels, combos;
  for (int i = 0; i < more; ++i) {
    const std::string theme = "Theme " + std::to_string(1 + i % moreThemes);
    const std::string name = "Action " + std::to_string(1000 + i);
    const std::string head =
        "\t\t<X theme = \"" + theme + "\" name = \"" + name + "\" type = \"Hold\" ";
    switch (i % 10) {
      case 7:
        moves += "\t\t<MouseAction" + head.substr(4) +
                 "direction = \"90\" absolute = \"false\" delay = \"20\" speed = \"300\" "
                 "acceleration = \"60\" />\r\n";
        break;
      case 8:
        wheels += "\t\t<MouseWheelAction" + head.substr(4) +
                  "direction = \"up\" delay = \"90\" lines = \"3\" />\r\n";
        break;
      case 9:
        combos += "\t\t<ComplexAction" + head.substr(4) +
                  ">\r\n\t\t\t<CombinedAction theme = \"Keys\" name = \"Ctrl\" type = \"Hold\" />"
                  "\r\n\t\t\t<CombinedAction theme = \"Keys\" name = \"Enter\" type = \"Hit\" />"
                  "\r\n\t\t</ComplexAction>\r\n";
        break;
      default:
        keys += "\t\t<VKAction" + head.substr(4) + "value = \"0x" + std::to_string(41 + i % 26) +
                "\" />\r\n";
    }
  }
  for (const auto& [group, added] :
       {std::pair{"</VKActions>", &keys}, std::pair{"</MouseActions>", &moves},
        std::pair{"</MouseWheelActions>", &wheels}, std::pair{"</ComplexActions>", &combos}}) {
    const std::size_t at = text.find(std::string("\t") + group);
    if (at != std::string::npos) text.insert(at, *added);
  }
  return text;
}

// Counts what the windows ask of the user; answers No, or cancels.
class SilentUser : public ui::IUserInterface {
 public:
  int requests = 0;

 private:
  int ShowMessage(HWND, const std::string& text, const std::string&, UINT) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
    ++requests;
    return IDNO;
  }
  std::optional<std::string> ChooseFile(const ui::FileDialogRequest&) override {
    ++requests;
    return std::nullopt;
  }
  void TrackPopupMenu(HMENU, int, int, HWND) override { ++requests; }
  bool ShowHelpContents(HWND, const std::string&) override {
    ++requests;
    return true;
  }
  void ShowContextHelp(HWND, const std::string&, DWORD) override { ++requests; }
};

// The simulated platform in virtual time, a program folder with the default configuration and
// profiles and the generated library, one controller plugged in, and the configuration built
// from them, as the program has it when the user opens the window.
class Surroundings {
 public:
  Surroundings(int actions, int themes)
      : folder_(fs::temp_directory_path() /
                ("tandrel-window-bench-" + std::to_string(GetCurrentProcessId()))) {
    platform_.UseClock(&timers_);
    services_ = std::make_unique<seam::ScopedServices>(platform_.services());
    timerService_ = std::make_unique<ScopedTimerService>(&timers_);
    fs::create_directories(folder_);
    for (const char* name : {"Tandrel.exe.config", "Gamepad.xml", "SlideShow.xml"}) {
      fs::copy_file(DataFolder() / name, folder_ / name, fs::copy_options::overwrite_existing);
    }
    std::ofstream(folder_ / "Actions.xml", std::ios::binary) << LibraryText(actions, themes);
    platform_.program().SetModuleFileName((folder_ / "Tandrel.exe").string());
    platform_.joysticks().Plug(0, seam::MakeJoystickCaps("ZRU", 10, true));
    configuration_ = std::make_unique<CTandrelConfiguration>(ConfigurationSettings{});
    menu_.reset(LoadMenuA(GetModuleHandleA(nullptr), IDR_POPUP_NAME));
  }
  ~Surroundings() {
    configuration_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  int ThemeCount() const { return static_cast<int>(actionedit::ThemeNames().size()); }
  int ActionCount() const { return static_cast<int>(actionedit::AvailableEntries().size()); }

  ui::WindowServices Services() {
    return {GetModuleHandleA(nullptr), *configuration_, user, menu_.get()};
  }

  SilentUser user;

 private:
  fs::path folder_;
  seam::SimPlatform platform_;
  VirtualTimerService timers_;
  std::unique_ptr<seam::ScopedServices> services_;
  std::unique_ptr<ScopedTimerService> timerService_;
  std::unique_ptr<CTandrelConfiguration> configuration_;
  ui::MenuHandle menu_;
};

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The opening that is running: the thread timer below ends it once the window waits for the
// user.
Clock::time_point g_opened;
CTandrelConfigDlg* g_window = nullptr;

// A thread timer's message comes only when the window's modal loop finds nothing else to do:
// the window is shown and painted.
void CALLBACK OnWindowIdle(HWND, UINT, UINT_PTR timer, DWORD) {
  g_opened = Clock::now();
  KillTimer(nullptr, timer);
  PostMessageA(g_window->GetHandle(), WM_COMMAND, IDCANCEL, 0);
}

// Opens the configuration window and cancels it as soon as it waits for the user; the time to
// that moment.
double OpenWindowOnce(CTandrelConfigDlg& window) {
  g_window = &window;
  SetTimer(nullptr, 0, 0, OnWindowIdle);
  const Clock::time_point start = Clock::now();
  window.DoModal();
  return Milliseconds(g_opened - start);
}

// A hidden top-level window for the pages and panels measured on their own.
class HiddenParent {
 public:
  HiddenParent()
      : handle_(CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 600, 600, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr)) {}
  ~HiddenParent() { DestroyWindow(handle_); }
  HWND handle() const { return handle_; }

 private:
  HWND handle_;
};

// Creates a page or panel object's window (made from `args`) and destroys it again; the time of the
// creation.
template <typename Dialog, typename... Args>
double CreateOnce(Args&&... args) {
  Dialog dialog(std::forward<Args>(args)...);
  const Clock::time_point start = Clock::now();
  dialog.Create();
  const double ms = Milliseconds(Clock::now() - start);
  DestroyWindow(dialog.GetHandle());
  return ms;
}

INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A template's controls alone, without the program's handlers.
double BareTemplateOnce(HWND parent, int id) {
  const Clock::time_point start = Clock::now();
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), parent,
                                   BareDialogProc, 0);
  const double ms = Milliseconds(Clock::now() - start);
  DestroyWindow(dialog);
  return ms;
}

void Report(const char* what, const std::function<double()>& once, int n) {
  std::vector<double> times;
  once();  // the first creation of a kind loads what later ones find ready
  for (int i = 0; i < n; ++i) times.push_back(once());
  std::printf("%-58s %8.2f ms\n", what, Median(times));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int actions = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int themes = argc > 2 ? std::atoi(argv[2]) : 50;
  const int n = argc > 3 ? std::atoi(argv[3]) : 20;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  Surroundings surroundings(actions, themes);
  std::printf("library: %d actions in %d themes; median of %d\n", surroundings.ActionCount(),
              surroundings.ThemeCount(), n);
  const ui::WindowServices services = surroundings.Services();
  const HINSTANCE instance = services.instance;
  CTandrelConfigDlg window(services, nullptr);
  Report(
      "configuration window: request to shown and idle", [&] { return OpenWindowOnce(window); }, n);

  HiddenParent parent;
  const HWND p = parent.handle();
  Report(
      "  Joysticks page",
      [&] { return CreateOnce<CJoysticksConfigurationDlg>(services, ui::PageHost{}, p); }, n);
  Report(
      "  Profile page (loads the first controller's profile)",
      [&] { return CreateOnce<CProfileConfigurationDlg>(services, ui::PageHost{}, p); }, n);
  Report(
      "  Actions page (with its four panels and lists)",
      [&] { return CreateOnce<CActionsConfigurationDlg>(services, ui::PageHost{}, p); }, n);
  Report(
      "    key panel", [&] { return CreateOnce<CVKActionConfigDlg>(instance, p); }, n);
  Report(
      "    combination panel (empty)",
      [&] { return CreateOnce<CComplexActionConfigDlg>(instance, p); }, n);
  Report(
      "    mouse panel", [&] { return CreateOnce<CMouseActionConfigDlg>(instance, p); }, n);
  Report(
      "    wheel panel", [&] { return CreateOnce<CMouseWheelActionConfigDlg>(instance, p); }, n);

  CComplexActionConfigDlg combination(instance, p);
  combination.Create();
  Report(
      "    sorted list: every action into the combination panel",
      [&] {
        const Clock::time_point start = Clock::now();
        combination.FillAvailable(actionedit::AvailableEntries());
        return Milliseconds(Clock::now() - start);
      },
      n);
  DestroyWindow(combination.GetHandle());

  const struct {
    int id;
    const char* name;
  } templates[] = {{IDD_CONFIGURATION, "  template: window"},
                   {IDD_JOYSTICKS_PAGE, "  template: Joysticks page"},
                   {IDD_PROFILE_PAGE, "  template: Profile page"},
                   {IDD_ACTIONS_PAGE, "  template: Actions page"},
                   {IDD_VK_PANEL, "  template: key panel"},
                   {IDD_COMPLEX_PANEL, "  template: combination panel"},
                   {IDD_MOUSE_PANEL, "  template: mouse panel"},
                   {IDD_WHEEL_PANEL, "  template: wheel panel"}};
  for (const auto& t : templates) {
    Report(
        t.name, [&] { return BareTemplateOnce(t.id == IDD_CONFIGURATION ? nullptr : p, t.id); }, n);
  }
  if (surroundings.user.requests != 0) {
    std::printf("the windows asked the user %d times\n", surroundings.user.requests);
  }
  return 0;
}
