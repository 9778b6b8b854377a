#include "app/win32/TandrelApplication.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "app/win32/ActiveWindowFollower.h"
#include "app/win32/NotificationIcon.h"
#include "config/TandrelConfiguration.h"
#include "platform/Platform.h"
#include "resource.h"
#include "ui/TandrelConfigDlg.h"
#include "ui/UserInterface.h"
#include "ui/Win32UserInterface.h"

CTandrelApplication::CTandrelApplication(HINSTANCE instance, CTandrelConfiguration& configuration,
                                         ui::IUserInterface& user,
                                         seam::Win32Messages* coreMessages)
    : instance_(instance),
      configuration_(configuration),
      user_(user),
      coreMessages_(coreMessages) {}

CTandrelApplication::~CTandrelApplication() { Shutdown(); }

bool CTandrelApplication::SuppressesConfiguration(const char* commandLine) {
  std::string upper = commandLine == nullptr ? std::string() : commandLine;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper.find("/NOCONFIGURE") != std::string::npos;
}

int CTandrelApplication::Run(const char* commandLine) {
  return Start() ? RunStarted(commandLine) : -1;
}

int CTandrelApplication::RunStarted(const char* commandLine) {
  if (!SuppressesConfiguration(commandLine)) ShowConfigurationWindow();
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Shutdown();
  return 0;
}

bool CTandrelApplication::Start() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconA(instance_, IDI_JOY_NAME);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);  // a second instance in one process finds it registered
  window_ = CreateWindowExA(0, "TANDRELMAINFRAME", "Tandrel", 0, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) return false;

  menu_.reset(LoadMenuA(instance_, IDR_POPUP_NAME));
  if (menu_) {
    HMENU iconMenu = GetSubMenu(menu_.get(), IDR_POPUP_NOTIFY_MENU);
    SetMenuDefaultItem(iconMenu, ID_CONFIGURATION, FALSE);
    HiliteMenuItem(window_, iconMenu, ID_CONFIGURATION, MF_BYCOMMAND | MF_HILITE);
  }
  configWindow_ = std::make_unique<CTandrelConfigDlg>(
      ui::WindowServices{instance_, configuration_, user_, menu_.get(), coreMessages_}, window_);
  icon_ = std::make_unique<CNotificationIcon>(window_, instance_);
  follower_ = std::make_unique<CActiveWindowFollower>(window_, [this](const std::string& title) {
    configuration_.SwitchProfileForWindow(title.c_str());
  });
  return true;
}

void CTandrelApplication::Shutdown() {
  follower_.reset();
  configWindow_.reset();
  menu_.reset();
  icon_.reset();
}

void CTandrelApplication::ShowConfigurationWindow() {
  if (!configWindow_) return;
  HWND active = GetActiveWindow();
  if (configWindow_->IsRunning()) {
    SetForegroundWindow(configWindow_->GetHandle());
    return;
  }
  configWindow_->DoModal();
  SetActiveWindow(active);
}

LRESULT CALLBACK CTandrelApplication::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* application =
      reinterpret_cast<CTandrelApplication*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (application == nullptr || application->window_ != window) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return application->HandleMessage(message, wParam, lParam);
}

LRESULT CTandrelApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Sent to every top-level window when the shell (re)starts its taskbar.
  static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  if (message == taskbarCreated && icon_ != nullptr) icon_->Restore();
  // Said from within the configuration window's loop, once the window is up.
  constexpr UINT kTellAlreadyRunning = WM_APP + 2;
  switch (message) {
    case WM_CLOSE:
      return 0;  // only "Exit" ends the program
    case kAnotherStart:
      PostMessageA(window_, kTellAlreadyRunning, 0, 0);
      ShowConfigurationWindow();
      return 0;
    case kTellAlreadyRunning:
      TellAlreadyRunning();
      return 0;
    case WM_QUERYENDSESSION:
      return MayExit() ? TRUE : FALSE;
    case WM_ENDSESSION:
      // The system may end the process once this returns; the files are written by then.
      if (wParam != FALSE) Exit();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case ID_CONFIGURATION:
          ShowConfigurationWindow();
          return -1;
        case ID_HELP:
          OpenHelp();
          return -1;
        case ID_EXIT:
          if (!MayExit()) return kStaysRunning;
          Exit();
          return -1;
        default:
          break;
      }
      break;
    case WM_TRAYNOTIFY:
      return OnTrayNotify(wParam, lParam);
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CTandrelApplication::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
  if (wParam != ID_TRAY_ICON) return -1;
  if (lParam == WM_LBUTTONDBLCLK) {
    ShowConfigurationWindow();
  } else if (lParam == WM_RBUTTONDOWN) {
    ShowPopupMenu();
  }
  return -1;
}

void CTandrelApplication::ShowPopupMenu() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  HWND active = GetActiveWindow();
  // The menu closes when the user clicks elsewhere only while its owner is in the foreground.
  SetForegroundWindow(window_);
  if (menu_) {
    user_.TrackPopupMenu(GetSubMenu(menu_.get(), IDR_POPUP_NOTIFY_MENU), cursor.x, cursor.y,
                         window_);
  }
  SetActiveWindow(active);
}

void CTandrelApplication::OpenHelp() {
  const std::string folder = configuration_.GetProgramFolder();
  if (user_.ShowHelpContents(window_, folder + "Tandrel.hlp")) return;
  user_.ShowMessage(
      window_,
      "The manual \"" + folder + ui::Win32UserInterface::kManualName +
          "\" could not be opened: no program is registered to open .html files.\r\nOpen it "
          "with a web browser.",
      "Help", MB_OK | MB_ICONINFORMATION);
}

void CTandrelApplication::TellAlreadyRunning() {
  std::string folder = configuration_.GetProgramFolder();
  if (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
  const bool open = configWindow_ && configWindow_->IsRunning();
  // A window just opened shows when its loop first idles; the message is about it, so it shows
  // first.
  if (open) ShowWindow(configWindow_->GetHandle(), SW_SHOW);
  user_.ShowMessage(open ? configWindow_->GetHandle() : window_,
                    "Tandrel is already running from \"" + folder +
                        "\".\r\nOnly one Tandrel runs at a time, or every input would be sent "
                        "twice: this is its configuration window.",
                    "Tandrel", MB_OK | MB_ICONINFORMATION);
}

bool CTandrelApplication::MayExit() {
  if (askingToExit_) return false;
  if (!configWindow_ || !configWindow_->HasUnappliedChanges()) return true;
  ShowConfigurationWindow();  // brings it forward
  askingToExit_ = true;
  const int answer = user_.ShowMessage(
      configWindow_->GetHandle(),
      "Tandrel is asked to exit, but the configuration window holds changes that are not "
      "applied.\r\nDo you want to apply them first?",
      "Tandrel", MB_YESNOCANCEL | MB_ICONQUESTION);
  askingToExit_ = false;
  if (answer == IDYES) return configWindow_->ApplyChanges();
  return answer == IDNO;
}

void CTandrelApplication::Exit() {
  // A quit message taken by the configuration window's loop would end only that loop.
  if (configWindow_ && configWindow_->IsRunning()) configWindow_->Close();
  PostQuitMessage(0);
}
