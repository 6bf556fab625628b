#include "clock.h"

#include <gtest/gtest.h>

#include <chrono>

namespace zorli {
namespace {

// "年", "月", "日", "时", "分", "秒" in GBK.
#define ZORLI_NIAN "\xC4\xEA"
#define ZORLI_YUE "\xD4\xC2"
#define ZORLI_RI "\xC8\xD5"
#define ZORLI_SHI "\xCA\xB1"
#define ZORLI_FEN "\xB7\xD6"
#define ZORLI_MIAO "\xC3\xEB"

TEST(DateTimeText, LeavesOutTrailingZeroParts) {
  EXPECT_EQ(ToText(MakeDateTime({2017, 7, 27, 0, 0, 0})),
            "2017" ZORLI_NIAN "7" ZORLI_YUE "27" ZORLI_RI);
  EXPECT_EQ(ToText(MakeDateTime({2017, 7, 27, 9, 5, 0})),
            "2017" ZORLI_NIAN "7" ZORLI_YUE "27" ZORLI_RI "9" ZORLI_SHI "5" ZORLI_FEN);
  EXPECT_EQ(ToText(MakeDateTime({2017, 7, 27, 9, 0, 7})),
            "2017" ZORLI_NIAN "7" ZORLI_YUE "27" ZORLI_RI "9" ZORLI_SHI "0" ZORLI_FEN
            "7" ZORLI_MIAO);
  EXPECT_EQ(ToText(MakeDateTime({2017, 7, 27, 9, 0, 0})),
            "2017" ZORLI_NIAN "7" ZORLI_YUE "27" ZORLI_RI "9" ZORLI_SHI);
  EXPECT_EQ(ToText(MakeDateTime({2026, 12, 8, 10, 0, 0})),
            "2026" ZORLI_NIAN "12" ZORLI_YUE "8" ZORLI_RI "10" ZORLI_SHI);
}

TEST(DateTimeValue, OleDateArithmetic) {
  EXPECT_DOUBLE_EQ(MakeDateTime({1899, 12, 30, 0, 0, 0}), 0.0);
  EXPECT_DOUBLE_EQ(MakeDateTime({1900, 1, 1, 12, 0, 0}), 2.5);
  EXPECT_DOUBLE_EQ(MakeDateTime({1899, 12, 29, 6, 0, 0}), -1.25);
  EXPECT_DOUBLE_EQ(MakeDateTime({2017, 7, 27, 0, 0, 0}), 42943.0);
  const CivilDateTime before = SplitDateTime(-1.25);
  EXPECT_EQ(before.day, 29);
  EXPECT_EQ(before.hour, 6);
}

TEST(DateTimeValue, PartsRoundTripAndAvoidFloatingDrift) {
  for (int h : {0, 9, 23}) {
    for (int m : {0, 5, 59}) {
      for (int s : {0, 7, 59}) {
        const DateTime t = MakeDateTime({2024, 2, 29, h, m, s});
        EXPECT_EQ(hourOf(t), h);
        EXPECT_EQ(minuteOf(t), m);
        EXPECT_EQ(secondOf(t), s);
      }
    }
  }
  const DateTime almostMidnight = MakeDateTime({2024, 2, 29, 0, 0, 0}) - 1e-9;
  EXPECT_EQ(hourOf(almostMidnight), 0);
}

TEST(DateTimeValue, ClampsToTheSupportedYears) {
  const CivilDateTime low = SplitDateTime(-1e9);
  EXPECT_EQ(low.year, 100);
  EXPECT_EQ(low.month, 1);
  EXPECT_EQ(low.day, 1);
  const CivilDateTime high = SplitDateTime(1e12);
  EXPECT_EQ(high.year, 9999);
  EXPECT_EQ(high.month, 12);
  EXPECT_EQ(high.day, 31);
  EXPECT_EQ(SplitDateTime(kMaxDateTime + 0.75).hour, 0);
}

TEST(Clock, NowIsTodayInWholeSeconds) {
  const DateTime t = now();
  EXPECT_GT(t, MakeDateTime({2020, 1, 1, 0, 0, 0}));
  const double seconds = t * 86400.0;
  EXPECT_NEAR(seconds, static_cast<double>(static_cast<long long>(seconds + 0.5)), 1e-3);
}

TEST(Delay, BlocksForTheTimeAndNotForNegatives) {
  auto start = std::chrono::steady_clock::now();
  delay(-50);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
  start = std::chrono::steady_clock::now();
  delay(60);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(55));
}

}  // namespace
}  // namespace zorli
