// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a month's notes document is read from.
#include <string>

namespace ortalba {

// The file the notes of `path` are read from: `path` itself when something is
// there, else the same document among the installed ones. Paths are the file
// system's own bytes. Only names are looked at (nothing is opened), so a pipe
// in a document's place costs no wait here.
std::string notesFile(const std::string& path);

}  // namespace ortalba
