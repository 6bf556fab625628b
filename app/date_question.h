#pragma once
// Questions for today's date (今天几号, 今年是哪一年) and for the clock in English ("what
// time is it"): the time rule's keywords (几点了, 时间) miss them, and a knowledge record
// cannot know the day.
#include "clock.h"
#include "gbk_text.h"

namespace zorli {

bool AsksForTheDate(const GbkText& message);
bool AsksForTheClockInEnglish(const GbkText& message);

// 今天是2026年12月10日，星期四。
GbkText DateReply(DateTime now);
// It's 23:40 on Thursday, 10 December 2026.
GbkText EnglishClockReply(DateTime now);

}  // namespace zorli
