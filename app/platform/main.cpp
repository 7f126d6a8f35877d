// SPDX-License-Identifier: GPL-3.0-or-later
// Ortalba: with no arguments the almanac's window; with arguments the command-line printer.
#include <QGuiApplication>
#include <cstring>

#include "app/platform/session/desktop_session.h"
#include "app/platform/command_line/command_line.h"

int main(int argc, char** argv) {
  // The window's design is drawn in whole pixels. A fractional device pixel ratio
  // (a font DPI of 144 gives 1.5) would set its one-pixel borders between device
  // pixels, where some vanish; rounded down, the desktop's larger letters reach the
  // window through its zoom instead. QT_SCALE_FACTOR_ROUNDING_POLICY still decides.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
  // The desktop menu's launcher keeps the almanac's file in the user's configuration folder.
  if (argc == 2 && std::strcmp(argv[1], "--cartella-utente") == 0)
    return ortalba::runWindow(argc, argv, ortalba::WorkingFolder::UserConfig);
  if (argc > 1) return ortalba::runCommandLine(argc, argv);
  return ortalba::runWindow(argc, argv, ortalba::WorkingFolder::Current);
}
