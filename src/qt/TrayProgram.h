// `tandrel` without a command: the program with its icon in the notification area
// (QSystemTrayIcon: a StatusNotifierItem where the desktop offers one, the XEmbed tray
// otherwise) whose menu has "Configuration", "Help" and "Exit", and the configuration window,
// opened at start unless `--background` says otherwise. Without any tray the window is the
// program's only face: it opens (with `--background`, once 10 s passed without a tray appearing,
// since a program started with the desktop may come before its panel) and stays open (OK and
// Cancel do their work and show it anew), and closing it ends the program. The rest is `tandrel
// run`'s (src/app/linux): the configuration folder, the instance lock, the adapters, the timer
// service, the configuration and the active-window watcher, whose events and the stop signals reach
// Qt's event loop through socket notifiers.
#pragma once

#include "app/linux/RunSettings.h"

namespace qtui {

// Runs the window's program (argc and argv for QApplication); the exit code as RunTandrel's.
int RunWithWindow(const app::RunSettings& settings, int argc, char** argv);

}  // namespace qtui
