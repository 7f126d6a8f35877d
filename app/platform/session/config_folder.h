// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's folders among the user's configuration, where the desktop's
// almanac keeps luogo.txt and every almanac its preferences, and among the
// user's data, where the diary is.
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

// The same for the almanac's folder among the user's data, where the diary is
// kept: $XDG_DATA_HOME/ortalba, else $HOME/.local/share/ortalba.
ConfigFolder userDataFolder();
ConfigFolder dataFolderPath();

// Makes the folder `path` (absolute) and those above it that are missing, each
// private to the user; why not, in a few Italian words, or empty when it is there
// and can be written in.
std::string madeFolder(const std::string& path);

}  // namespace ortalba
