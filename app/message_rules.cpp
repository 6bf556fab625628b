#include "message_rules.h"

#include "care_rule.h"
#include "conversation_texts.h"
#include "web_addresses.h"

namespace zorli {
namespace {

constexpr int32_t kSearchMarkerBytes = 5;
// The marker and the one separator byte after it, whatever that byte is.
constexpr int32_t kSearchKeywordOffset = 6;
constexpr int32_t kTeasingThreshold = 3;

void TimeRule(const GbkText& message, DateTime now, RuleOutcome& outcome) {
  // Both are tested: a message holding both sets the same text twice.
  for (std::string_view keyword : {kTimeKeywordFirst, kTimeKeywordSecond}) {
    if (FindText(message, keyword, 1, false) > 0) outcome.presetText = ToText(now);
  }
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
