// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac on the command line, without a display: a month as a table, as
// JSON or as an A4 page, the year's booklet, the year's calendar for a phone.

namespace ortalba {

// The whole command line: prints to stdout, errors to stderr; returns the exit code.
int runCommandLine(int argc, char** argv);

}  // namespace ortalba
