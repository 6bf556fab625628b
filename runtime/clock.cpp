#include "clock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/platform.h"

namespace zorli {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 to the OLE epoch 1899-12-30.
constexpr int64_t kOleEpochFromUnixDays = -25569;

// Proleptic Gregorian day counting (days since 1970-01-01), after H. Hinnant.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int32_t& year, int32_t& month, int32_t& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int32_t>(yoe + era * 400 + (month <= 2));
}

}  // namespace

DateTime MakeDateTime(const CivilDateTime& p) {
  const int64_t days = DaysFromCivil(p.year, p.month, p.day) - kOleEpochFromUnixDays;
  const double fraction = (p.hour * 3600.0 + p.minute * 60.0 + p.second) / kSecondsPerDay;
  // Before the epoch the fraction still counts forward from the day's midnight.
  return days >= 0 ? days + fraction : days - fraction;
}

CivilDateTime SplitDateTime(DateTime value) {
  if (std::isnan(value)) value = 0.0;
  value = std::clamp(value, kMinDateTime, kMaxDateTime);
  int64_t days = static_cast<int64_t>(std::trunc(value));
  int64_t seconds = std::llround(std::fabs(value - static_cast<double>(days)) * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {  // rounding reached the next midnight
    seconds -= kSecondsPerDay;
    days += 1;
  }
  CivilDateTime parts{};
  CivilFromDays(days + kOleEpochFromUnixDays, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int32_t>(seconds / 3600);
  parts.minute = static_cast<int32_t>(seconds / 60 % 60);
  parts.second = static_cast<int32_t>(seconds % 60);
  return parts;
}

DateTime now() {
  const platform::LocalTime t = platform::LocalTimeNow();
  return MakeDateTime({t.year, t.month, t.day, t.hour, t.minute, t.second});
}

int32_t hourOf(DateTime value) { return SplitDateTime(value).hour; }
int32_t minuteOf(DateTime value) { return SplitDateTime(value).minute; }
int32_t secondOf(DateTime value) { return SplitDateTime(value).second; }

GbkText ToText(DateTime value) {
  const CivilDateTime p = SplitDateTime(value);
  char buffer[96];
  // "%d年%d月%d日" in GBK.
  int length = std::snprintf(buffer, sizeof buffer, "%d\xC4\xEA%d\xD4\xC2%d\xC8\xD5", p.year,
                             p.month, p.day);
  char* tail = buffer + length;
  const size_t room = sizeof buffer - static_cast<size_t>(length);
  if (p.second != 0) {
    // "%d时%d分%d秒"
    std::snprintf(tail, room, "%d\xCA\xB1%d\xB7\xD6%d\xC3\xEB", p.hour, p.minute, p.second);
  } else if (p.minute != 0) {
    std::snprintf(tail, room, "%d\xCA\xB1%d\xB7\xD6", p.hour, p.minute);  // "%d时%d分"
  } else if (p.hour != 0) {
    std::snprintf(tail, room, "%d\xCA\xB1", p.hour);  // "%d时"
  }
  return buffer;
}

void delay(int32_t milliseconds) {
  platform::SleepMilliseconds(std::max<int32_t>(milliseconds, 0));
}

}  // namespace zorli
