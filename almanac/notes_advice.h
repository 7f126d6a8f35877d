// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the twelve monthly notes advise, as data: for each month, section and
// moon, the jobs a passage asks for, the plants it names for each, and the part
// of the country a sentence limits them to. A row says what one sentence of a
// passage says, never more.
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "almanac/italian_regions.h"

namespace almanac {

// The two sections of every month's notes, in their order.
enum class NotesSection { OrtoEFrutteto, GiardinoETerrazzo };

// The passage a row stands in: "In Luna crescente" or "In Luna calante".
enum class MoonHalf { Waxing, Waning };

// The part of the plant a crop is grown for: the part that is eaten or wanted.
// The pea and the bean are grown for the seed in the pod, a fruit; the onion,
// the garlic and the shallot for the bulb and the potato for the tuber, all
// underground, a root; the cauliflower, the broccoli and the artichoke for the
// flower bud. Flowers and flowering shrubs are grown for the flower; fruit
// trees, the vine and the citrus for the fruit; the lawn, hedges, evergreens,
// house plants and the trees and shrubs of the garden named without their
// flowers for the leaves.
enum class PlantPart { Radice, Foglia, Fiore, Frutto };

// "radice", "foglia", "fiore", "frutto".
std::string_view plantPartName(PlantPart part);

// Where a sentence limits its advice, by its own words.
enum class AdviceZone {
  Everywhere,  // no limit, or "ovunque"
  Nord,        // "al Nord"
  CentroSud,   // "al Centro-Sud"
  Sud,         // "al Sud"
  MildZones,   // "nelle zone miti", "nelle zone a clima mite", "nelle regioni dal clima dolce"
};

// Whether advice limited to `where` holds in a place of `zone`. "Al Centro-Sud"
// is the Centre and the South with the islands; "al Sud" the South with the
// islands. The mild zones are read as the Centre and the South with the islands:
// the almanac knows a place only by its region, and the regions whose winters
// the notes call mild, as a whole, are those. A place whose zone is unknown gets
// only the advice that holds everywhere.
constexpr bool adviceHolds(AdviceZone where, std::optional<Zone> zone) {
  switch (where) {
    case AdviceZone::Everywhere: return true;
    case AdviceZone::Nord: return zone == Zone::Nord;
    case AdviceZone::CentroSud:
    case AdviceZone::MildZones: return zone == Zone::Centro || zone == Zone::SudEIsole;
    case AdviceZone::Sud: return zone == Zone::SudEIsole;
  }
  return false;
}

// The jobs the notes ask for, in the notes' own verbs: every job on the plants,
// the soil or the wine that three months' notes or more ask for, and the
// cellar's, which the moon has always timed (vendemmiare, travasare, imbottigliare,
// svinare il vino). Chores whose object changes from month to month (pulire le
// aiuole, i sottovasi, gli attrezzi; preparare) are not jobs of the table.
enum class Job {
  Seminare,
  Trapiantare,
  Piantare,
  Innestare,
  Potare,
  Raccogliere,
  Vendemmiare,
  TagliareLaLegna,
  TravasareIlVino,
  ImbottigliareIlVino,
  SvinareIlVino,
  Vangare,
  Concimare,
  Rinvasare,
  MoltiplicarePerTalea,
  Dividere,
  TagliareIFioriAppassiti,
  TosareIlPrato,
  Irrigare,
  Annaffiare,
  Pacciamare,
  Trattare,
  Proteggere,
};

// The moon under which every row of a job stands, or both.
enum class JobMoon { Waxing, Waning, Both };

struct NotesJob {
  Job job;
  std::string_view name;  // the infinitive and its object as the notes write them: "travasare il vino"
  JobMoon moon;
};

// Every job in the order of the enum, with the moon the notes give it; proven
// against the rows when compiling.
inline constexpr std::array<NotesJob, 23> NotesJobs{{
    {Job::Seminare, "seminare", JobMoon::Both},
    {Job::Trapiantare, "trapiantare", JobMoon::Waxing},
    {Job::Piantare, "piantare", JobMoon::Both},
    {Job::Innestare, "innestare", JobMoon::Waxing},
    {Job::Potare, "potare", JobMoon::Waning},
    {Job::Raccogliere, "raccogliere", JobMoon::Both},
    {Job::Vendemmiare, "vendemmiare", JobMoon::Waning},
    {Job::TagliareLaLegna, "tagliare la legna", JobMoon::Waning},
    {Job::TravasareIlVino, "travasare il vino", JobMoon::Waning},
    {Job::ImbottigliareIlVino, "imbottigliare il vino", JobMoon::Waning},
    {Job::SvinareIlVino, "svinare il vino", JobMoon::Waning},
    {Job::Vangare, "vangare", JobMoon::Waning},
    {Job::Concimare, "concimare", JobMoon::Waxing},
    {Job::Rinvasare, "rinvasare", JobMoon::Waxing},
    {Job::MoltiplicarePerTalea, "moltiplicare per talea", JobMoon::Waxing},
    {Job::Dividere, "dividere", JobMoon::Waning},
    {Job::TagliareIFioriAppassiti, "tagliare i fiori appassiti", JobMoon::Waning},
    {Job::TosareIlPrato, "tosare il prato", JobMoon::Waning},
    {Job::Irrigare, "irrigare", JobMoon::Waning},
    {Job::Annaffiare, "annaffiare", JobMoon::Both},
    {Job::Pacciamare, "pacciamare", JobMoon::Waning},
    {Job::Trattare, "trattare", JobMoon::Waning},
    {Job::Proteggere, "proteggere", JobMoon::Both},
}};

static_assert([] {
  for (std::size_t i = 0; i < NotesJobs.size(); ++i)
    if (static_cast<std::size_t>(NotesJobs[i].job) != i) return false;
  return true;
}(), "the jobs in the order of their enum");

constexpr std::string_view jobName(Job job) { return NotesJobs[static_cast<std::size_t>(job)].name; }

// A plant as the note names it: in its number, with the words that make it a
// kind or say what is put in the ground ("lattughe da taglio", "bulbi di
// scalogno"), without how, where or when it is worked ("a radice nuda", "in
// vaso", "per l'autunno").
struct Plant {
  std::string_view name;
  PlantPart part = PlantPart::Foglia;
  friend constexpr bool operator==(const Plant&, const Plant&) = default;
};

// The plants of one sentence's job, in the note's order; at most six.
class PlantList {
 public:
  static constexpr std::size_t Capacity = 6;

  constexpr PlantList() = default;
  template <class... Names>
  constexpr explicit PlantList(PlantPart part, Names... names)
      : plants_{Plant{names, part}...}, size_(sizeof...(names)) {}

  // The plants of both lists, this one's first; more than six do not compile.
  constexpr PlantList operator+(const PlantList& more) const {
    PlantList joined = *this;
    for (const Plant& plant : more) joined.plants_[joined.size_++] = plant;
    return joined;
  }

  constexpr const Plant* begin() const { return plants_.data(); }
  constexpr const Plant* end() const { return plants_.data() + size_; }
  constexpr std::size_t size() const { return size_; }
  constexpr bool empty() const { return size_ == 0; }
  constexpr const Plant& operator[](std::size_t i) const { return plants_[i]; }
  friend constexpr bool operator==(const PlantList&, const PlantList&) = default;

 private:
  std::array<Plant, Capacity> plants_{};
  std::size_t size_ = 0;
};

struct NotesAdvice {
  int month = 1;  // 1..12
  NotesSection section = NotesSection::OrtoEFrutteto;
  MoonHalf moon = MoonHalf::Waxing;
  Job job = Job::Seminare;
  AdviceZone zone = AdviceZone::Everywhere;
  PlantList plants{};  // none for a job that names none: "vangare", "tagliare la legna"
  friend constexpr bool operator==(const NotesAdvice&, const NotesAdvice&) = default;
};

// A month's rows (1..12), in the order of its notes: section by section, the
// waxing passage before the waning, sentence by sentence; none for another month.
std::span<const NotesAdvice> notesAdviceOf(int month);

// The rows of a month's passages for that moon whose advice holds in `zone`.
std::vector<NotesAdvice> adviceFor(int month, MoonHalf moon, std::optional<Zone> zone);

// "Orto e Frutteto", "Giardino e Terrazzo": the section's heading in the notes.
std::string_view sectionHeading(NotesSection section);

// The words a sentence limits its advice with: "al Nord", "al Centro-Sud", "al
// Sud", "nelle zone miti"; empty for advice that holds everywhere.
std::string_view adviceZoneWords(AdviceZone zone);

}  // namespace almanac
