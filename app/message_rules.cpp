#include "message_rules.h"

#include "care_rule.h"
#include "conversation_texts.h"
#include "date_question.h"
#include "web_addresses.h"

namespace zorli {
namespace {

constexpr int32_t kSearchMarkerBytes = 5;
// The marker and the one separator byte after it, whatever that byte is.
constexpr int32_t kSearchKeywordOffset = 6;
constexpr int32_t kTeasingThreshold = 3;

// Phrases in which 时间 is an amount of time, not a question for the clock: 第一时间 杀时间
// 打发时间 浪费时间 没时间 有时间 花时间 抽时间 找时间 长时间 段时间 (一段, 这段, 前段 …)
// 时间过得 时间管理 时间长了 时间久了 时间不够 业余时间 空闲时间 休息时间 耽误时间 节省时间
// 忘了时间 忘记时间.
// "我第一时间告诉了我妈" asks for no date.
constexpr std::string_view kTimeAsAmount[] = {
    "\xb5\xda\xd2\xbb\xca\xb1\xbc\xe4", "\xc9\xb1\xca\xb1\xbc\xe4",
    "\xb4\xf2\xb7\xa2\xca\xb1\xbc\xe4", "\xc0\xcb\xb7\xd1\xca\xb1\xbc\xe4",
    "\xc3\xbb\xca\xb1\xbc\xe4",         "\xd3\xd0\xca\xb1\xbc\xe4",
    "\xbb\xa8\xca\xb1\xbc\xe4",         "\xb3\xe9\xca\xb1\xbc\xe4",
    "\xd5\xd2\xca\xb1\xbc\xe4",         "\xb3\xa4\xca\xb1\xbc\xe4",
    "\xb6\xce\xca\xb1\xbc\xe4",         "\xca\xb1\xbc\xe4\xb9\xfd\xb5\xc3",
    "\xca\xb1\xbc\xe4\xb9\xdc\xc0\xed", "\xca\xb1\xbc\xe4\xb3\xa4\xc1\xcb",
    "\xca\xb1\xbc\xe4\xbe\xc3\xc1\xcb", "\xca\xb1\xbc\xe4\xb2\xbb\xb9\xbb",
    "\xd2\xb5\xd3\xe0\xca\xb1\xbc\xe4", "\xbf\xd5\xcf\xd0\xca\xb1\xbc\xe4",
    "\xd0\xdd\xcf\xa2\xca\xb1\xbc\xe4", "\xb5\xa2\xce\xf3\xca\xb1\xbc\xe4",
    "\xbd\xda\xca\xa1\xca\xb1\xbc\xe4", "\xcd\xfc\xc1\xcb\xca\xb1\xbc\xe4",
    "\xcd\xfc\xbc\xc7\xca\xb1\xbc\xe4",
};

// Whether the keyword found at byte position (1-based) lies inside one of those phrases.
bool IsTimeAsAmount(const GbkText& message, int32_t position) {
  const size_t at = static_cast<size_t>(position - 1);
  for (std::string_view phrase : kTimeAsAmount) {
    const size_t offset = phrase.find(kTimeKeywordSecond);
    if (at >= offset && message.compare(at - offset, phrase.size(), phrase) == 0) return true;
  }
  return false;
}

// A 时间 outside those phrases, searched as the first keyword is.
bool AsksForTheTime(const GbkText& message) {
  for (int32_t found = FindText(message, kTimeKeywordSecond, 1, false); found > 0;
       found = FindText(message, kTimeKeywordSecond, found + 2, false)) {
    if (!IsTimeAsAmount(message, found)) return true;
  }
  return false;
}

void TimeRule(const GbkText& message, DateTime now, RuleOutcome& outcome) {
  // First, so that a message that also holds a keyword gets the time with its date.
  if (AsksForTheDate(message)) outcome.presetText = DateReply(now);
  if (AsksForTheClockInEnglish(message)) outcome.presetText = EnglishClockReply(now);
  // Both are tested: a message holding both sets the same text twice.
  if (FindText(message, kTimeKeywordFirst, 1, false) > 0) outcome.presetText = ToText(now);
  if (AsksForTheTime(message)) outcome.presetText = ToText(now);
}

// Only the bare word: the reply still comes from the knowledge files.
void NewsRule(const GbkText& message, RuleOutcome& outcome) {
  if (CompareTexts(message, kNewsKeyword) == 0) outcome.newsCommandLine = NewsCommandLine();
}

void SearchRule(const GbkText& message, RuleOutcome& outcome) {
  if (CompareTexts(LeftText(message, kSearchMarkerBytes), kSearchMarker) != 0) return;
  const GbkText keyword = RightText(message, TextLength(message) - kSearchKeywordOffset);
  outcome.presetText = GbkText(kSearchReply);
  outcome.searchUrl = SearchUrl(keyword);
}

void TeasingRule(int32_t repeatCount, RuleOutcome& outcome) {
  if (repeatCount > kTeasingThreshold) outcome.presetText = GbkText(kTeasingReply);
}

// Last, so that it wins over the teasing: a person in crisis who repeats themselves is
// answered with care every time. The launches of the keyword rules stay as they were.
void CareRule(const GbkText& message, int32_t repeatCount, RuleOutcome& outcome) {
  if (CarePhraseIn(message)) outcome.presetText = CareReply(message, repeatCount);
}

}  // namespace

RuleOutcome ApplyMessageRules(const GbkText& message, int32_t repeatCount, DateTime now) {
  RuleOutcome outcome;
  TimeRule(message, now, outcome);
  NewsRule(message, outcome);
  SearchRule(message, outcome);
  TeasingRule(repeatCount, outcome);
  CareRule(message, repeatCount, outcome);
  return outcome;
}

}  // namespace zorli
