// The care rule over its real table: every crisis sample gets care, no look-alike does,
// and the replies fit the message's language.
#include "care_rule.h"

#include <gtest/gtest.h>

#include <set>

#include "gbk_convert.h"
#include "knowledge_samples.h"

namespace zorli {
namespace {

// The table promises four to six replies per language.
constexpr size_t kFewestReplies = 4;
constexpr size_t kMostReplies = 6;
// Each kind of sample is at least this many lines of data/care_samples.tsv.
constexpr size_t kFewestSamplesOfAKind = 150;

GbkText Gbk(const std::string& utf8) { return Utf8ToGbk(utf8).value_or("?"); }

bool IsAscii(const GbkText& text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

TEST(CareRuleTest, TheWholeTableIsRead) {
  const CareTableSummary& table = CareTableContents();
  EXPECT_TRUE(table.problems.empty()) << table.problems.front();
  EXPECT_GE(table.crisisPhrases, 200u);
  EXPECT_GE(table.exceptions, 100u);
  EXPECT_GE(table.foldPairs, 100u);
  for (size_t replies : {table.chineseReplies, table.englishReplies}) {
    EXPECT_GE(replies, kFewestReplies);
    EXPECT_LE(replies, kMostReplies);
  }
}

TEST(CareRuleTest, EveryCrisisSampleGetsCareAndNoLookAlikeDoes) {
  std::vector<KnowledgeSample> samples;
  std::string error;
  ASSERT_TRUE(ReadKnowledgeSamples(ZORLI_CARE_SAMPLES, samples, error)) << error;
  size_t crisis = 0, harmless = 0;
  for (const KnowledgeSample& sample : samples) {
    const bool wanted = sample.expectedPattern == "care";
    ASSERT_TRUE(wanted || sample.expectedPattern == "none") << "line " << sample.line;
    ++(wanted ? crisis : harmless);
    const std::optional<GbkText> phrase = CarePhraseIn(sample.message);
    EXPECT_EQ(phrase.has_value(), wanted)
        << "care_samples.tsv:" << sample.line << " " << GbkToUtf8(sample.message)
        << (phrase ? " fired on " + GbkToUtf8(*phrase) : "");
  }
  EXPECT_GE(crisis, kFewestSamplesOfAKind);
  EXPECT_GE(harmless, kFewestSamplesOfAKind);
}

TEST(CareRuleTest, AnExceptionSilencesOnlyThePhraseItOverlaps) {
  EXPECT_FALSE(CarePhraseIn(Gbk("想死你了")));
  EXPECT_FALSE(CarePhraseIn(Gbk("我想死磕这道题")));  // 死磕 shares only 死 with 想死
  EXPECT_TRUE(CarePhraseIn(Gbk("想死你了，可我也真的想死")));
}

TEST(CareRuleTest, EnglishPhrasesMatchWholeWordsInAnyCase) {
  EXPECT_TRUE(CarePhraseIn("I WANT TO DIE"));
  EXPECT_TRUE(CarePhraseIn("i  want\tto die!!"));
  EXPECT_FALSE(CarePhraseIn("I want to diet"));
  EXPECT_FALSE(CarePhraseIn("I want todie"));
  EXPECT_TRUE(CarePhraseIn(Gbk("ｉ　ｗａｎｔ　ｔｏ　ｄｉｅ")));  // full-width forms
}

// Signs count only in pairs of different groups, anywhere in the message.
TEST(CareRuleTest, SignsOfTwoGroupsMakeACrisisMessage) {
  EXPECT_TRUE(CarePhraseIn(Gbk("存款都留给我妈了。以后你们再也不用为我操心")));  // affairs, final
  EXPECT_TRUE(CarePhraseIn(Gbk("我在楼顶，真的撑不下去了")));                      // means, despair
  EXPECT_FALSE(CarePhraseIn(Gbk("这是最后一次考试，以后再也不会熬夜了")));        // final twice
  EXPECT_FALSE(CarePhraseIn(Gbk("在楼顶看日落")));                                // means alone
  // "sleep forever" is a sign, and so is "forever" in it: one place, not two signs.
  EXPECT_FALSE(CarePhraseIn("I want to sleep forever on Sundays"));
  EXPECT_TRUE(CarePhraseIn("goodbye everyone, i want to sleep forever"));
}

TEST(CareRuleTest, GapsStayShort) {
  EXPECT_TRUE(CarePhraseIn(Gbk("我把我的东西都送人了")));
  // 没有我*会更好 allows three characters between, not six.
  EXPECT_TRUE(CarePhraseIn(Gbk("没有我，大家会更好")));
  EXPECT_FALSE(CarePhraseIn(Gbk("没有我们大家的努力会更好吗")));
}

TEST(CareRuleTest, RepliesFollowTheLanguageAndMoveOnWithTheTurn) {
  const GbkText chinese = Gbk("我不想活了");
  const GbkText english = "I want to die";
  std::set<GbkText> chineseReplies, englishReplies;
  for (int32_t turn = 1; turn <= static_cast<int32_t>(kMostReplies); ++turn) {
    chineseReplies.insert(CareReply(chinese, turn));
    englishReplies.insert(CareReply(english, turn));
    EXPECT_NE(CareReply(chinese, turn), CareReply(chinese, turn + 1));
  }
  EXPECT_EQ(chineseReplies.size(), CareTableContents().chineseReplies);
  EXPECT_EQ(englishReplies.size(), CareTableContents().englishReplies);
  for (const GbkText& reply : chineseReplies) {
    EXPECT_FALSE(IsAscii(reply));
    EXPECT_NE(reply.find("120"), std::string::npos) << GbkToUtf8(reply);
  }
  for (const GbkText& reply : englishReplies) {
    EXPECT_TRUE(IsAscii(reply)) << reply;
    EXPECT_NE(reply.find("120"), std::string::npos) << reply;
  }
}

// Danger now changes the replies, not whether there is care: the roof alone is no crisis.
TEST(CareRuleTest, DangerNowGetsTheUrgentReplies) {
  const CareTableSummary& table = CareTableContents();
  const GbkText onTheRoof = Gbk("我现在站在天台上，想跳下去");
  const GbkText hopeless = Gbk("我不想活了");
  EXPECT_FALSE(CarePhraseIn(Gbk("我现在站在天台上看日落")));
  ASSERT_TRUE(CarePhraseIn(onTheRoof));
  std::set<GbkText> urgent, calm;
  for (int32_t turn = 1; turn <= static_cast<int32_t>(kMostReplies); ++turn) {
    urgent.insert(CareReply(onTheRoof, turn));
    urgent.insert(CareReply("im on the roof and i want to die", turn));
    calm.insert(CareReply(hopeless, turn));
    calm.insert(CareReply("I want to die", turn));
  }
  EXPECT_EQ(urgent.size(), table.chineseUrgentReplies + table.englishUrgentReplies);
  for (const GbkText& reply : urgent) EXPECT_EQ(calm.count(reply), 0u) << GbkToUtf8(reply);
}

}  // namespace
}  // namespace zorli
