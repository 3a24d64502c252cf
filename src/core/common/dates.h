// Calendar dates as the program keeps them: a double counting days from 30 December 1899
// (the integer part is the day, the fraction the time of day, which documents never use).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bilvox {

using TDate = double;

struct Ymd {
  int year = 1899;
  int month = 12;
  int day = 30;
  friend bool operator==(const Ymd&, const Ymd&) = default;
};

// Day number of a calendar date (proleptic Gregorian); 1899-12-30 is 0.
int32_t DayNumber(int year, int month, int day);
inline int32_t DayNumber(const Ymd& d) { return DayNumber(d.year, d.month, d.day); }
// Calendar date of a day number (the fraction of a date is dropped toward minus infinity).
Ymd CalendarDate(int64_t dayNumber);
Ymd CalendarDate(TDate date);
// Whole days of a date (floor), as the program counts them.
int64_t WholeDays(TDate date);

bool IsValidDate(int year, int month, int day);
// "YYYY-MM-DD" → date; empty when the text is not such a date.
std::optional<Ymd> ParseIsoDate(std::string_view text);
// "YYYY-MM-DD" with leading zeros.
std::string IsoDateText(const Ymd& d);

// Today's date. It is the system's local date unless the process runs with
// BILVOX_TODAY=YYYY-MM-DD, or a test installed a clock of its own.
Ymd TodayYmd();
inline TDate Today() { return DayNumber(TodayYmd()); }

// Replaces the clock (tests). An empty function restores the normal clock.
void SetClock(std::function<Ymd()> clock);

}  // namespace bilvox
