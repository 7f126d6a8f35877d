// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/city_file.h"

#include "app/city_table.h"
#include "app/place_search.h"
#include "encoding/text_encoding.h"

namespace app {

std::string joinPath(std::string_view folder, std::string_view name, char separator) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/' && out.back() != '\\') out += separator;
  out += name;
  return out;
}

std::string firstField(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i < line.size() && line[i] == '"') {
    const auto close = line.find('"', i + 1);
    return std::string(line.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
  }
  const auto end = line.find_first_of(",\r\n", i);
  std::string field(line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
  // A field read up to its line end loses trailing blanks, as a text field does.
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.pop_back();
  return field;
}

std::string decodeCityFileLine(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // editors' byte-order mark
  return encoding::isValidUtf8(bytes) ? std::string(bytes) : encoding::windows1252ToUtf8(bytes);
}

std::optional<std::string> cityFileContent(std::string_view utf8Name) {
  auto bytes = encoding::utf8ToWindows1252(utf8Name);
  if (!bytes) return std::nullopt;
  *bytes += "\r\n";
  return bytes;
}

std::string cityFilePath(Platform& platform) {
  const std::string folder = platform.workingFolder();
  return folder.empty() ? std::string() : joinPath(folder, CityFileName, platform.pathSeparator());
}

std::optional<std::string> readRememberedName(Platform& platform, const std::string& path) {
  if (path.empty()) return std::nullopt;
  auto line = platform.readFirstLine(path, CityFileReadLimit);
  if (!line) return std::nullopt;
  return decodeCityFileLine(*line);
}

Place placeOfRememberedName(const std::optional<std::string>& line) {
  if (!line) return defaultPlace();
  if (const auto field = parseCoordinates(*line); field && withinItaly(*field)) return placeOfCoordinates(*field);
  const std::string name = firstField(*line);
  if (auto listed = findPlace(name)) return *listed;
  return placeOfComuneTitle(name).value_or(defaultPlace());
}

Place rememberedPlace(Platform& platform) { return placeOfRememberedName(readRememberedName(platform, cityFilePath(platform))); }

}  // namespace app
