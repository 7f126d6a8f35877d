// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's texts are UTF-8 in std::string and std::string_view; Qt takes them here.
#include <QString>
#include <string_view>

namespace ortalba {

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace ortalba
