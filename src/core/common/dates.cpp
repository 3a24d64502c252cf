#include "common/dates.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace bilvox {

namespace {

// Days since 1970-01-01 of a civil date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

Ymd CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return Ymd{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr int64_t kUnixEpochDay = 25569;  // 1970-01-01 counted from 1899-12-30

std::function<Ymd()>& ClockOverride() {
  static std::function<Ymd()> clock;
  return clock;
}

std::optional<Ymd> EnvironmentToday() {
  static const std::optional<Ymd> today = [] () -> std::optional<Ymd> {
    const char* v = std::getenv("BILVOX_TODAY");
    if (!v || !*v) return std::nullopt;
    auto d = ParseIsoDate(v);
    if (!d) std::fprintf(stderr, "BILVOX_TODAY=%s is not a date (YYYY-MM-DD); using the system date\n", v);
    return d;
  }();
  return today;
}

}  // namespace

int32_t DayNumber(int year, int month, int day) {
  return static_cast<int32_t>(DaysFromCivil(year, static_cast<unsigned>(month),
                                            static_cast<unsigned>(day)) + kUnixEpochDay);
}

Ymd CalendarDate(int64_t dayNumber) { return CivilFromDays(dayNumber - kUnixEpochDay); }

int64_t WholeDays(TDate date) {
  if (!std::isfinite(date)) return 0;
  // Beyond any calendar a document can hold; keeps the conversion defined.
  if (date > 1e12) return static_cast<int64_t>(1e12);
  if (date < -1e12) return static_cast<int64_t>(-1e12);
  return static_cast<int64_t>(std::floor(date));
}

Ymd CalendarDate(TDate date) { return CalendarDate(WholeDays(date)); }

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int max = kDays[month - 1];
  if (month == 2 && (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0))) max = 29;
  return day <= max;
}

std::optional<Ymd> ParseIsoDate(std::string_view t) {
  if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
  auto num = [&](size_t pos, size_t len, int& out) {
    out = 0;
    for (size_t i = pos; i < pos + len; ++i) {
      if (t[i] < '0' || t[i] > '9') return false;
      out = out * 10 + (t[i] - '0');
    }
    return true;
  };
  Ymd d;
  if (!num(0, 4, d.year) || !num(5, 2, d.month) || !num(8, 2, d.day)) return std::nullopt;
  if (!IsValidDate(d.year, d.month, d.day)) return std::nullopt;
  return d;
}

std::string IsoDateText(const Ymd& d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
  return buf;
}

Ymd TodayYmd() {
  if (auto& clock = ClockOverride()) return clock();
  if (auto env = EnvironmentToday()) return *env;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Ymd{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void SetClock(std::function<Ymd()> clock) { ClockOverride() = std::move(clock); }

}  // namespace bilvox
