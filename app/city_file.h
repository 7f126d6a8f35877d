// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The remembered-city file: one line, the city's name in Windows-1252, CRLF.
#include <optional>
#include <string>
#include <string_view>

#include "app/place.h"
#include "app/platform_port.h"

namespace app {

inline constexpr const char* CityFileName = "luogo.txt";
// No name of the table is longer than this; a longer first line is not read in full.
inline constexpr std::size_t CityFileReadLimit = 4096;

// Join a folder and a name with `separator`, without doubling a separator the
// folder already ends with ("/" + "luogo.txt" = "/luogo.txt"); no folder at
// all leaves the name as it is, never at the root.
std::string joinPath(std::string_view folder, std::string_view name, char separator);

// The first field of a line: leading blanks skipped; ends at the first comma or
// at the line's end; a field that begins with a double quote runs to the next one.
std::string firstField(std::string_view line);

// Bytes of the file's first line to UTF-8: valid UTF-8 is taken as it is,
// anything else is read as Windows-1252.
std::string decodeCityFileLine(std::string_view bytes);

// The file's content for a city name (UTF-8 in): Windows-1252 and CRLF. Nothing
// when the name has a character Windows-1252 cannot hold.
std::optional<std::string> cityFileContent(std::string_view utf8Name);

// Where luogo.txt lives: in the working folder; empty when that folder is not
// known, and then the city is neither read nor saved.
std::string cityFilePath(Platform& platform);

// The line the file at `path` remembers (its first line, UTF-8); nothing when
// the file cannot be read.
std::optional<std::string> readRememberedName(Platform& platform, const std::string& path);

// The place a remembered line stands for: coordinates (app/place_search), else its
// first field as a name of the table or a comune with its province; ROMA for no
// line or one the almanac does not know.
Place placeOfRememberedName(const std::optional<std::string>& line);

// The place luogo.txt of the working folder names; ROMA when the file cannot be
// read or names no place of the table.
Place rememberedPlace(Platform& platform);

}  // namespace app
