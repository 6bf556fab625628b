// Teaching from the chat on a small knowledge base: the words a message is taught by,
// taught.tsv as a file, and the taught records kept in line with it whatever stopped.
#include "teaching.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "database_writer.h"
#include "gbk_convert.h"
#include "knowledge_schema.h"
#include "platform/file.h"
#include "platform/text_file.h"
#include "record_database.h"
#include "reply_scoring.h"
#include "tsv_database.h"

namespace zorli::knowledge {
namespace {

GbkText G(const char* utf8) { return Utf8ToGbk(utf8).value(); }

const std::string kDbs = "dbs.edb";
const std::string kTaught = "taught.tsv";

// A base of four records; the last one repeats 嗯 as often as its field holds.
void WriteBase() {
  std::string hum;
  for (int i = 0; i < kTextWidth / 2; ++i) hum += "嗯";
  std::ofstream("base.tsv", std::ios::binary) << "pattern\tanswer1\tanswer2\tanswer3\tanswer4\n"
                                              << "天气\t晴\t晴\t晴\t晴\n"
                                              << "你好\t嗨\t嗨\t嗨\t嗨\n"
                                              << "吃饭饭\t饿了\t饿了\t饿了\t饿了\n"
                                              << hum << "\t嗯\t嗯\t嗯\t嗯\n";
  ASSERT_TRUE(BuildKnowledgeFile(PrimaryKnowledge(), "base.tsv", kDbs).built);
}

// The candidates the engine's scoring gives message in dbs.edb; none when nothing
// scores, as the reply then comes from dbv.edb.
std::vector<int32_t> Candidates(const GbkText& message) {
  EXPECT_TRUE(OpenDatabase(kDbs));
  CandidateList candidates;
  EXPECT_TRUE(ScoreCurrentDatabase(message, candidates));
  CloseAllDatabases();
  return candidates.bestScore > 0 ? candidates.records : std::vector<int32_t>{};
}

GbkText AnswerOf(int32_t record) {
  EXPECT_TRUE(OpenDatabase(kDbs));
  GoToRecord(record);
  const GbkText answer = ReadField(kFirstAnswerField).Text();
  CloseAllDatabases();
  return answer;
}

class TeachingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    WriteBase();
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    for (const char* name : {"dbs.edb", "taught.tsv", "base.tsv"}) platform::RemoveFile(name);
  }
};

TEST(TeachingWordsTest, PunctuationSpacesParticlesAndCaseDoNotChangeTheKey) {
  const GbkText key = TeachingKey(G("明天天气怎么样"));
  EXPECT_EQ(TeachingKey(G("明天 天气，怎么样啊？")), key);
  EXPECT_EQ(TeachingKey(G("明天天气怎么样呢!!")), key);
  EXPECT_EQ(TeachingKey("Hello, Zorli!"), TeachingKey("hello zorli"));
  EXPECT_EQ(TeachingKey(G("ｈｅｌｌｏ")), "HELLO");  // full-width letters too
  EXPECT_NE(TeachingKey(G("明天天气")), key);
}

TEST(TeachingWordsTest, WordsSplitWherePunctuationWasAndParticlesAloneStay) {
  EXPECT_EQ(TeachingWords("good night"), (std::vector<GbkText>{"GOOD", "NIGHT"}));
  EXPECT_EQ(TeachingKey(G("啊啊！")), G("啊啊"));
  EXPECT_TRUE(TeachingWords("?!").empty());
}

TEST(TaughtFileTest, PairsRoundTripWithEscapesAndTheHeader) {
  const std::vector<TaughtPair> pairs{{G("你好\t吗"), G("第一行\n第二行\\")}, {"hi", "yo"}};
  ASSERT_TRUE(WriteTaughtPairs(kTaught, pairs).ok);
  std::ifstream in(kTaught, std::ios::binary);
  std::string header;
  std::getline(in, header, '\t');
  EXPECT_EQ(header, "message");
  std::string rest((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(rest.substr(0, 6 + std::string(platform::kTextLineEnd).size()),
            std::string("answer") + platform::kTextLineEnd);
  std::vector<TaughtPair> read;
  ASSERT_TRUE(ReadTaughtPairs(kTaught, read).ok);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].message, pairs[0].message);
  EXPECT_EQ(read[0].answer, pairs[0].answer);
  platform::RemoveFile(kTaught);
}

TEST(TaughtFileTest, MissingFileIsNoPairsAndABadLineIsNamed) {
  std::vector<TaughtPair> read{{"x", "y"}};
  ASSERT_TRUE(ReadTaughtPairs("no-such-taught.tsv", read).ok);
  EXPECT_TRUE(read.empty());
  std::ofstream(kTaught, std::ios::binary) << "message\tanswer\nonly a message\n";
  const TaughtFileResult result = ReadTaughtPairs(kTaught, read);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.problem.find(":2:"), std::string::npos) << result.problem;
  platform::RemoveFile(kTaught);
}

TEST_F(TeachingTest, TaughtMessageGetsItsOwnRecordAlone) {
  const TeachingResult taught = Teach(PlaceOf(kDbs), G("今天天气好吗"), G("出门走走吧"));
  ASSERT_TRUE(taught) << taught.detail;
  EXPECT_EQ(taught.record, 5);
  EXPECT_EQ(Candidates(G("今天天气好吗")), std::vector<int32_t>{5});
  EXPECT_EQ(Candidates(G("今天天气好吗？？")), std::vector<int32_t>{5});
  EXPECT_EQ(AnswerOf(5), G("出门走走吧"));
  std::vector<TaughtPair> pairs;
  ASSERT_TRUE(ReadTaughtPairs(kTaught, pairs).ok);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].answer, G("出门走走吧"));
}

TEST_F(TeachingTest, LowerCaseAsciiIsTaughtThroughUpperCaseUnits) {
  const TeachingResult taught = Teach(PlaceOf(kDbs), "ok", "fine");
  ASSERT_TRUE(taught) << taught.detail;
  EXPECT_EQ(Candidates("ok"), std::vector<int32_t>{taught.record});
  EXPECT_EQ(Candidates("OK!"), std::vector<int32_t>{taught.record});
}

TEST_F(TeachingTest, RefusesWhatCannotBeTaught) {
  EXPECT_EQ(Teach(PlaceOf(kDbs), "12345", "x").failure, TeachingFailure::kNoWords);
  EXPECT_EQ(Teach(PlaceOf(kDbs), G("，。！"), "x").failure, TeachingFailure::kNoWords);
  EXPECT_EQ(Teach(PlaceOf(kDbs), G("你好"), "").failure, TeachingFailure::kBadAnswer);
  EXPECT_EQ(Teach(PlaceOf(kDbs), G("你好"), std::string(kTextWidth + 1, 'a')).failure,
            TeachingFailure::kBadAnswer);
  // No pattern within the field outscores the record that fills it with 嗯.
  EXPECT_EQ(Teach(PlaceOf(kDbs), G("嗯嗯"), "x").failure, TeachingFailure::kCannotWin);
  EXPECT_EQ(Forget(PlaceOf(kDbs), G("你好")).failure, TeachingFailure::kNothingTaught);
  EXPECT_EQ(Candidates(G("你好")), std::vector<int32_t>{2});
}

TEST_F(TeachingTest, ReteachReplacesAndForgetRestores) {
  const std::vector<int32_t> before = Candidates(G("你好吃饭"));
  ASSERT_TRUE(Teach(PlaceOf(kDbs), G("你好吃饭"), "one"));
  const TeachingResult again = Teach(PlaceOf(kDbs), G("你好，吃饭呀"), "two");
  ASSERT_TRUE(again) << again.detail;
  EXPECT_EQ(AnswerOf(again.record), "two");
  EXPECT_EQ(Candidates(G("你好吃饭")), std::vector<int32_t>{again.record});
  std::vector<TaughtPair> pairs;
  ASSERT_TRUE(ReadTaughtPairs(kTaught, pairs).ok);
  EXPECT_EQ(pairs.size(), 1u);
  ASSERT_TRUE(Forget(PlaceOf(kDbs), G("你好吃饭！")));
  EXPECT_EQ(Candidates(G("你好吃饭")), before);
  ASSERT_TRUE(ReadTaughtPairs(kTaught, pairs).ok);
  EXPECT_TRUE(pairs.empty());
}

TEST_F(TeachingTest, APairWhoseRecordWasNeverWrittenIsPlacedAtTheNextStart) {
  // As a stop right after taught.tsv was written leaves it.
  ASSERT_TRUE(WriteTaughtPairs(kTaught, {{G("周末去哪玩"), G("去公园")}}).ok);
  ASSERT_TRUE(ReconcileTaught(PlaceOf(kDbs)));
  const std::vector<int32_t> candidates = Candidates(G("周末去哪玩"));
  ASSERT_EQ(candidates.size(), 1u);
  EXPECT_EQ(AnswerOf(candidates[0]), G("去公园"));
  EXPECT_EQ(TaughtPairOfRecord(PlaceOf(kDbs), candidates[0])->answer, G("去公园"));
  EXPECT_FALSE(TaughtPairOfRecord(PlaceOf(kDbs), 1).has_value());
}

TEST_F(TeachingTest, ARecordWhosePairWasRemovedIsFreedAtTheNextStart) {
  const std::vector<int32_t> before = Candidates(G("周末去哪玩"));
  ASSERT_TRUE(Teach(PlaceOf(kDbs), G("周末去哪玩"), G("去公园")));
  // As a stop right after a forget rewrote taught.tsv leaves it.
  ASSERT_TRUE(WriteTaughtPairs(kTaught, {}).ok);
  ASSERT_TRUE(ReconcileTaught(PlaceOf(kDbs)));
  EXPECT_EQ(Candidates(G("周末去哪玩")), before);
  // The freed record is used again rather than a new one.
  const TeachingResult next = Teach(PlaceOf(kDbs), G("下雨了"), G("带伞"));
  ASSERT_TRUE(next);
  EXPECT_EQ(next.record, 5);
}

}  // namespace
}  // namespace zorli::knowledge
