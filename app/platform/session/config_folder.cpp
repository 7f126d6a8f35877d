// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/session/config_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "app/platform/session/file_io.h"

namespace ortalba {

ConfigFolder configFolderPath() {
  std::string base;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    // A relative XDG_CONFIG_HOME is not to be used; the home folder then.
    const char* home = std::getenv("HOME");
    std::string folder = home != nullptr ? home : "";
    if (folder.empty() || folder[0] != '/') {
      const passwd* user = ::getpwuid(::geteuid());
      folder = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder.empty() || folder == "/" || folder[0] != '/') return {{}, "la cartella di casa non è nota"};
    base = folder + "/.config";
  }
  return {base + "/ortalba", {}};
}

ConfigFolder userConfigFolder() {
  const ConfigFolder located = configFolderPath();
  if (located.path.empty()) return located;
  const std::string& path = located.path;
  // Made one folder at a time, by its bytes.
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
      return {{}, "la cartella " + part + " non si può creare: " + errorWords(errno)};
    if (slash == std::string::npos) break;
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || ::access(path.c_str(), W_OK | X_OK) != 0)
    return {{}, "la cartella " + path + " non si può usare"};
  return {path, {}};
}

}  // namespace ortalba
