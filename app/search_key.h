// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search key every name of the almanac is found by: its letters in capitals
// without their accents, and its digits; no blanks, apostrophes, hyphens or
// slashes ("Forlì" and "forli", "L'Aquila" and "l aquila", "Bolzano/Bozen" and
// "bolzanobozen" are one key).
#include <cstddef>
#include <string>
#include <string_view>

namespace app {

// The search key's letters of UTF-8 text, one at a time; `next()` gives 0 at the end.
class FoldedLetters {
 public:
  constexpr explicit FoldedLetters(std::string_view text) : text_(text) {}
  constexpr char next() {
    while (pending_.empty() && at_ < text_.size()) pending_ = foldedOf(decode());
    if (pending_.empty()) return 0;
    const char c = pending_.front();
    pending_.remove_prefix(1);
    return c;
  }

 private:
  // One character of the text: ASCII as it is, two-byte sequences decoded; a
  // longer one (no Italian name holds one) is skipped whole.
  constexpr char32_t decode() {
    const auto lead = static_cast<unsigned char>(text_[at_++]);
    if (lead < 0x80) return lead;
    int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = lead & (more == 1 ? 0x1F : 0);
    for (; more > 0 && at_ < text_.size(); --more)
      code = (code << 6) | (static_cast<unsigned char>(text_[at_++]) & 0x3F);
    return code;
  }
  // The capital letters a character stands for in the key; none for the rest.
  static constexpr std::string_view foldedOf(char32_t c) {
    constexpr std::string_view Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    constexpr std::string_view Digits = "0123456789";
    if (c >= 'a' && c <= 'z') return Letters.substr(c - 'a', 1);
    if (c >= 'A' && c <= 'Z') return Letters.substr(c - 'A', 1);
    if (c >= '0' && c <= '9') return Digits.substr(c - '0', 1);
    if (c == 0xDF) return "SS";  // ß, as German writes it in capitals
    // The Latin-1 letters with accents, capital (U+00C0..) and small (U+00E0..) alike.
    constexpr std::string_view Latin1 = "AAAAAAACEEEEIIII?NOOOOO?OUUUUY??";
    if (c >= 0xC0 && c <= 0xFF) {
      const auto i = static_cast<std::size_t>((c & 0xDF) - 0xC0);
      return Latin1[i] == '?' ? std::string_view() : Latin1.substr(i, 1);
    }
    // The Slovene letters of the comuni near Trieste and Gorizia.
    switch (c) {
      case 0x10C:
      case 0x10D:
        return "C";
      case 0x160:
      case 0x161:
        return "S";
      case 0x17D:
      case 0x17E:
        return "Z";
      default:
        return {};
    }
  }
  std::string_view text_;
  std::size_t at_ = 0;
  std::string_view pending_;
};

// The search key of a name.
inline std::string searchKey(std::string_view text) {
  std::string key;
  FoldedLetters letters(text);
  for (char c = letters.next(); c != 0; c = letters.next()) key += c;
  return key;
}

// Negative, zero or positive as the key of `a` comes before, is, or comes after that of `b`.
constexpr int compareKeys(std::string_view a, std::string_view b) {
  FoldedLetters x(a), y(b);
  for (;;) {
    const char p = x.next(), q = y.next();
    if (p != q) return p < q ? -1 : 1;
    if (p == 0) return 0;
  }
}

// How many letters must change to turn one key into the other.
std::size_t editDistance(std::string_view a, std::string_view b);

}  // namespace app
