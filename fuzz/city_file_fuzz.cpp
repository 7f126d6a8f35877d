// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the first line of luogo.txt: reading never fails loudly, and the
// character-set conversions agree with each other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/city_file.h"
#include "app/city_table.h"
#include "encoding/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const auto& row : app::CityTable) out.emplace_back(row.name);
    return out;
  }();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string line = app::decodeCityFileLine(bytes);
  if (!encoding::isValidUtf8(line)) std::abort();
  const std::string field = app::firstField(line);
  if (auto row = app::findCity(names, field)) {
    if (*row < 0 || *row >= 108 || names[static_cast<std::size_t>(*row)] != field) std::abort();
  }
  // What can be written must read back as the same name.
  if (auto content = app::cityFileContent(line)) {
    const std::string back = encoding::windows1252ToUtf8(content->substr(0, content->size() - 2));
    if (back != line) std::abort();
  }
  return 0;
}
