// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's window on a Linux desktop: Qt's own texts in Italian, a clear
// word when there is no graphical session, and the user's configuration folder.
#include <QString>
#include <string>

#include "app/platform/session/config_folder.h"

class QCoreApplication;

namespace ortalba {

// The one line said when the window cannot open for want of a display.
inline constexpr char NoDisplayMessage[] =
    "ortalba: la finestra dell'almanacco ha bisogno di una sessione grafica; "
    "senza, ortalba --month AAAA-MM stampa il mese";

// Loads Qt's Italian translation, so that the standard dialogs, buttons and
// menus speak Italian whatever the user's locale; false when it is not installed.
bool speakItalian(QCoreApplication& application);

// Where the window runs: the folder current at start (from a terminal), or the
// user's configuration folder (from the desktop menu).
enum class WorkingFolder { Current, UserConfig };

// Opens the window and runs it until it is closed; the program's exit code.
int runWindow(int argc, char** argv, WorkingFolder folder);

}  // namespace ortalba
