#pragma once
// Name-day texts of every day of the year: one list before 1970, one from 1970.
#include <string_view>

namespace almanac {

// Saint of day 1..31 of month 1..12 in `year`. February always has 29 entries.
// Days past the end of a month give an empty text.
std::string_view saintOfDay(int month, int day, int year);

}  // namespace almanac
