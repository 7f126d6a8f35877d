// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/session/config_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "app/platform/session/file_io.h"

namespace ortalba {

namespace {

// `variable` when it is an absolute path, else `underHome` in the home folder;
// ortalba within it.
ConfigFolder xdgFolder(const char* variable, const char* underHome) {
  std::string base;
  const char* set = std::getenv(variable);
  if (set != nullptr && set[0] == '/') {
    base = set;
  } else {
    // A relative XDG variable is not to be used; the home folder then.
    const char* home = std::getenv("HOME");
    std::string folder = home != nullptr ? home : "";
    if (folder.empty() || folder[0] != '/') {
      const passwd* user = ::getpwuid(::geteuid());
      folder = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder.empty() || folder == "/" || folder[0] != '/') return {{}, "la cartella di casa non è nota"};
    base = folder + underHome;
  }
  return {base + "/ortalba", {}};
}

ConfigFolder made(const ConfigFolder& located) {
  if (located.path.empty()) return located;
  std::string problem = madeFolder(located.path);
  if (!problem.empty()) return {{}, std::move(problem)};
  return located;
}

}  // namespace

std::string madeFolder(const std::string& path) {
  // Made one folder at a time, by its bytes.
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
      return "la cartella " + part + " non si può creare: " + errorWords(errno);
    if (slash == std::string::npos) break;
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || ::access(path.c_str(), W_OK | X_OK) != 0)
    return "la cartella " + path + " non si può usare";
  return {};
}

ConfigFolder configFolderPath() { return xdgFolder("XDG_CONFIG_HOME", "/.config"); }
ConfigFolder userConfigFolder() { return made(configFolderPath()); }
ConfigFolder dataFolderPath() { return xdgFolder("XDG_DATA_HOME", "/.local/share"); }
ConfigFolder userDataFolder() { return made(dataFolderPath()); }

}  // namespace ortalba
