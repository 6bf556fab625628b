#include "pattern.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zorli {
namespace {

// (offset, text) of every match of the reply engine's unit expression.
std::vector<std::pair<int32_t, GbkText>> UnitsOf(const GbkText& text) {
  regex expression;
  EXPECT_TRUE(expression.create("[^a-z0-9]{2}"));
  std::vector<std::pair<int32_t, GbkText>> found;
  for (const SearchResult& result : expression.searchAll(text)) {
    int32_t offset = -1;
    GbkText bytes = matchText(&result, text, &offset);
    found.emplace_back(offset, bytes);
  }
  return found;
}

using Units = std::vector<std::pair<int32_t, GbkText>>;

TEST(UnitExpression, CutsGbkTextIntoByteRuns) {
  EXPECT_EQ(UnitsOf("\xC4\xE3\xBA\xC3\xC2\xF0"),  // 你好吗
            (Units{{0, "\xC4\xE3"}, {2, "\xBA\xC3"}, {4, "\xC2\xF0"}}));
  EXPECT_EQ(UnitsOf("\xC4\xE3"
                    "a\xBA\xC3"),
            (Units{{0, "\xC4\xE3"}, {3, "\xBA\xC3"}}));  // 你a好
  EXPECT_EQ(UnitsOf("Hi\xC4\xE3"), (Units{{2, "\xC4\xE3"}}));
  EXPECT_EQ(UnitsOf("OK"), (Units{{0, "OK"}}));
  // Misaligned: A and the lead byte of 你 pair up; the last byte stays unmatched.
  EXPECT_EQ(UnitsOf("A\xC4\xE3\xBA\xC3"), (Units{{0, "A\xC4"}, {2, "\xE3\xBA"}}));
  EXPECT_TRUE(UnitsOf("abc123xyz").empty());
  EXPECT_TRUE(UnitsOf("").empty());
}

TEST(UnitExpression, TrailBytesThatAreLettersBreakTheRun) {
  // 0x81 0x61: the trail byte is "a", so the lead byte stands alone and is not matched.
  EXPECT_EQ(UnitsOf("\x81\x61\xC4\xE3"), (Units{{2, "\xC4\xE3"}}));
  // Control bytes, spaces and punctuation are all in the class.
  EXPECT_EQ(UnitsOf(" ?\r\n"), (Units{{0, " ?"}, {2, "\r\n"}}));
}

TEST(RegexService, FailedCompileKeepsThePreviousExpression) {
  regex fresh;
  EXPECT_FALSE(fresh.create("["));
  EXPECT_TRUE(fresh.searchAll("abc").empty());

  regex compiled;
  ASSERT_TRUE(compiled.create("b+"));
  EXPECT_FALSE(compiled.create("("));
  ASSERT_EQ(compiled.searchAll("abbcb").size(), 2u);
}

TEST(RegexService, CaseFoldingOnlyWhenAsked) {
  regex sensitive;
  ASSERT_TRUE(sensitive.create("abc"));
  EXPECT_TRUE(sensitive.searchAll("xABC").empty());
  regex insensitive;
  ASSERT_TRUE(insensitive.create("abc", false));
  ASSERT_EQ(insensitive.searchAll("xABC").size(), 1u);
  EXPECT_EQ(insensitive.searchAll("xABC")[0].entries[0].offset, 1);
}

TEST(RegexService, GroupsAndOffsetsFromTheStartOfTheText) {
  regex expression;
  ASSERT_TRUE(expression.create("(a)|(b)"));
  const auto results = expression.searchAll("xab");
  ASSERT_EQ(results.size(), 2u);
  ASSERT_EQ(results[1].entries.size(), 3u);
  EXPECT_EQ(results[1].entries[0].offset, 2);
  EXPECT_FALSE(results[1].entries[1].matched);
  EXPECT_TRUE(results[1].entries[2].matched);
}

TEST(RegexService, EachSearchStartsAfreshAfterTheLastMatch) {
  // ^ matches at the start of every resumed search, since nothing before it is visible.
  regex expression;
  ASSERT_TRUE(expression.create("^a"));
  EXPECT_EQ(expression.searchAll("aaa").size(), 3u);
  // Multi-line: ^ also matches after an embedded line break.
  ASSERT_TRUE(expression.create("^b"));
  EXPECT_EQ(expression.searchAll("ab\nb").size(), 1u);
  expression.multiLine = 0;
  EXPECT_TRUE(expression.searchAll("ab\nb").empty());
}

TEST(RegexService, EmptyMatchesEndTheSearch) {
  regex expression;
  ASSERT_TRUE(expression.create("x*"));
  EXPECT_EQ(expression.searchAll("abc").size(), 1u);  // empty match at offset 0
  // An empty match after offset 0 would resume at the same place forever.
  ASSERT_TRUE(expression.create("b|$"));
  const auto results = expression.searchAll("ab");
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[1].entries[0].offset, 2);
  EXPECT_EQ(results[1].entries[0].length, 0);
}

TEST(MatchTextTest, MissingOrUnmatchedGivesEmpty) {
  int32_t start = 99;
  EXPECT_EQ(matchText(nullptr, "abc", &start), "");
  SearchResult empty;
  EXPECT_EQ(matchText(&empty, "abc", &start), "");
  SearchResult unmatched;
  unmatched.entries.push_back({1, 1, false});
  EXPECT_EQ(matchText(&unmatched, "abc", &start), "");
  EXPECT_EQ(start, 99);
  SearchResult beyond;
  beyond.entries.push_back({10, 2, true});
  EXPECT_EQ(matchText(&beyond, "abc", &start), "");  // never reads past the text
  EXPECT_EQ(start, 10);
}

}  // namespace
}  // namespace zorli
