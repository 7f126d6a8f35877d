// SPDX-License-Identifier: GPL-3.0-or-later
// Ortalba: with no arguments the almanac's window; with arguments the command-line printer.
#include <cstring>

#include "app/platform/desktop_session.h"
#include "app/platform/printer.h"

int main(int argc, char** argv) {
  // The desktop menu's launcher keeps the almanac's file in the user's configuration folder.
  if (argc == 2 && std::strcmp(argv[1], "--cartella-utente") == 0)
    return ortalba::runWindow(argc, argv, ortalba::WorkingFolder::UserConfig);
  if (argc > 1) return ortalba::runCommandLine(argc, argv);
  return ortalba::runWindow(argc, argv, ortalba::WorkingFolder::Current);
}
