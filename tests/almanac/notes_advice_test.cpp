// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/notes_advice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "app/italian_words.h"
#include "app/notes_passages.h"
#include "rtf/rtf_document.h"

namespace {
using namespace almanac;

std::string lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// A letter of Italian: the bytes of an accented one are all above ASCII.
bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

// `words` stand in `sentence` as whole words: "piantare" is not in "trapiantare".
bool standsIn(std::string_view sentence, std::string_view words) {
  for (auto at = sentence.find(words); at != std::string_view::npos; at = sentence.find(words, at + 1)) {
    const auto end = at + words.size();
    if ((at == 0 || !isLetter(sentence[at - 1])) && (end == sentence.size() || !isLetter(sentence[end]))) return true;
  }
  return false;
}

// The job's verb in a form the notes use ("seminare", "si seminano", "vangando"),
// with the rest of its name ("il vino", "per talea").
bool jobStandsIn(std::string_view sentence, Job job) {
  const std::string_view name = jobName(job);
  const auto blank = name.find(' ');
  if (blank != std::string_view::npos && !standsIn(sentence, name.substr(blank + 1))) return false;
  const std::string_view verb = name.substr(0, blank);
  if (standsIn(sentence, verb)) return true;
  const std::string stem(verb.substr(0, verb.size() - 3));
  const auto endings = verb.ends_with("are") ? std::array{"a", "ano", "ando"} : std::array{"e", "ono", "endo"};
  return std::any_of(endings.begin(), endings.end(),
                     [&](const char* ending) { return standsIn(sentence, stem + ending); });
}

// The words a sentence limits advice with, in small letters.
std::vector<std::string> zonePhrases(AdviceZone zone) {
  if (zone == AdviceZone::Everywhere) return {};
  std::vector<std::string> phrases{lowered(std::string(adviceZoneWords(zone)))};
  if (zone == AdviceZone::MildZones) phrases.insert(phrases.end(), {"zone a clima mite", "regioni dal clima dolce"});
  return phrases;
}

bool zoneStandsIn(std::string_view sentence, AdviceZone zone) {
  for (const std::string& phrase : zonePhrases(zone))
    if (standsIn(sentence, phrase)) return true;
  return false;
}

// A passage's sentences in small letters, its sub-heading left out.
std::vector<std::string> sentencesOf(const rtf::Document& document, const app::MoonPassage& passage) {
  std::string text;
  for (std::size_t i = passage.first + 1; i <= passage.last; ++i) text += document.paragraphs[i].text() + " ";
  std::vector<std::string> sentences;
  std::stringstream in(lowered(text));
  for (std::string sentence; std::getline(in, sentence, '.');) sentences.push_back(sentence);
  return sentences;
}

std::string described(const NotesAdvice& row) {
  std::string text = std::to_string(row.month) + " " + std::string(sectionHeading(row.section)) +
                     (row.moon == MoonHalf::Waxing ? " crescente: " : " calante: ") + std::string(jobName(row.job));
  for (const Plant& plant : row.plants) text += " " + std::string(plant.name) + ",";
  return text + " " + std::string(adviceZoneWords(row.zone));
}

// Every row says what one sentence of its month's passage for its section and
// moon says: the job, every plant and the zone stand in that sentence, and the
// rows of a passage follow its sentences in order. Every zone a sentence names
// is some row's of that sentence, except where the sentence limits no job of the
// table: a job put off, a care for a job done everywhere, a job the table does
// not keep.
TEST(NotesAdvice, EveryRowIsWhatASentenceOfItsNotesSays) {
  constexpr std::array<std::string_view, 3> LimitingNoJob{"si potano più avanti", "vanno protetti",
                                                          "ritirare al riparo"};
  constexpr std::array<AdviceZone, 4> Zones{AdviceZone::Nord, AdviceZone::CentroSud, AdviceZone::Sud,
                                            AdviceZone::MildZones};
  for (int month = 1; month <= 12; ++month) {
    const std::string name = app::NotesDocuments[static_cast<std::size_t>(month - 1)];
    SCOPED_TRACE(name);
    std::ifstream in(std::string(ORTALBA_SOURCE_DIR "/Doc/") + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const rtf::Document document = rtf::parseRtf(bytes.str()).document;
    const auto passages = app::moonPassages(document);
    ASSERT_EQ(passages.size(), 4u);
    EXPECT_EQ(document.paragraphs[passages[0].first - 1].text(), sectionHeading(NotesSection::OrtoEFrutteto));
    EXPECT_EQ(document.paragraphs[passages[2].first - 1].text(), sectionHeading(NotesSection::GiardinoETerrazzo));
    // Orto crescente, orto calante, giardino crescente, giardino calante.
    std::array<std::vector<std::string>, 4> sentences;
    for (std::size_t k = 0; k < 4; ++k) sentences[k] = sentencesOf(document, passages[k]);
    std::array<std::size_t, 4> reached{};
    std::set<std::tuple<std::size_t, std::size_t, AdviceZone>> zonesGiven;  // passage, sentence, zone

    for (const NotesAdvice& row : notesAdviceOf(month)) {
      const std::size_t k = 2 * static_cast<std::size_t>(row.section) + static_cast<std::size_t>(row.moon);
      ASSERT_EQ(passages[k].mark, row.moon == MoonHalf::Waxing ? app::PhaseMark::Waxing : app::PhaseMark::Waning);
      const auto says = [&](const std::string& sentence) {
        for (const Plant& plant : row.plants)
          if (!standsIn(sentence, plant.name)) return false;
        return jobStandsIn(sentence, row.job) &&
               (row.zone == AdviceZone::Everywhere || zoneStandsIn(sentence, row.zone));
      };
      const auto& passage = sentences[k];
      const auto found = std::find_if(passage.begin() + static_cast<std::ptrdiff_t>(reached[k]), passage.end(), says);
      if (found == passage.end()) {
        ADD_FAILURE() << described(row) << ": no sentence of its passage, from the previous row's on, says it";
        continue;
      }
      reached[k] = static_cast<std::size_t>(found - passage.begin());
      zonesGiven.insert({k, reached[k], row.zone});
    }

    for (std::size_t k = 0; k < 4; ++k)
      for (std::size_t s = 0; s < sentences[k].size(); ++s) {
        const std::string& sentence = sentences[k][s];
        if (std::any_of(LimitingNoJob.begin(), LimitingNoJob.end(),
                        [&](std::string_view words) { return standsIn(sentence, words); }))
          continue;
        for (const AdviceZone zone : Zones)
          EXPECT_TRUE(!zoneStandsIn(sentence, zone) || zonesGiven.contains({k, s, zone}))
              << "\"" << sentence << "\" limits a job to " << adviceZoneWords(zone) << ", and no row says so";
      }
  }
}

// The advice a gardener of each part of the country is given: a sentence's zone
// reaches the regions it names and no others, a place of no known zone hears
// only what holds everywhere, and a sentence giving a job to two zones on
// different terms gives it once to each place.
TEST(NotesAdvice, EachZoneHearsTheAdviceForItsRegions) {
  using enum Zone;
  struct Case {
    int month;
    MoonHalf moon;
    std::optional<Zone> zone;
    Job job;
    std::string_view plant;
    std::size_t rows;
  } cases[] = {
      {12, MoonHalf::Waning, Nord, Job::Potare, "meli", 0},  // "nelle regioni dal clima dolce"
      {12, MoonHalf::Waning, Centro, Job::Potare, "meli", 1},
      {12, MoonHalf::Waning, SudEIsole, Job::Potare, "meli", 1},
      {12, MoonHalf::Waxing, SudEIsole, Job::Potare, "meli", 0},  // the other moon
      {12, MoonHalf::Waxing, Centro, Job::Seminare, "fave", 0},  // "al Sud"
      {12, MoonHalf::Waxing, SudEIsole, Job::Seminare, "fave", 1},
      {1, MoonHalf::Waxing, Nord, Job::Seminare, "rucola", 0},  // "al Centro-Sud"
      {1, MoonHalf::Waxing, Centro, Job::Seminare, "rucola", 1},
      {1, MoonHalf::Waxing, SudEIsole, Job::Seminare, "rucola", 1},
      {5, MoonHalf::Waxing, Nord, Job::Seminare, "meloni", 1},  // "al Nord"
      {5, MoonHalf::Waxing, Centro, Job::Seminare, "meloni", 0},
      {2, MoonHalf::Waxing, Nord, Job::Seminare, "piselli", 1},  // "al Centro-Sud, e sotto tunnel al Nord"
      {2, MoonHalf::Waxing, Centro, Job::Seminare, "piselli", 1},
      {2, MoonHalf::Waxing, SudEIsole, Job::Seminare, "piselli", 1},
      {2, MoonHalf::Waxing, std::nullopt, Job::Seminare, "piselli", 0},
      {12, MoonHalf::Waning, std::nullopt, Job::Piantare, "aglio", 0},
      {12, MoonHalf::Waning, std::nullopt, Job::Piantare, "alberi da frutto", 1},
  };
  for (const Case& c : cases) {
    const auto rows = adviceFor(c.month, c.moon, c.zone);
    const auto named = std::count_if(rows.begin(), rows.end(), [&](const NotesAdvice& row) {
      return row.job == c.job &&
             std::any_of(row.plants.begin(), row.plants.end(), [&](const Plant& p) { return p.name == c.plant; });
    });
    EXPECT_EQ(static_cast<std::size_t>(named), c.rows)
        << c.month << " " << jobName(c.job) << " " << c.plant << " in " << (c.zone ? zoneName(*c.zone) : "?");
    EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [&](const NotesAdvice& row) {
      return row.month == c.month && row.moon == c.moon;
    }));
  }
}

}  // namespace
