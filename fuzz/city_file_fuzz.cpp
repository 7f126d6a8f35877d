// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the first line of luogo.txt: reading never fails loudly, and the
// character-set conversions agree with each other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/city_file.h"
#include "app/city_table.h"
#include "app/place_search.h"
#include "encoding/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string line = app::decodeCityFileLine(bytes);
  if (!encoding::isValidUtf8(line)) std::abort();
  // The place read is ROMA, or one the almanac writes back as a line that reads as
  // the same place; a name of the list is that place, unless the line is a field's
  // coordinates in Italy.
  const app::Place place = app::placeOfRememberedName(line);
  if (place != app::defaultPlace() && app::placeOfRememberedName(app::rememberedLine(place)) != place) std::abort();
  if (const auto listed = app::findPlace(app::firstField(line))) {
    const auto field = app::parseCoordinates(line);
    if (!(field && app::withinItaly(*field)) && place != *listed) std::abort();
  }
  // What can be written must read back as the same name.
  if (auto content = app::cityFileContent(line)) {
    const std::string back = encoding::windows1252ToUtf8(content->substr(0, content->size() - 2));
    if (back != line) std::abort();
  }
  return 0;
}
