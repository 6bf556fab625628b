// The rules as one function: what each decides for a message, and which wins.
#include "message_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "care_rule.h"
#include "conversation_texts.h"
#include "web_addresses.h"

namespace zorli {
namespace {

const GbkText kAskTime = "\xcf\xd6\xd4\xda\xbc\xb8\xb5\xe3\xc1\xcb";  // 现在几点了
const GbkText kTime = "\xca\xb1\xbc\xe4";                             // 时间
const GbkText kNews = "\xd0\xc2\xce\xc5";                             // 新闻
const GbkText kTianQi = "\xcc\xec\xc6\xf8";                           // 天气
const GbkText kNoLongerLive = "\xb2\xbb\xcf\xeb\xbb\xee\xc1\xcb";     // 不想活了
const DateTime kTen = MakeDateTime({2026, 12, 8, 10, 0, 0});
// Sent for the first time; the teasing rule begins after the third time in a row.
constexpr int32_t kFirstTime = 1;
constexpr int32_t kFourthTime = 4;

RuleOutcome Rules(const GbkText& message, int32_t repeatCount = kFirstTime) {
  return ApplyMessageRules(message, repeatCount, kTen);
}

TEST(MessageRulesTest, AnOrdinaryMessageMeetsNoRule) {
  const RuleOutcome outcome = Rules("\xc4\xe3\xba\xc3");  // 你好
  EXPECT_FALSE(outcome.presetText || outcome.newsCommandLine || outcome.searchUrl);
}

TEST(MessageRulesTest, EitherTimeKeywordTellsTheGivenTime) {
  for (const GbkText& message : {kAskTime, kTime, kAskTime + kTime}) {
    const RuleOutcome outcome = Rules(message);
    EXPECT_EQ(outcome.presetText, ToText(kTen));
    EXPECT_FALSE(outcome.newsCommandLine || outcome.searchUrl);
  }
}

TEST(MessageRulesTest, TimeAsAnAmountAsksForNoClock) {
  const GbkText noTime = "\xce\xd2\xc3\xbb\xca\xb1\xbc\xe4";  // 我没时间
  const GbkText killTime = "\xc9\xb1\xca\xb1\xbc\xe4";        // 杀时间
  EXPECT_EQ(Rules(noTime).presetText, std::nullopt);
  EXPECT_EQ(Rules(killTime + killTime).presetText, std::nullopt);
  // 她前段时间每天拉着我讨论题目: a while ago
  EXPECT_EQ(Rules("\xcb\xfd\xc7\xb0\xb6\xce\xca\xb1\xbc\xe4\xc3\xbf\xcc\xec").presetText,
            std::nullopt);
  // A question for the clock beside one still gets it.
  EXPECT_EQ(Rules(noTime + "\xa3\xac" + kTime).presetText, ToText(kTen));
}

TEST(MessageRulesTest, TodaysDateIsToldInTheLanguageAsked) {
  // 今天是2026年12月8日，星期二。 (kTen is a Tuesday)
  const GbkText today = "\xbd\xf1\xcc\xec\xca\xc7"
                        "2026\xc4\xea"
                        "12\xd4\xc2"
                        "8\xc8\xd5\xa3\xac\xd0\xc7\xc6\xda\xb6\xfe\xa1\xa3";
  EXPECT_EQ(Rules("\xbd\xf1\xcc\xec\xbc\xb8\xba\xc5\xb0\xa1").presetText, today);  // 今天几号啊
  EXPECT_EQ(Rules("\xbd\xf1\xc4\xea\xca\xc7\xc4\xc4\xd2\xbb\xc4\xea").presetText,  // 今年是哪一年
            today);
  EXPECT_EQ(Rules("Whats the time now?").presetText,
            GbkText("It's 10:00 on Tuesday, 8 December 2026."));
  // Another day's date is no question for the calendar: 你几号回来
  EXPECT_EQ(Rules("\xc4\xe3\xbc\xb8\xba\xc5\xbb\xd8\xc0\xb4").presetText, std::nullopt);
  // With the clock's keyword too, the time rule's text (date and time) wins: 今天几号，几点了
  EXPECT_EQ(Rules("\xbd\xf1\xcc\xec\xbc\xb8\xba\xc5\xa3\xac" + kAskTime).presetText, ToText(kTen));
}

TEST(MessageRulesTest, NewsStartsTheProgramForTheBareWordOnly) {
  const RuleOutcome news = Rules(kNews);
  EXPECT_EQ(news.newsCommandLine, NewsCommandLine());
  EXPECT_EQ(news.presetText, std::nullopt);  // the knowledge files still answer
  EXPECT_EQ(Rules(kNews + " ").newsCommandLine, std::nullopt);
}

TEST(MessageRulesTest, SearchTakesTheBytesAfterTheMarkerAndOneSeparator) {
  const RuleOutcome search = Rules(GbkText(kSearchMarker) + " " + kTianQi);
  EXPECT_EQ(search.presetText, GbkText(kSearchReply));
  EXPECT_EQ(search.searchUrl, SearchUrl(kTianQi));
  EXPECT_EQ(Rules(GbkText(kSearchMarker)).searchUrl, SearchUrl(""));
}

TEST(MessageRulesTest, SearchUrlIsAsciiAndDecodesToEveryKeywordByte) {
  std::string everyByte;
  for (int byte = 1; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  const GbkText url = SearchUrl(everyByte);
  std::string decoded;
  for (size_t i = 0; i < url.size(); ++i) {
    const auto c = static_cast<unsigned char>(url[i]);
    ASSERT_TRUE(c > ' ' && c < 0x7F) << "byte " << i;
    if (c == '%' && i + 2 < url.size()) {
      decoded += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      decoded += url[i];
    }
  }
  const std::string before = "?ct=0&ie=gb2312&bs=&sr=&z=&wd=", after = "&cl=3&f=8";
  const size_t start = decoded.find(before) + before.size();
  EXPECT_EQ(decoded.substr(start, decoded.size() - start - after.size()), everyByte);
  // The unreserved characters stay as they are, their neighbours are encoded.
  EXPECT_NE(url.find("%2C-.%2F0123456789%3A"), std::string::npos);
}

TEST(MessageRulesTest, LaterRulesReplaceThePresetTextAndKeepTheLaunches) {
  const GbkText search = GbkText(kSearchMarker) + " " + kAskTime;
  EXPECT_EQ(Rules(search).presetText, GbkText(kSearchReply));
  EXPECT_EQ(Rules(search, kFourthTime - 1).presetText, GbkText(kSearchReply));
  const RuleOutcome teased = Rules(search, kFourthTime);
  EXPECT_EQ(teased.presetText, GbkText(kTeasingReply));
  EXPECT_EQ(teased.searchUrl, SearchUrl(kAskTime));
}

TEST(MessageRulesTest, CareWinsOverTheTimeAndTheTeasing) {
  const GbkText message = kAskTime + kNoLongerLive;
  for (int32_t repeatCount : {kFirstTime, kFourthTime}) {
    const RuleOutcome outcome = Rules(message, repeatCount);
    EXPECT_EQ(outcome.presetText, CareReply(message, repeatCount));
    EXPECT_NE(outcome.presetText, GbkText(kTeasingReply));
  }
}

TEST(MessageRulesTest, CareKeepsTheSearchOfAMarkedMessage) {
  const GbkText search = GbkText(kSearchMarker) + " " + kNoLongerLive;
  const RuleOutcome outcome = Rules(search);
  EXPECT_EQ(outcome.presetText, CareReply(search, kFirstTime));
  EXPECT_EQ(outcome.searchUrl, SearchUrl(kNoLongerLive));
}

}  // namespace
}  // namespace zorli
