// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's folder among the user's configuration, where the desktop's
// almanac keeps luogo.txt and every almanac its preferences.
#include <string>

namespace ortalba {

// The almanac's folder in the user's configuration folder, as the XDG base
// directory rules place it: $XDG_CONFIG_HOME/ortalba when that is an absolute path,
// else $HOME/.config/ortalba, HOME taken from the environment or else the password
// database, never the root of the file system. Made when missing. The path is in
// the file system's own bytes (a name that is not UTF-8 is used as it is); empty,
// with `problem` saying why in a few Italian words, when it cannot be made.
struct ConfigFolder {
  std::string path;
  std::string problem;
};
ConfigFolder userConfigFolder();
// Where that folder is, without making it.
ConfigFolder configFolderPath();

}  // namespace ortalba
