#include "qt/TrayProgram.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <cstdlib>
#include <filesystem>

#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"
#include "config/TandrelConfiguration.h"
#include "platform/linux/ActiveWindowWatcher.h"
#include "qt/ConfigWindow.h"
#include "qt/UserInterface.h"
#include "qt/WindowMessages.h"
#include "qt/XServer.h"

namespace qtui {

namespace {

// The manual beside the program (a build folder), else where the package installs it.
std::string ManualPath(const std::string& programPath) {
  const std::filesystem::path program(programPath);
  std::error_code error;
  const auto beside = program.parent_path() / "Tandrel.html";
  if (std::filesystem::exists(beside, error)) return beside.string();
  return (program.parent_path().parent_path() / "share" / "doc" / "tandrel" / "Tandrel.html")
      .string();
}

class WindowLoop : public app::MainLoop {
 public:
  WindowLoop(const app::RunSettings& settings, UserInterface& user)
      : settings_(settings), user_(user) {}

  QWidget* OpenWindow() const { return window_.data(); }

  app::Ending Run(CTandrelConfiguration& configuration, seam::ActiveWindowWatcher& watcher,
                  app::StopSignals& stopSignals) override {
    configuration_ = &configuration;
    app::Ending ending = app::Ending::Stopped;
    QSocketNotifier xEvents(watcher.FileDescriptor(), QSocketNotifier::Read);
    QObject::connect(&xEvents, &QSocketNotifier::activated, [&] {
      if (watcher.Dispatch()) return;
      ending = app::Ending::DisplayLost;
      QApplication::exit(0);
    });
    QSocketNotifier stops(stopSignals.FileDescriptor(), QSocketNotifier::Read);
    QObject::connect(&stops, &QSocketNotifier::activated, [&] {
      const app::SignalAction action = stopSignals.Take();
      if (action == app::SignalAction::Stop) QApplication::exit(0);
      if (action == app::SignalAction::Reload) configuration.Load();
    });
    // Events that arrived before the loop must not wait for the next one.
    if (!watcher.Dispatch()) return app::Ending::DisplayLost;

    QMenu menu;
    QAction* open = menu.addAction("Configuration");
    menu.setDefaultAction(open);
    QObject::connect(open, &QAction::triggered, [this] { ShowConfigurationWindow(); });
    QObject::connect(menu.addAction("Help"), &QAction::triggered, [this] { OpenHelp(); });
    QObject::connect(menu.addAction("Exit"), &QAction::triggered, [] { QApplication::exit(0); });
    QSystemTrayIcon tray(QIcon(":/tandrel.png"));
    tray.setToolTip("Tandrel");
    tray.setContextMenu(&menu);
    QObject::connect(&tray, &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason why) {
                       if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick) {
                         ShowConfigurationWindow();
                       }
                     });
    trayShown_ = QSystemTrayIcon::isSystemTrayAvailable();
    if (trayShown_) tray.show();
    if (!trayShown_ || !settings_.background) ShowConfigurationWindow();
    QApplication::exec();
    delete window_.data();
    configuration_ = nullptr;
    return ending;
  }

 private:
  // Brings an open window forward, or opens a new one.
  void ShowConfigurationWindow() {
    if (window_) {
      window_->raise();
      window_->activateWindow();
      return;
    }
    window_ = new ConfigWindow({*configuration_, user_});
    window_->setWindowIcon(QIcon(":/tandrel.png"));
    QObject::connect(window_, &QDialog::finished, [this] {
      ConfigWindow* ended = window_.data();
      window_ = nullptr;
      const bool closedByFrame = ended->ClosedByFrame();
      ended->deleteLater();
      if (trayShown_) return;
      // Without a tray nothing could open the window again: it stays, or the program ends.
      if (closedByFrame) {
        QApplication::exit(0);
      } else {
        ShowConfigurationWindow();
      }
    });
    window_->show();
  }

  void OpenHelp() {
    const std::string manual = ManualPath(settings_.programPath);
    if (user_.OpenManual(manual)) return;
    user_.Ask(window_.data(),
              "The manual \"" + manual +
                  "\" could not be opened: no program is registered to open .html files.\r\nOpen "
                  "it with a web browser.",
              "Help", seam::MessageButtons::Ok, seam::MessageIcon::Information);
  }

  const app::RunSettings& settings_;
  UserInterface& user_;
  CTandrelConfiguration* configuration_ = nullptr;
  QPointer<ConfigWindow> window_;
  bool trayShown_ = false;
};

}  // namespace

int RunWithWindow(const app::RunSettings& settings, int argc, char** argv) {
  // Qt would end the process on a display it cannot open; the program says so in one line.
  if (!DisplayOpens()) {
    const char* name = std::getenv("DISPLAY");
    app::Complain(settings.err,
                  std::string("cannot open the X display \"") + (name ? name : "") + "\"");
    return app::kExitFailed;
  }
  // The program drives X11 (XTest, EWMH): its window is an X11 window too, also under XWayland.
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tandrel");
  QApplication::setQuitOnLastWindowClosed(false);
  QtUserInterface user;
  WindowLoop loop(settings, user);
  WindowMessages messages(user, [&loop] { return loop.OpenWindow(); });
  return app::RunTandrel(settings, &loop, &messages);
}

}  // namespace qtui
