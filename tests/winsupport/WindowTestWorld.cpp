#include "WindowTestWorld.h"

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ui/ActionsConfigurationDlg.h"
#include "ui/JoysticksConfigurationDlg.h"
#include "ui/ProfileConfigurationDlg.h"
#include "ui/ProgramContext.h"

std::string Xml(const std::string& text) {
  std::istringstream in(text);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    const size_t blanks = line.find_first_not_of(' ');
    out += std::string(blanks / 2, '\t') + line.substr(blanks) + "\r\n";
  }
  return out;
}

WindowTestWorld::WindowTestWorld() : folder(world.UseTempProgramFolder("Tandrel.exe")) {
  menu_.reset(LoadMenuA(GetModuleHandleA(nullptr), IDR_POPUP_NAME));
  EndConfiguration();
  for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
    std::filesystem::copy_file(std::string(TANDREL_SOURCE_DIR) + "/data/" + name, folder + name);
  }
}

void WindowTestWorld::Write(const std::string& name, const std::string& text) {
  std::ofstream(folder + name, std::ios::binary) << Xml(text);
}

std::string WindowTestWorld::Read(const std::string& name) const {
  std::ostringstream bytes;
  bytes << std::ifstream(folder + name, std::ios::binary).rdbuf();
  return bytes.str();
}

std::vector<std::string> WindowTestWorld::Messages() {
  std::vector<std::string> texts;
  for (const auto& message : world.messages().Log()) {
    texts.push_back(message.caption + ": " + message.text);
  }
  return texts;
}

void WindowTestWorld::StartConfiguration() {
  ConfigurationSettings settings;
  settings.observer = this;
  configuration_ = std::make_unique<CTandrelConfiguration>(settings);
  ui::SetProgramContext({GetModuleHandleA(nullptr), menu_.get(), configuration_.get()});
}

void WindowTestWorld::EndConfiguration() {
  ui::SetProgramContext({GetModuleHandleA(nullptr), menu_.get(), nullptr});
  configuration_.reset();
}

ModalThread::ModalThread(std::function<INT_PTR()> run) {
  std::atomic<DWORD> id{0};
  thread_ = std::thread([this, run, &id] {
    id = GetCurrentThreadId();
    result_ = run();
  });
  while (id == 0) std::this_thread::yield();
  threadId_ = id;
}

ModalThread::~ModalThread() {
  if (thread_.joinable()) PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  Join();
}

HWND ModalThread::WaitForWindow(const char* caption) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (; std::chrono::steady_clock::now() < end; std::this_thread::yield()) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, caption)) != nullptr;) {
      if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == threadId_) return w;
    }
  }
  return nullptr;
}

OpenWindow::OpenWindow(int tab) {
  if (dialog == nullptr) {
    ADD_FAILURE() << "the configuration window did not open";
    return;
  }
  if (tab != 0) SelectTab(dialog, IDC_TABS, tab);
  CConfigurationPage* pages[] = {window.JoysticksPage(), window.ProfilePage(),
                                 window.ActionsPage()};
  page = pages[tab]->GetHandle();
}

OpenWindow::~OpenWindow() {
  if (window.IsRunning()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

namespace {

// The message of a combo box (`combo`) or of a list box (`list`).
UINT ListMessage(HWND control, UINT combo, UINT list) {
  char name[16] = {};
  GetClassNameA(control, name, sizeof(name));
  return _stricmp(name, "ComboBox") == 0 ? combo : list;
}

}  // namespace

HWND Control(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}

void Click(HWND dialog, int id) {
  HWND button = Control(dialog, id);
  ASSERT_TRUE(IsWindowVisible(button) && IsWindowEnabled(button)) << "cannot click " << id;
  SendMessageA(button, BM_CLICK, 0, 0);
}

void Type(HWND dialog, int id, const std::string& text, bool append) {
  HWND edit = Control(dialog, id);  // or a combo box's own edit field
  if (HWND inner = FindWindowExA(edit, nullptr, "Edit", nullptr)) edit = inner;
  ASSERT_TRUE(IsWindowEnabled(edit)) << "cannot type into " << id;
  if (!append) SendMessageA(edit, EM_SETSEL, 0, -1);
  for (char c : append ? text : "\b" + text) {
    SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
}

void Choose(HWND dialog, int id, const std::string& text) {
  HWND control = Control(dialog, id);
  const LRESULT index =
      SendMessageA(control, ListMessage(control, CB_FINDSTRINGEXACT, LB_FINDSTRINGEXACT),
                   static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_TRUE(index >= 0 && IsWindowEnabled(control))
      << "cannot choose \"" << text << "\" in " << id;
  SendMessageA(control, ListMessage(control, CB_SETCURSEL, LB_SETCURSEL), index, 0);
  Notify(dialog, id, ListMessage(control, CBN_SELCHANGE, LBN_SELCHANGE));
}

void SelectTab(HWND dialog, int tabsId, int index) {
  HWND tabs = Control(dialog, tabsId);
  SendMessageA(tabs, TCM_SETCURSEL, index, 0);
  NMHDR header = {tabs, static_cast<UINT_PTR>(tabsId), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(dialog, WM_NOTIFY, tabsId, reinterpret_cast<LPARAM>(&header));
}

std::vector<std::string> ItemsOf(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  std::vector<std::string> items;
  for (LRESULT i = 0;
       i < SendMessageA(control, ListMessage(control, CB_GETCOUNT, LB_GETCOUNT), 0, 0); ++i) {
    char text[512] = {};
    SendMessageA(control, ListMessage(control, CB_GETLBTEXT, LB_GETTEXT), i,
                 reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

std::string SelectedText(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  const LRESULT index =
      SendMessageA(control, ListMessage(control, CB_GETCURSEL, LB_GETCURSEL), 0, 0);
  return index < 0 ? std::string() : ItemsOf(dialog, id).at(index);
}

std::string TextOf(HWND dialog, int id) {
  char text[1024] = {};
  GetWindowTextA(Control(dialog, id), text, sizeof(text));
  return text;
}
