#include "pattern_units.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "knowledge_files.h"
#include "pattern.h"
#include "record_database.h"
#include "reply_scoring.h"

namespace zorli {
namespace {

using ::testing::ElementsAre;

std::vector<GbkText> UnitsOf(std::string_view pattern) {
  std::vector<GbkText> units;
  ForEachPatternUnit(pattern, [&](std::string_view unit) { units.emplace_back(unit); });
  return units;
}

// The matches as the regular-expression service finds them.
std::vector<GbkText> ServiceMatches(const regex& expression, const GbkText& pattern) {
  std::vector<GbkText> matches;
  for (const SearchResult& result : expression.searchAll(pattern)) {
    matches.push_back(matchText(&result, pattern));
  }
  return matches;
}

TEST(PatternUnitsTest, CutsRunsOutsideLowerCaseLettersAndDigitsIntoPairs) {
  EXPECT_THAT(UnitsOf("\xc4\xe3\xba\xc3\xc2\xf0"),
              ElementsAre("\xc4\xe3", "\xba\xc3", "\xc2\xf0"));  // 你好吗
  EXPECT_THAT(UnitsOf("\xc4\xe3"
                      "a\xba\xc3"),
              ElementsAre("\xc4\xe3", "\xba\xc3"));  // 你a好
  EXPECT_THAT(UnitsOf("Hi\xc4\xe3"), ElementsAre("\xc4\xe3"));
  EXPECT_THAT(UnitsOf("OK"), ElementsAre("OK"));
  EXPECT_THAT(UnitsOf("A\xc4\xe3\xba\xc3"), ElementsAre("A\xc4", "\xe3\xba"));  // A你好
  EXPECT_THAT(UnitsOf("abc123"), ElementsAre());
  EXPECT_THAT(UnitsOf(""), ElementsAre());
  EXPECT_THAT(UnitsOf(std::string_view("AB\0CD", 5)), ElementsAre("AB"));
}

TEST(PatternUnitsTest, AgreesWithTheRegularExpressionServiceOnAnyBytes) {
  regex expression;
  ASSERT_TRUE(expression.create("[^a-z0-9]{2}"));
  // Bytes on both sides of every class edge, plus lead and trail bytes.
  const std::string alphabet = "`az{/09:@AZ[ \t\r\n\x7f\x80\x81\xa1\xc4\xe3\xfe\xff";
  std::mt19937 generator(20260601);
  for (int round = 0; round < 20000; ++round) {
    GbkText pattern;
    const size_t length = generator() % 24;
    for (size_t i = 0; i < length; ++i) pattern += alphabet[generator() % alphabet.size()];
    ASSERT_EQ(UnitsOf(pattern), ServiceMatches(expression, pattern)) << "round " << round;
  }
}

TEST(MessageUnitIndexTest, AnswersAsFindTextWithCaseFoldedEveryTime) {
  const GbkText message = "xAb\xc4\xe3?\xba\xc3";  // xAb你?好
  MessageUnitIndex index(message);
  const std::string bytes("Abx?\xc4\xe3\xba\xc3\x62", 9);
  for (int pass = 0; pass < 2; ++pass) {
    for (char first : bytes) {
      for (char second : bytes) {
        const GbkText unit{first, second};
        EXPECT_EQ(index.Contains(unit), FindText(message, unit, std::nullopt, true) != -1)
            << "pass " << pass;
      }
    }
  }
  EXPECT_TRUE(index.Contains("aB"));
  EXPECT_FALSE(index.Contains("\xe3?"));  // a trail byte is never a search position
}

// A record's score as the reply engine's rules state it: the matches of the expression
// joined, cut into units of two bytes, each unit searched in the message on its own.
int32_t ScoreByUnitSearches(const regex& expression, const GbkText& pattern,
                            const GbkText& message) {
  GbkText joined;
  for (const GbkText& match : ServiceMatches(expression, pattern)) joined += match;
  int32_t score = 0;
  for (int32_t k = 1; k <= TextLength(joined) / 2; ++k) {
    if (FindText(message, MidText(joined, (k - 1) * 2 + 1, 2), std::nullopt, true) != -1) {
      ++score;
    }
  }
  return score;
}

// Random GBK-like text: ASCII of both cases, whole characters (trail bytes that are
// letters included) and stray lead or trail bytes.
GbkText RandomGbk(std::mt19937& generator, size_t pieces) {
  // clang-format off
  static const char* const kPieces[] = {
      "a", "A", "b", "B", "z", "Z", "0", "9", " ", "?", "\t", "\x7f",
      "\xc4\xe3", "\xba\xc3", "\x81\x41", "\x81\x61", "\xa3\xc1", "\xfe\x40", "\x8a\x5a",
      "\xc4", "\xe3", "\x81", "\xff"};
  // clang-format on
  GbkText text;
  for (size_t i = 0; i < pieces; ++i) text += kPieces[generator() % std::size(kPieces)];
  return text;
}

TEST(MessageUnitIndexTest, ScoresAsSearchingTheMessageForEachUnit) {
  regex expression;
  ASSERT_TRUE(expression.create("[^a-z0-9]{2}"));
  std::mt19937 generator(20261208);
  for (int round = 0; round < 5000; ++round) {
    const GbkText message = RandomGbk(generator, generator() % 30);
    const MessageUnitIndex index(message);
    for (int p = 0; p < 8; ++p) {
      const GbkText pattern = RandomGbk(generator, generator() % 12);
      ASSERT_EQ(ScorePattern(pattern, index), ScoreByUnitSearches(expression, pattern, message))
          << "round " << round << ", pattern " << p;
    }
  }
}

// The batch scan of a whole file chooses as scoring each stored pattern by the rules
// does: same best score, same candidates, over several chunks of 16 MiB.
TEST(MessageUnitIndexTest, ScoringAFileGivesTheCandidatesOfEachPattern) {
  regex expression;
  ASSERT_TRUE(expression.create("[^a-z0-9]{2}"));
  std::mt19937 generator(20261209);
  constexpr int kRecords = 40000;  // records of about 1 KB: two and a half chunks
  std::vector<testing::KnowledgeRecord> records;
  for (int i = 0; i < kRecords; ++i) {
    records.push_back(testing::RecordAnswering(RandomGbk(generator, generator() % 10), "a"));
  }
  testing::KnowledgeFilesScope files;
  testing::WritePrimaryKnowledge(records);
  ASSERT_TRUE(OpenDatabase("dbs.edb")) << LastError();
  for (int m = 0; m < 4; ++m) {
    const GbkText message = RandomGbk(generator, 2 + generator() % 20);
    CandidateList expected;
    for (int32_t r = 1; r <= kRecords; ++r) {
      expected.Consider(r, ScoreByUnitSearches(expression, records[r - 1].pattern, message));
    }
    CandidateList scanned;
    ASSERT_TRUE(ScoreCurrentDatabase(message, scanned)) << LastError();
    EXPECT_EQ(scanned.bestScore, expected.bestScore) << "message " << m;
    EXPECT_EQ(scanned.records, expected.records) << "message " << m;
  }
  CloseAllDatabases();
}

}  // namespace
}  // namespace zorli
