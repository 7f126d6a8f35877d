// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diary in the year's phone calendar: each entry an event of its day, each
// reminder an event of its day with an alarm on the phone.
#include <string>
#include <string_view>
#include <vector>

#include "app/diary_entry.h"

namespace app {

// What the year's calendar takes from the diary.
struct DiaryOfYear {
  std::vector<DiaryEntry> entries;    // done in the year
  std::vector<DiaryEntry> reminders;  // to be remembered in the year, not yet dismissed
};

// The events as content lines (folded, CR LF), each stamped `dtstampLine`
// ("DTSTAMP:20270101T120000Z"): an entry's description says its note and the moon
// it was done under, a reminder's what it reminds of and when that was done; the
// reminder's alarm rings at 08:00 of its day, on the phone's own clock.
std::string diaryIcsEvents(const DiaryOfYear& diary, std::string_view dtstampLine, const Reckoning& reckoning);

}  // namespace app
