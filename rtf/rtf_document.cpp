// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtf_document.h"

#include "rtf/rtf_code_pages.h"
#include "encoding/text_encoding.h"

#include <algorithm>
#include <array>
#include <climits>
#include <unordered_map>
#include <utility>

namespace rtf {

std::string Paragraph::text() const {
  std::string out;
  for (const Run& run : runs) out += run.text;
  return out;
}

std::string Document::plainText() const {
  std::string out;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) out.push_back('\n');
    out += paragraphs[i].text();
  }
  return out;
}

const std::string* Document::fontName(int index) const {
  for (const Font& font : fonts) {
    if (font.index == index) return &font.name;
  }
  return nullptr;
}

namespace {

enum class Word : std::uint8_t {
  Unknown, SkipDestination, FontTable, ColorTable, Ansi, Mac, Pc, AnsiCpg, DefaultFont,
  Charset, FontCodePage, Red, Green, Blue, Par, Line, Tab, Pard, Plain, Bold, Italic,
  Underline, UnderlineNone, Color, FontSize, Font, UnicodeSkip, Unicode, Left, Center,
  Right, Justified, Binary, EmDash, EnDash, Bullet, LeftQuote, RightQuote,
  LeftDoubleQuote, RightDoubleQuote, EmSpace, EnSpace, QuarterEmSpace, SpaceBefore, SpaceAfter,
};

struct Keyword {
  std::string_view name;
  Word word;
};

// Every control word we act on, sorted for binary search. Destinations that
// hold no text of the page (tables, metadata, pictures, objects, headers and
// footers, fields' instructions) are dropped whole.
constexpr Keyword Keywords[] = {
    {"aftncn", Word::SkipDestination},
    {"aftnsep", Word::SkipDestination},
    {"aftnsepc", Word::SkipDestination},
    {"annotation", Word::SkipDestination},
    {"ansi", Word::Ansi},
    {"ansicpg", Word::AnsiCpg},
    {"atnauthor", Word::SkipDestination},
    {"atndate", Word::SkipDestination},
    {"atnicn", Word::SkipDestination},
    {"atnid", Word::SkipDestination},
    {"atnparent", Word::SkipDestination},
    {"atnref", Word::SkipDestination},
    {"atntime", Word::SkipDestination},
    {"atrfend", Word::SkipDestination},
    {"atrfstart", Word::SkipDestination},
    {"author", Word::SkipDestination},
    {"b", Word::Bold},
    {"bin", Word::Binary},
    {"bkmkend", Word::SkipDestination},
    {"bkmkstart", Word::SkipDestination},
    {"blipuid", Word::SkipDestination},
    {"blue", Word::Blue},
    {"bullet", Word::Bullet},
    {"buptim", Word::SkipDestination},
    {"category", Word::SkipDestination},
    {"cell", Word::Tab},
    {"cf", Word::Color},
    {"colorschememapping", Word::SkipDestination},
    {"colortbl", Word::ColorTable},
    {"comment", Word::SkipDestination},
    {"company", Word::SkipDestination},
    {"cpg", Word::FontCodePage},
    {"creatim", Word::SkipDestination},
    {"datafield", Word::SkipDestination},
    {"datastore", Word::SkipDestination},
    {"defchp", Word::SkipDestination},
    {"deff", Word::DefaultFont},
    {"defpap", Word::SkipDestination},
    {"do", Word::SkipDestination},
    {"doccomm", Word::SkipDestination},
    {"docvar", Word::SkipDestination},
    {"dptxbxtext", Word::SkipDestination},
    {"ebcend", Word::SkipDestination},
    {"ebcstart", Word::SkipDestination},
    {"emdash", Word::EmDash},
    {"emspace", Word::EmSpace},
    {"endash", Word::EnDash},
    {"enspace", Word::EnSpace},
    {"f", Word::Font},
    {"factoidname", Word::SkipDestination},
    {"falt", Word::SkipDestination},
    {"fchars", Word::SkipDestination},
    {"fcharset", Word::Charset},
    {"ffdeftext", Word::SkipDestination},
    {"ffentrymcr", Word::SkipDestination},
    {"ffexitmcr", Word::SkipDestination},
    {"ffformat", Word::SkipDestination},
    {"ffhelptext", Word::SkipDestination},
    {"ffl", Word::SkipDestination},
    {"ffname", Word::SkipDestination},
    {"ffstattext", Word::SkipDestination},
    {"file", Word::SkipDestination},
    {"filetbl", Word::SkipDestination},
    {"fldinst", Word::SkipDestination},
    {"fldtype", Word::SkipDestination},
    {"fonttbl", Word::FontTable},
    {"footer", Word::SkipDestination},
    {"footerf", Word::SkipDestination},
    {"footerl", Word::SkipDestination},
    {"footerr", Word::SkipDestination},
    {"footnote", Word::SkipDestination},
    {"formfield", Word::SkipDestination},
    {"fs", Word::FontSize},
    {"ftncn", Word::SkipDestination},
    {"ftnsep", Word::SkipDestination},
    {"ftnsepc", Word::SkipDestination},
    {"g", Word::SkipDestination},
    {"generator", Word::SkipDestination},
    {"green", Word::Green},
    {"gridtbl", Word::SkipDestination},
    {"header", Word::SkipDestination},
    {"headerf", Word::SkipDestination},
    {"headerl", Word::SkipDestination},
    {"headerr", Word::SkipDestination},
    {"hl", Word::SkipDestination},
    {"hlfr", Word::SkipDestination},
    {"hlinkbase", Word::SkipDestination},
    {"hlloc", Word::SkipDestination},
    {"hlsrc", Word::SkipDestination},
    {"hsv", Word::SkipDestination},
    {"htmltag", Word::SkipDestination},
    {"i", Word::Italic},
    {"info", Word::SkipDestination},
    {"keycode", Word::SkipDestination},
    {"keywords", Word::SkipDestination},
    {"latentstyles", Word::SkipDestination},
    {"lchars", Word::SkipDestination},
    {"ldblquote", Word::LeftDoubleQuote},
    {"levelnumbers", Word::SkipDestination},
    {"leveltext", Word::SkipDestination},
    {"lfolevel", Word::SkipDestination},
    {"line", Word::Line},
    {"linkval", Word::SkipDestination},
    {"list", Word::SkipDestination},
    {"listlevel", Word::SkipDestination},
    {"listname", Word::SkipDestination},
    {"listoverride", Word::SkipDestination},
    {"listoverridetable", Word::SkipDestination},
    {"listpicture", Word::SkipDestination},
    {"liststylename", Word::SkipDestination},
    {"listtable", Word::SkipDestination},
    {"lquote", Word::LeftQuote},
    {"lsdlockedexcept", Word::SkipDestination},
    {"mac", Word::Mac},
    {"macc", Word::SkipDestination},
    {"maccPr", Word::SkipDestination},
    {"mailmerge", Word::SkipDestination},
    {"manager", Word::SkipDestination},
    {"mhtmltag", Word::SkipDestination},
    {"mmath", Word::SkipDestination},
    {"mmathPr", Word::SkipDestination},
    {"nestcell", Word::Tab},
    {"nestrow", Word::Par},
    {"nesttableprops", Word::SkipDestination},
    {"nextfile", Word::SkipDestination},
    {"nonesttables", Word::SkipDestination},
    {"nonshppict", Word::SkipDestination},
    {"objalias", Word::SkipDestination},
    {"objclass", Word::SkipDestination},
    {"objdata", Word::SkipDestination},
    {"object", Word::SkipDestination},
    {"objname", Word::SkipDestination},
    {"objsect", Word::SkipDestination},
    {"objtime", Word::SkipDestination},
    {"oldcprops", Word::SkipDestination},
    {"oldpprops", Word::SkipDestination},
    {"oldsprops", Word::SkipDestination},
    {"oldtprops", Word::SkipDestination},
    {"operator", Word::SkipDestination},
    {"page", Word::Par},
    {"panose", Word::SkipDestination},
    {"par", Word::Par},
    {"pard", Word::Pard},
    {"password", Word::SkipDestination},
    {"passwordhash", Word::SkipDestination},
    {"pc", Word::Pc},
    {"pca", Word::Pc},
    {"pgdsctbl", Word::SkipDestination},
    {"pgp", Word::SkipDestination},
    {"pgptbl", Word::SkipDestination},
    {"picprop", Word::SkipDestination},
    {"pict", Word::SkipDestination},
    {"plain", Word::Plain},
    {"pn", Word::SkipDestination},
    {"pnseclvl", Word::SkipDestination},
    {"pntxta", Word::SkipDestination},
    {"pntxtb", Word::SkipDestination},
    {"printim", Word::SkipDestination},
    {"private", Word::SkipDestination},
    {"propname", Word::SkipDestination},
    {"protend", Word::SkipDestination},
    {"protstart", Word::SkipDestination},
    {"protusertbl", Word::SkipDestination},
    {"pxe", Word::SkipDestination},
    {"qc", Word::Center},
    {"qd", Word::Justified},
    {"qj", Word::Justified},
    {"ql", Word::Left},
    {"qmspace", Word::QuarterEmSpace},
    {"qr", Word::Right},
    {"rdblquote", Word::RightDoubleQuote},
    {"red", Word::Red},
    {"revtbl", Word::SkipDestination},
    {"revtim", Word::SkipDestination},
    {"row", Word::Par},
    {"rquote", Word::RightQuote},
    {"rsidtbl", Word::SkipDestination},
    {"rxe", Word::SkipDestination},
    {"sa", Word::SpaceAfter},
    {"sb", Word::SpaceBefore},
    {"sect", Word::Par},
    {"shpinst", Word::SkipDestination},
    {"sn", Word::SkipDestination},
    {"sp", Word::SkipDestination},
    {"stylesheet", Word::SkipDestination},
    {"subject", Word::SkipDestination},
    {"sv", Word::SkipDestination},
    {"tab", Word::Tab},
    {"tc", Word::SkipDestination},
    {"tcn", Word::SkipDestination},
    {"template", Word::SkipDestination},
    {"themedata", Word::SkipDestination},
    {"title", Word::SkipDestination},
    {"txe", Word::SkipDestination},
    {"u", Word::Unicode},
    {"uc", Word::UnicodeSkip},
    {"ul", Word::Underline},
    {"uld", Word::Underline},
    {"uldash", Word::Underline},
    {"uldashd", Word::Underline},
    {"uldashdd", Word::Underline},
    {"uldb", Word::Underline},
    {"ulhwave", Word::Underline},
    {"ulldash", Word::Underline},
    {"ulnone", Word::UnderlineNone},
    {"ulth", Word::Underline},
    {"ulthd", Word::Underline},
    {"ulthdash", Word::Underline},
    {"ulthdashd", Word::Underline},
    {"ulthdashdd", Word::Underline},
    {"ulthldash", Word::Underline},
    {"ululdbwave", Word::Underline},
    {"ulw", Word::Underline},
    {"ulwave", Word::Underline},
    {"userprops", Word::SkipDestination},
    {"wgrffmtfilter", Word::SkipDestination},
    {"windowcaption", Word::SkipDestination},
    {"writereservation", Word::SkipDestination},
    {"writereservhash", Word::SkipDestination},
    {"xe", Word::SkipDestination},
    {"xform", Word::SkipDestination},
    {"xmlattrname", Word::SkipDestination},
    {"xmlattrvalue", Word::SkipDestination},
    {"xmlclose", Word::SkipDestination},
    {"xmlname", Word::SkipDestination},
    {"xmlnstbl", Word::SkipDestination},
    {"xmlopen", Word::SkipDestination},
};

static_assert(std::is_sorted(std::begin(Keywords), std::end(Keywords),
                             [](const Keyword& a, const Keyword& b) { return a.name < b.name; }));

// Where the keywords of each initial letter begin in Keywords, so that a
// lookup searches a handful of entries instead of the whole table.
struct LetterIndex {
  std::array<std::uint16_t, 27> start{};
  constexpr LetterIndex() {
    std::size_t k = 0;
    for (int letter = 0; letter <= 26; ++letter) {
      while (k < std::size(Keywords) && Keywords[k].name[0] - 'a' < letter) ++k;
      start[static_cast<std::size_t>(letter)] = static_cast<std::uint16_t>(k);
    }
  }
};
constexpr LetterIndex LetterIndex;

Word lookUp(std::string_view name) {
  if (name.empty() || name[0] < 'a' || name[0] > 'z') return Word::Unknown;
  const auto letter = static_cast<std::size_t>(name[0] - 'a');
  const Keyword* first = std::begin(Keywords) + LetterIndex.start[letter];
  const Keyword* last = std::begin(Keywords) + LetterIndex.start[letter + 1];
  const auto* it = std::lower_bound(first, last, name,
                                    [](const Keyword& k, std::string_view n) { return k.name < n; });
  return (it != last && it->name == name) ? it->word : Word::Unknown;
}

enum class Destination : std::uint8_t { Text, Skip, FontTable, ColorTable };

// What a group inherits from its parent and gives back when it closes.
struct GroupState {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int colorIndex = -1;  // -1: no \cf given, the viewer's colour
  int halfPoints = 24;
  int font = 0;
  int unicodeSkip = 1;  // \uc: fallback characters after each \u
  Alignment alignment = Alignment::Left;
  int spaceBefore = 0;  // twips
  int spaceAfter = 0;
  Destination destination = Destination::Text;
};

constexpr std::size_t MaxColors = 4096;
constexpr std::size_t MaxFonts = 1024;
constexpr std::size_t MaxFontName = 256;
constexpr int DefaultHalfPoints = 24;
constexpr int MaxHalfPoints = 3276;
constexpr int MaxUnicodeSkip = 255;
constexpr long long ParameterCap = 2'000'000'000;
constexpr int MaxSpacing = 31'680;  // twips: 22 inches, more than any page

bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int hexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Blank runs (spaces, tabs, line breaks, no-break spaces) leave nothing to read.
bool hasVisibleText(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] == ' ' || s[i] == '\t') {
      ++i;
    } else if (s.substr(i, 3) == "\xE2\x80\xA8") {
      i += 3;
    } else if (s.substr(i, 2) == "\xC2\xA0") {
      i += 2;
    } else {
      return true;
    }
  }
  return false;
}

class Parser {
 public:
  Parser(std::string_view in, const Limits& limits) : in_(in), limits_(limits) {}

  ReadResult run() {
    std::size_t start = 0;
    if (in_.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
    while (start < in_.size() && (in_[start] == ' ' || in_[start] == '\t' || in_[start] == '\r' ||
                                  in_[start] == '\n')) {
      ++start;
    }
    if (in_.substr(start, 5) != "{\\rtf") {
      result_.status = ReadStatus::NotRtf;
      return std::move(result_);
    }
    pos_ = start;
    stack_.reserve(std::min<std::size_t>(limits_.maxDepth, 64) + 1);
    while (pos_ < in_.size() && !stopped_) {
      const unsigned char c = static_cast<unsigned char>(in_[pos_]);
      if (c == '{') {
        ++pos_;
        openGroup();
      } else if (c == '}') {
        ++pos_;
        closeGroup();
      } else if (c == '\\') {
        ++pos_;
        controlSequence();
      } else {
        text();
      }
    }
    // A file cut short leaves its groups open: close them as if the braces were there.
    flushHighSurrogate();
    finishFont();
    if (!open_.runs.empty()) closeParagraph();
    result_.status = ReadStatus::NoText;
    for (const Paragraph& p : result_.document.paragraphs) {
      for (const Run& r : p.runs) {
        if (hasVisibleText(r.text)) {
          result_.status = ReadStatus::Read;
          return std::move(result_);
        }
      }
    }
    return std::move(result_);
  }

 private:
  void openGroup() {
    skipFallback_ = 0;
    if (overflow_ > 0 || stack_.size() >= limits_.maxDepth) {
      ++overflow_;
      return;
    }
    stack_.push_back(state_);
  }

  void closeGroup() {
    skipFallback_ = 0;
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    // The document's own group is never closed: a stray '}' must not lose what follows.
    if (stack_.size() <= 1) return;
    const Destination leaving = state_.destination;
    state_ = stack_.back();
    stack_.pop_back();
    if (leaving == Destination::FontTable) finishFont();
    if (leaving == Destination::ColorTable && state_.destination != Destination::ColorTable &&
        colorPending_) {
      addColor();
    }
  }

  // Plain bytes up to the next '\', '{' or '}'.
  void text() {
    std::size_t end = pos_;
    while (end < in_.size() && in_[end] != '\\' && in_[end] != '{' && in_[end] != '}') ++end;
    const std::string_view span = in_.substr(pos_, end - pos_);
    pos_ = end;
    if (overflow_ > 0 || state_.destination == Destination::Skip) {
      skipFallback_ = 0;
      return;
    }
    const int codePage = currentCodePage();
    chunk_.clear();
    for (const char ch : span) {
      const auto c = static_cast<unsigned char>(ch);
      if (c == '\r' || c == '\n') continue;  // line ends in RTF source are not text
      if (skipFallback_ > 0) {
        --skipFallback_;
        continue;
      }
      if (state_.destination == Destination::Text) {
        if (chunk_.size() > limits_.maxTextBytes - textBytes_) break;  // no room left for more
        if (c >= 0x20 && c < 0x7F) {
          chunk_.push_back(static_cast<char>(c));
        } else if (c == '\t') {
          chunk_.push_back('\t');
        } else if (c >= 0x80) {
          encoding::appendUtf8(chunk_, decodeByte(codePage, c));
        }
      } else {
        tableCharacter(c, codePage);
      }
    }
    if (!chunk_.empty()) putUtf8(chunk_);
  }

  // A character inside the font or colour table: ';' closes an entry.
  void tableCharacter(unsigned char c, int codePage) {
    if (state_.destination == Destination::ColorTable) {
      if (c == ';') addColor();
      return;
    }
    if (c == ';') {
      finishFont();
    } else if (fontOpen_ && c >= 0x20 && c != 0x7F && pendingFont_.name.size() < MaxFontName) {
      encoding::appendUtf8(pendingFont_.name, decodeByte(codePage, c));
    }
  }

  void controlSequence() {
    if (pos_ >= in_.size()) return;
    const auto c = static_cast<unsigned char>(in_[pos_]);
    if (!isLetter(c)) {
      ++pos_;
      symbol(c);
      return;
    }
    const std::size_t nameStart = pos_;
    while (pos_ < in_.size() && isLetter(static_cast<unsigned char>(in_[pos_]))) ++pos_;
    const std::string_view name = in_.substr(nameStart, pos_ - nameStart);
    bool hasParam = false;
    long long value = 0;
    bool negative = false;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() &&
        isDigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && isDigit(static_cast<unsigned char>(in_[pos_]))) {
      hasParam = true;
      if (value < ParameterCap) value = value * 10 + (in_[pos_] - '0');
      ++pos_;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    value = std::min(value, ParameterCap);
    const int param = static_cast<int>(negative ? -value : value);
    // Inside a group past the depth limit only \bin matters: its bytes must be stepped over.
    if (overflow_ > 0 && name != "bin") return;
    word(lookUp(name), hasParam, param);
  }

  void word(Word w, bool hasParam, int param) {
    if (w == Word::Binary) {
      // Raw bytes follow; they may hold anything, braces included.
      if (hasParam && param > 0) {
        pos_ += std::min<std::size_t>(static_cast<std::size_t>(param), in_.size() - pos_);
      }
      if (skipFallback_ > 0) --skipFallback_;
      return;
    }
    if (overflow_ > 0) return;
    if (skipFallback_ > 0) {
      --skipFallback_;
      return;
    }
    const bool on = !hasParam || param != 0;
    const bool inText = state_.destination == Destination::Text;
    switch (w) {
      case Word::Unknown:
      case Word::Binary:
        break;
      case Word::SkipDestination:
        state_.destination = Destination::Skip;
        break;
      case Word::FontTable:
        if (inText) state_.destination = Destination::FontTable;
        break;
      case Word::ColorTable:
        if (inText) {
          state_.destination = Destination::ColorTable;
          colorPending_ = false;
          pendingColor_ = Rgb{};
        }
        break;
      case Word::Ansi:
      case Word::Pc:
        documentCodePage_ = 1252;
        break;
      case Word::Mac:
        documentCodePage_ = 10000;
        break;
      case Word::AnsiCpg:
        documentCodePage_ = (hasParam && isSupportedCodePage(param)) ? param : 1252;
        break;
      case Word::DefaultFont:
        defaultFont_ = hasParam ? param : 0;
        state_.font = defaultFont_;
        break;
      case Word::Charset:
        if (state_.destination == Destination::FontTable && fontOpen_ && hasParam) {
          pendingFontCodePage_ = codePageOfCharset(param);
        }
        break;
      case Word::FontCodePage:
        if (state_.destination == Destination::FontTable && fontOpen_ && hasParam &&
            isSupportedCodePage(param)) {
          pendingFontCodePage_ = param;
        }
        break;
      case Word::Red:
      case Word::Green:
      case Word::Blue:
        if (state_.destination == Destination::ColorTable) {
          const auto level = static_cast<std::uint8_t>(std::clamp(hasParam ? param : 0, 0, 255));
          (w == Word::Red ? pendingColor_.red : w == Word::Green ? pendingColor_.green : pendingColor_.blue) =
              level;
          colorPending_ = true;
        }
        break;
      case Word::Par:
        if (inText) endParagraph();
        break;
      case Word::Line:
        put(0x2028);
        break;
      case Word::Tab:
        put('\t');
        break;
      case Word::Pard:
        state_.alignment = Alignment::Left;
        state_.spaceBefore = state_.spaceAfter = 0;
        break;
      case Word::SpaceBefore:
        state_.spaceBefore = hasParam ? std::clamp(param, 0, MaxSpacing) : 0;
        break;
      case Word::SpaceAfter:
        state_.spaceAfter = hasParam ? std::clamp(param, 0, MaxSpacing) : 0;
        break;
      case Word::Plain:
        state_.bold = state_.italic = state_.underline = false;
        state_.colorIndex = -1;
        state_.halfPoints = DefaultHalfPoints;
        state_.font = defaultFont_;
        break;
      case Word::Bold:
        state_.bold = on;
        break;
      case Word::Italic:
        state_.italic = on;
        break;
      case Word::Underline:
        state_.underline = on;
        break;
      case Word::UnderlineNone:
        state_.underline = false;
        break;
      case Word::Color:
        state_.colorIndex = hasParam ? std::max(param, -1) : 0;
        break;
      case Word::FontSize:
        state_.halfPoints =
            (hasParam && param > 0) ? std::clamp(param, 2, MaxHalfPoints) : DefaultHalfPoints;
        break;
      case Word::Font:
        if (state_.destination == Destination::FontTable) {
          finishFont();
          fontOpen_ = true;
          pendingFont_ = Font{hasParam ? param : 0, {}};
          pendingFontCodePage_ = 0;
        } else {
          state_.font = hasParam ? param : 0;
        }
        break;
      case Word::UnicodeSkip:
        state_.unicodeSkip = hasParam ? std::clamp(param, 0, MaxUnicodeSkip) : 1;
        break;
      case Word::Unicode:
        if (!hasParam) break;
        // A signed 16-bit value: \u-3913 is U+F0B7.
        if (param < -32768 || param > 65535) {
          put(0xFFFD);
        } else {
          put(static_cast<char32_t>(param < 0 ? param + 65536 : param));
        }
        skipFallback_ = static_cast<std::size_t>(state_.unicodeSkip);
        break;
      case Word::Left:
        state_.alignment = Alignment::Left;
        break;
      case Word::Center:
        state_.alignment = Alignment::Center;
        break;
      case Word::Right:
        state_.alignment = Alignment::Right;
        break;
      case Word::Justified:
        state_.alignment = Alignment::Justified;
        break;
      case Word::EmDash:
        put(0x2014);
        break;
      case Word::EnDash:
        put(0x2013);
        break;
      case Word::Bullet:
        put(0x2022);
        break;
      case Word::LeftQuote:
        put(0x2018);
        break;
      case Word::RightQuote:
        put(0x2019);
        break;
      case Word::LeftDoubleQuote:
        put(0x201C);
        break;
      case Word::RightDoubleQuote:
        put(0x201D);
        break;
      case Word::EmSpace:
        put(0x2003);
        break;
      case Word::EnSpace:
        put(0x2002);
        break;
      case Word::QuarterEmSpace:
        put(0x2005);
        break;
    }
  }

  void symbol(unsigned char c) {
    int hexByte = -1;
    if (c == '\'') {
      const int high = pos_ < in_.size() ? hexValue(static_cast<unsigned char>(in_[pos_])) : -1;
      if (high >= 0) ++pos_;
      const int low = (high >= 0 && pos_ < in_.size()) ? hexValue(static_cast<unsigned char>(in_[pos_])) : -1;
      if (low >= 0) ++pos_;
      if (high >= 0 && low >= 0) hexByte = high * 16 + low;
    }
    if (overflow_ > 0) return;
    if (skipFallback_ > 0) {
      --skipFallback_;
      return;
    }
    switch (c) {
      case '\\':
      case '{':
      case '}':
        put(c);
        break;
      case '~':
        put(0x00A0);
        break;
      case '-':
        put(0x00AD);
        break;
      case '_':
        put(0x2011);
        break;
      case '*':
        state_.destination = Destination::Skip;
        break;
      case '\n':
      case '\r':
        if (state_.destination == Destination::Text) endParagraph();
        break;
      case '\'':
        if (hexByte < 0) break;
        if (state_.destination == Destination::FontTable) {
          tableCharacter(static_cast<unsigned char>(hexByte), documentCodePage_);
        } else {
          put(decodeByte(currentCodePage(), static_cast<unsigned char>(hexByte)));
        }
        break;
      default:
        break;  // \| \: and the rest carry nothing we show
    }
  }

  int currentCodePage() const {
    const auto it = fontCodePages_.find(state_.font);
    return (it != fontCodePages_.end() && it->second != 0) ? it->second : documentCodePage_;
  }

  // One code point of text, pairing UTF-16 surrogates written as two \u words.
  void put(char32_t cp) {
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      flushHighSurrogate();
      highSurrogate_ = cp;
      return;
    }
    if (cp >= 0xDC00 && cp <= 0xDFFF) {
      if (highSurrogate_ == 0) {
        cp = 0xFFFD;
      } else {
        cp = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00);
        highSurrogate_ = 0;
      }
    }
    if (cp < 0x20 && cp != '\t') return;
    if (cp == 0x7F) return;
    // A paragraph separator ends the paragraph as \par does, so that every reader
    // of the document (the viewer, the marking, a screen reader) counts the same
    // paragraphs; the noncharacters, which some of them take for structure, are junk.
    if (cp == 0x2029) {
      if (state_.destination == Destination::Text) endParagraph();
      return;
    }
    if ((cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE) cp = 0xFFFD;
    scratch_.clear();
    encoding::appendUtf8(scratch_, cp);
    putUtf8(scratch_);
  }

  void flushHighSurrogate() {
    if (highSurrogate_ == 0) return;
    highSurrogate_ = 0;
    putUtf8("\xEF\xBF\xBD");
  }

  void putUtf8(std::string_view s) {
    flushHighSurrogate();
    if (state_.destination == Destination::FontTable) {
      if (fontOpen_ && pendingFont_.name.size() + s.size() <= MaxFontName) pendingFont_.name += s;
      return;
    }
    if (state_.destination != Destination::Text || stopped_ || s.empty()) return;
    bool full = false;
    if (s.size() > limits_.maxTextBytes - textBytes_) {
      // Keep what fits, cut at a character boundary, and read no further.
      std::size_t cut = limits_.maxTextBytes - textBytes_;
      while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
      s = s.substr(0, cut);
      full = true;
    }
    if (!s.empty()) {
      const CharFormat format = currentFormat();
      if (open_.runs.empty() || !(open_.runs.back().format == format)) {
        if (!takePiece()) return;
        open_.runs.push_back(Run{std::string(), format});
      }
      open_.runs.back().text += s;
      textBytes_ += s.size();
    }
    if (full) stop();
  }

  CharFormat currentFormat() const {
    CharFormat f;
    f.bold = state_.bold;
    f.italic = state_.italic;
    f.underline = state_.underline;
    if (state_.colorIndex >= 0 && static_cast<std::size_t>(state_.colorIndex) < colors_.size()) {
      f.color = colors_[static_cast<std::size_t>(state_.colorIndex)];
    }
    f.halfPoints = state_.halfPoints;
    f.font = state_.font;
    return f;
  }

  void endParagraph() {
    flushHighSurrogate();
    if (stopped_ || !takePiece()) return;
    closeParagraph();
    open_ = Paragraph{};
  }

  // Paragraph properties are those in force at the paragraph's end.
  void closeParagraph() {
    open_.alignment = state_.alignment;
    open_.spaceBefore = state_.spaceBefore;
    open_.spaceAfter = state_.spaceAfter;
    result_.document.paragraphs.push_back(std::move(open_));
  }

  bool takePiece() {
    if (pieces_ >= limits_.maxPieces) {
      stop();
      return false;
    }
    ++pieces_;
    return true;
  }

  void stop() {
    stopped_ = true;
    result_.truncated = true;
  }

  // An entry without components (the usual first one) means "automatic colour".
  void addColor() {
    if (colors_.size() < MaxColors) {
      colors_.push_back(colorPending_ ? std::optional<Rgb>(pendingColor_) : std::nullopt);
    }
    colorPending_ = false;
    pendingColor_ = Rgb{};
  }

  void finishFont() {
    if (!fontOpen_) return;
    fontOpen_ = false;
    std::string& name = pendingFont_.name;
    const auto first = name.find_first_not_of(' ');
    name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);
    if (result_.document.fonts.size() < MaxFonts &&
        fontCodePages_.emplace(pendingFont_.index, pendingFontCodePage_).second) {
      result_.document.fonts.push_back(std::move(pendingFont_));
    }
    pendingFont_ = Font{};
  }

  std::string_view in_;
  Limits limits_;
  std::size_t pos_ = 0;
  ReadResult result_;
  GroupState state_;
  std::vector<GroupState> stack_;
  std::size_t overflow_ = 0;      // groups opened past the depth limit, skipped whole
  std::size_t skipFallback_ = 0;  // characters still to drop after a \u
  char32_t highSurrogate_ = 0;
  int documentCodePage_ = 1252;
  int defaultFont_ = 0;
  std::vector<std::optional<Rgb>> colors_;
  Rgb pendingColor_;
  bool colorPending_ = false;
  std::unordered_map<int, int> fontCodePages_;  // font index -> code page, 0 = the document's
  Font pendingFont_;
  int pendingFontCodePage_ = 0;
  bool fontOpen_ = false;
  Paragraph open_;
  std::size_t textBytes_ = 0;
  std::size_t pieces_ = 0;
  bool stopped_ = false;
  std::string chunk_;
  std::string scratch_;
};

}  // namespace

ReadResult parseRtf(std::string_view bytes, const Limits& limits) {
  return Parser(bytes, limits).run();
}

}  // namespace rtf
