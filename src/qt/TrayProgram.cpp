#include "qt/TrayProgram.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"
#include "config/TandrelConfiguration.h"
#include "platform/linux/ActiveWindowWatcher.h"
#include "qt/ConfigWindow.h"
#include "qt/UserInterface.h"
#include "qt/WindowMessages.h"

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
  static constexpr int kTrayWaitMs = 10000;

  WindowLoop(const app::RunSettings& settings, UserInterface& user, int& argc, char** argv)
      : settings_(settings), user_(user), argc_(argc), argv_(argv) {}

  QWidget* OpenWindow() const { return window_.data(); }

  // Qt starts once the display is known to work (it would end the process on one it cannot
  // open), before the configuration's load, whose messages are its boxes.
  void DisplayOpened() override {
    // The program drives X11 (XTest, EWMH): its window is an X11 window too, also on XWayland.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    application_.emplace(argc_, argv_);
    QApplication::setApplicationName("Tandrel");
    QApplication::setQuitOnLastWindowClosed(false);
  }

  std::string Run(app::RunningProgram& program) override {
    configuration_ = &program.configuration;
    std::string ending;
    QSocketNotifier xEvents(program.watcher.FileDescriptor(), QSocketNotifier::Read);
    QObject::connect(&xEvents, &QSocketNotifier::activated, [&] {
      if (program.dispatchX()) return;
      ending = app::kDisplayLost;
      QApplication::exit(0);
    });
    QSocketNotifier stops(program.stopSignals.FileDescriptor(), QSocketNotifier::Read);
    QObject::connect(&stops, &QSocketNotifier::activated, [&] {
      const app::SignalAction action = program.stopSignals.Take();
      if (action == app::SignalAction::Stop) QApplication::exit(0);
      if (action == app::SignalAction::Reload) program.configuration.Load();
    });
    // Events that arrived before the loop must not wait for the next one.
    if (!program.dispatchX()) return app::kDisplayLost;

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
    // Shown now, or as soon as a tray appears (Qt adds it then).
    tray.show();
    QTimer noTray;
    noTray.setSingleShot(true);
    QObject::connect(&noTray, &QTimer::timeout, [this] {
      if (!QSystemTrayIcon::isSystemTrayAvailable()) ShowConfigurationWindow();
    });
    if (!settings_.background) {
      ShowConfigurationWindow();
    } else if (!QSystemTrayIcon::isSystemTrayAvailable()) {
      // Started with the desktop, the program may come before the panel that holds the tray:
      // the window opens only when none has appeared by then.
      noTray.start(kTrayWaitMs);
    }
    QApplication::exec();
    // Every window goes while the configuration its pages hold back through is still there.
    delete window_.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
      if (QSystemTrayIcon::isSystemTrayAvailable()) return;
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
  int& argc_;
  char** argv_;
  std::optional<QApplication> application_;
  CTandrelConfiguration* configuration_ = nullptr;
  QPointer<ConfigWindow> window_;
};

}  // namespace

int RunWithWindow(const app::RunSettings& settings, int argc, char** argv) {
  QtUserInterface user;
  WindowLoop loop(settings, user, argc, argv);
  WindowMessages messages(user, [&loop] { return loop.OpenWindow(); });
  return app::RunTandrel(settings, &loop, &messages);
}

}  // namespace qtui
