#include "date_question.h"

#include <cstdio>
#include <string_view>

namespace zorli {
namespace {

// 今天 今儿 今日 现在 今年: the question is about now ...
constexpr std::string_view kNowWords[] = {
    "\xbd\xf1\xcc\xec", "\xbd\xf1\xb6\xf9", "\xbd\xf1\xc8\xd5",
    "\xcf\xd6\xd4\xda", "\xbd\xf1\xc4\xea",
};
// ... when one of 几号 几月几 星期几 周几 礼拜几 哪一年 哪年 几几年 日期 follows within a few
// characters ("今天是几号"). Alone they may ask about any day: "你几号回来".
constexpr std::string_view kDateWords[] = {
    "\xbc\xb8\xba\xc5", "\xbc\xb8\xd4\xc2\xbc\xb8", "\xd0\xc7\xc6\xda\xbc\xb8",
    "\xd6\xdc\xbc\xb8", "\xc0\xf1\xb0\xdd\xbc\xb8", "\xc4\xc4\xd2\xbb\xc4\xea",
    "\xc4\xc4\xc4\xea", "\xbc\xb8\xbc\xb8\xc4\xea", "\xc8\xd5\xc6\xda",
};
constexpr int32_t kMostBytesBetween = 6;
// With 了 they ask about today: 几号了 星期几了 周几了 礼拜几了.
constexpr std::string_view kDateNowPhrases[] = {
    "\xbc\xb8\xba\xc5\xc1\xcb",
    "\xd0\xc7\xc6\xda\xbc\xb8\xc1\xcb",
    "\xd6\xdc\xbc\xb8\xc1\xcb",
    "\xc0\xf1\xb0\xdd\xbc\xb8\xc1\xcb",
};
constexpr std::string_view kEnglishQuestions[] = {
    "what time is it",  "what's the time",   "whats the time",  "what is the time",
    "what day is it",   "what day is today", "what's the date", "whats the date",
    "what is the date", "what date is it",   "today's date",    "todays date",
};
// 日一二三四五六, Sunday first.
constexpr std::string_view kChineseWeekdays[] = {
    "\xc8\xd5", "\xd2\xbb", "\xb6\xfe", "\xc8\xfd", "\xcb\xc4", "\xce\xe5", "\xc1\xf9",
};
constexpr const char* kEnglishWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
constexpr const char* kEnglishMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};

// 0 is Sunday. Day 0 of the count, 1899-12-30, was a Saturday.
int32_t WeekdayOf(const CivilDateTime& p) {
  const auto days = static_cast<int64_t>(MakeDateTime({p.year, p.month, p.day, 0, 0, 0}));
  return static_cast<int32_t>(((days + 6) % 7 + 7) % 7);
}

}  // namespace

bool AsksForTheDate(const GbkText& message) {
  for (std::string_view phrase : kDateNowPhrases) {
    if (FindText(message, phrase) > 0) return true;
  }
  for (std::string_view now : kNowWords) {
    for (int32_t at = FindText(message, now); at > 0; at = FindText(message, now, at + 2)) {
      const int32_t after = at + static_cast<int32_t>(now.size());
      for (std::string_view date : kDateWords) {
        const int32_t found = FindText(message, date, after);
        if (found > 0 && found - after <= kMostBytesBetween) return true;
      }
    }
  }
  return false;
}

bool AsksForTheClockInEnglish(const GbkText& message) {
  for (std::string_view question : kEnglishQuestions) {
    if (FindText(message, question, std::nullopt, true) > 0) return true;
  }
  return false;
}

GbkText DateReply(DateTime now) {
  const CivilDateTime p = SplitDateTime(now);
  char buffer[64];
  // "今天是%d年%d月%d日，星期" then the weekday and "。"
  std::snprintf(buffer, sizeof buffer,
                "\xbd\xf1\xcc\xec\xca\xc7%d\xc4\xea%d\xd4\xc2%d\xc8\xd5\xa3\xac\xd0\xc7\xc6\xda",
                p.year, p.month, p.day);
  return GbkText(buffer) + GbkText(kChineseWeekdays[WeekdayOf(p)]) + "\xa1\xa3";
}

GbkText EnglishClockReply(DateTime now) {
  const CivilDateTime p = SplitDateTime(now);
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "It's %02d:%02d on %s, %d %s %d.", p.hour, p.minute,
                kEnglishWeekdays[WeekdayOf(p)], p.day, kEnglishMonths[p.month - 1], p.year);
  return buffer;
}

}  // namespace zorli
