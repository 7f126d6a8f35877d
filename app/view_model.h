// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain view-model widgets of the window; a platform layer renders them.
#include <cstdint>
#include <string>
#include <vector>

namespace app {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
  // The platform's colour number: red in the low byte, blue in the high byte.
  constexpr std::uint32_t colourNumber() const {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
  }
};

namespace colours {
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Red{255, 0, 0};
inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb Waxing{255, 192, 128};    // pink bar
inline constexpr Rgb Waning{192, 192, 0};      // olive-green bar
inline constexpr Rgb Neutral{255, 255, 192};   // full-moon and new-moon days, and every bar's start
inline constexpr Rgb ListGround{0, 0, 192};
// The window's own: its ground, the dark green of the headers and buttons, the
// month picker's ground, the borders of bars and boxes, the list's focus row.
inline constexpr Rgb WindowGround{236, 233, 216};
inline constexpr Rgb DarkGreen{40, 90, 40};
inline constexpr Rgb PickerGround{250, 248, 240};
inline constexpr Rgb Border{64, 64, 64};
inline constexpr Rgb PageBorder{90, 90, 90};
inline constexpr Rgb ListHighlight{80, 80, 230};
// With the cue for colour-blind gardeners: the red of Sundays and feasts, dark
// enough to read on every bar (at least 4.5 : 1).
inline constexpr Rgb CueRed{140, 0, 0};
}  // namespace colours

// The contrast of two colours as the web's accessibility guidelines measure it,
// from 1 : 1 (the same) to 21 : 1 (black on white).
double contrastRatio(Rgb a, Rgb b);

struct Label {
  std::string caption;
  Rgb foreColor = colours::Black;
  bool bold = false;
  bool visible = true;
  std::string toolTip;  // said on hovering (and to a screen reader); empty: the window's own
};

struct Shape {
  Rgb fillColor = colours::Neutral;
  bool visible = true;
};

// Bitmap resources of the program.
namespace resources {
inline constexpr int None = 0;
inline constexpr int FullMoon = 101;
inline constexpr int LastQuarter = 106;
inline constexpr int NewMoon = 110;
inline constexpr int FirstQuarter = 111;
inline constexpr int Gerbera = 116;
inline constexpr int Sunflowers = 117;
inline constexpr int QuestionMark = 118;
}  // namespace resources

struct Picture {
  int resource = resources::None;
  bool visible = true;
};

// The tradition's mark on a day row: the part of the plant its noon favours, and
// whether it holds hours the tradition calls unfavourable.
enum class PlantPartMark { None, Root, Leaf, Flower, Fruit };
struct PlantMark {
  PlantPartMark part = PlantPartMark::None;
  bool unfavourable = false;
  bool visible = true;
};

struct ListBox {
  std::vector<std::string> rows;
  std::vector<bool> selected;
  int focusRow = -1;
  Rgb foreColor = colours::Black;
  void addRow(std::string text) {
    rows.push_back(std::move(text));
    selected.push_back(false);
  }
};

struct Frame {
  bool visible = true;
};

struct RichTextViewer {
  std::string path;       // document loaded last; empty before the first load
  unsigned loadCount = 0; // every load request counts, also of the same path
};

}  // namespace app
