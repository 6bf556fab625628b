#pragma once
// Local date and time as OLE Automation dates: days since 1899-12-30 00:00, the time of
// day as the fraction.
#include <cstdint>

#include "gbk_text.h"

namespace zorli {

using DateTime = double;

constexpr DateTime kMinDateTime = -657434.0;  // 100-01-01
constexpr DateTime kMaxDateTime = 2958465.0;  // 9999-12-31

struct CivilDateTime {
  int32_t year, month, day, hour, minute, second;
};

// The current local time, whole seconds.
DateTime now();
DateTime MakeDateTime(const CivilDateTime& parts);
// Out-of-range values are first moved to the nearer bound of the supported range.
CivilDateTime SplitDateTime(DateTime value);
int32_t hourOf(DateTime value);
int32_t minuteOf(DateTime value);
int32_t secondOf(DateTime value);
// "2017年7月27日9时5分": trailing zero parts of the time are left out, no padding.
GbkText ToText(DateTime value);

// Blocks the calling thread; negative counts as 0. No messages are processed meanwhile.
void delay(int32_t milliseconds);

}  // namespace zorli
