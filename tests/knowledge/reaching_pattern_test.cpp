// A pattern built from a message reaches it: every unit is found in the message, the
// score is what was asked for, the rarest units lead, and the field's width holds.
#include "reaching_pattern.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "gbk_text.h"
#include "knowledge_schema.h"
#include "pattern_units.h"

namespace zorli::knowledge {
namespace {

// 你 好 吗
const std::string kYou = "\xc4\xe3", kGood = "\xba\xc3", kQuestion = "\xc2\xf0";
constexpr int32_t kFieldUnits = kTextWidth / 2;

// What the engine scores the pattern against the message: its units searched one by one.
int32_t EngineScore(std::string_view pattern, const GbkText& message) {
  int32_t score = 0;
  ForEachPatternUnit(pattern, [&](std::string_view unit) {
    if (FindText(message, GbkText(unit), std::nullopt, true) != -1) ++score;
  });
  return score;
}

int32_t DistinctPatternUnits(std::string_view pattern) {
  std::vector<std::string_view> units;
  ForEachPatternUnit(pattern, [&](std::string_view unit) {
    if (std::find(units.begin(), units.end(), unit) == units.end()) units.push_back(unit);
  });
  return static_cast<int32_t>(units.size());
}

TEST(ReachingPatternTest, TheMessageScoresEveryUnitOnAnyBytes) {
  // clang-format off
  static const char* const kPieces[] = {
      "a", "Q", "z", "7", " ", "?", "\t", "\xc4\xe3", "\xba\xc3", "\x81\x61", "\x81\x41",
      "\xa3\xbf", "\xfe\x40", "\x8a\x5a", "\xc4", "\xff"};
  // clang-format on
  std::mt19937 generator(20261209);
  UnitFrequencies none;
  for (int round = 0; round < 3000; ++round) {
    GbkText message;
    for (size_t n = generator() % 40; n > 0; --n)
      message += kPieces[generator() % std::size(kPieces)];
    const int32_t target = static_cast<int32_t>(generator() % 130);
    const ReachingPattern built = BuildReachingPattern(message, none, target);
    ASSERT_LE(built.pattern.size(), size_t(kTextWidth));
    ASSERT_EQ(EngineScore(built.pattern, message), built.score) << "round " << round;
    const int32_t distinct = DistinctPatternUnits(built.pattern);
    if (distinct > 0) {
      ASSERT_EQ(built.score, std::min(kFieldUnits, std::max(target, distinct)))
          << "round " << round;
    }
  }
}

TEST(ReachingPatternTest, RarestUnitsComeFirstAndAreRepeatedFirst) {
  UnitFrequencies frequencies;
  frequencies.AddMessage(kYou + kGood);
  frequencies.AddMessage(kYou + kGood + kYou);  // counted once for this message
  EXPECT_EQ(frequencies.Of(kYou), 2u);
  const ReachingPattern built = BuildReachingPattern(kYou + kGood + kQuestion, frequencies, 5);
  EXPECT_EQ(built.pattern, kQuestion + kQuestion + kYou + kYou + kGood);
  EXPECT_EQ(built.score, 5);
  // Below the target's reach every distinct unit is still used once.
  EXPECT_EQ(BuildReachingPattern(kYou + kGood + kQuestion, frequencies, 1).score, 3);
}

TEST(ReachingPatternTest, LowerCaseIsTaughtInUpperCaseAndDigitsNever) {
  UnitFrequencies none;
  EXPECT_EQ(BuildReachingPattern("hello", none, 0).pattern, "HEELLLLO");
  EXPECT_EQ(BuildReachingPattern("ab12", none, 0).pattern, "AB");
  EXPECT_EQ(BuildReachingPattern("2026", none, 9).score, 0);
  // A character whose trail byte is a lower-case letter: 乤 (81 61).
  EXPECT_EQ(BuildReachingPattern("\x81\x61", none, 0).pattern, "\x81\x41");
}

TEST(ReachingPatternTest, SpacesAndPunctuationCountOnlyWithoutOtherUnits) {
  UnitFrequencies none;
  EXPECT_EQ(BuildReachingPattern(kYou + " ?!", none, 0).pattern, kYou);
  EXPECT_EQ(BuildReachingPattern("hi there", none, 0).pattern, "HITHHEERRE");
  EXPECT_EQ(BuildReachingPattern("?!?", none, 0).pattern, "?!!?");
}

TEST(ReachingPatternTest, AMessageTooLongKeepsItsRarestUnits) {
  // 150 distinct characters 啊 (B0A1) onwards, the last one the rarest.
  GbkText message;
  UnitFrequencies frequencies;
  for (int i = 0; i < 150; ++i) {
    const GbkText character{static_cast<char>(0xb0 + i / 94), static_cast<char>(0xa1 + i % 94)};
    message += character;
    if (i < 149) frequencies.AddMessage(character);
  }
  const ReachingPattern built = BuildReachingPattern(message, frequencies, 0);
  EXPECT_EQ(built.pattern.size(), size_t(kTextWidth));
  EXPECT_EQ(built.pattern.substr(0, 2), message.substr(message.size() - 2));
  EXPECT_EQ(built.pattern.substr(2, 2), message.substr(0, 2));
}

}  // namespace
}  // namespace zorli::knowledge
