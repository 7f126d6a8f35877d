#pragma once
// Where a month's notes document is read from.
#include <QString>
#include <string>

namespace ortalba {

// The file the notes of `path` are read from: `path` itself when it exists,
// else the same document among the installed ones.
QString notesFile(const std::string& path);

}  // namespace ortalba
