#include "reply_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "conversation_texts.h"
#include "database_writer.h"
#include "knowledge_files.h"
#include "record_database.h"
#include "runtime_error.h"

namespace zorli {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::Ge;
using ::testing::Le;
using testing::RecordAnswering;
using testing::WriteFallbackKnowledge;
using testing::WritePrimaryKnowledge;
using Source = ReplyExplanation::Source;

const GbkText kNi = "\xc4\xe3";            // 你
const GbkText kHao = "\xba\xc3";           // 好
const GbkText kMa = "\xc2\xf0";            // 吗
const GbkText kTianQi = "\xcc\xec\xc6\xf8";  // 天气
const GbkText kHan = "\xba\xba";           // 汉, same lead byte as 好

struct Posted {
  int calls = 0;
  GbkText reply;
  ReplyExplanation why;
};

class ReplyEngineTest : public ::testing::Test {
 protected:
  ReplyEngineTest() {
    previousHandler_ = setRuntimeErrorHandler(
        [this](const GbkText& message) { runtimeErrors.push_back(message); });
  }
  ~ReplyEngineTest() override { setRuntimeErrorHandler(previousHandler_); }

  Posted Select(const GbkText& message) {
    Posted posted;
    SelectReply(message, preset, [&](const GbkText& reply, const ReplyExplanation& why) {
      ++posted.calls;
      posted.reply = reply;
      posted.why = why;
    });
    EXPECT_EQ(posted.calls, 1);
    EXPECT_FALSE(preset.pending);
    // Both files are closed again.
    EXPECT_EQ(GetRecordCount(), 0);
    EXPECT_EQ(LastError(), -67);
    return posted;
  }

  // How often each reply comes back over rounds of the same message.
  std::map<GbkText, int> Tally(const GbkText& message, int rounds) {
    std::map<GbkText, int> counts;
    for (int i = 0; i < rounds; ++i) ++counts[Select(message).reply];
    return counts;
  }

  testing::KnowledgeFilesScope knowledgeFiles;
  PresetReply preset;
  std::vector<GbkText> runtimeErrors;

 private:
  RuntimeErrorHandler previousHandler_;
};

TEST_F(ReplyEngineTest, ScoresUnitsOfThePatternFoundInTheMessage) {
  WritePrimaryKnowledge({RecordAnswering("abc" + kNi + kHao + kMa, "worked example")});
  const Posted posted = Select(kNi + kHao);
  EXPECT_EQ(posted.reply, "worked example");
  EXPECT_EQ(posted.why.source, Source::Scored);
  EXPECT_EQ(posted.why.score, 2);
  EXPECT_THAT(posted.why.candidates, ElementsAre(1));
  EXPECT_THAT(posted.why.answerField, AllOf(Ge(2), Le(5)));
}

TEST_F(ReplyEngineTest, RepeatedUnitsCountOncePerRepetition) {
  WritePrimaryKnowledge({RecordAnswering(kNi + kHao, "once each"),
                         RecordAnswering(kNi + kNi + kNi, "three times")});
  const Posted posted = Select("?" + kNi + "?");
  EXPECT_EQ(posted.reply, "three times");
  EXPECT_EQ(posted.why.score, 3);
}

TEST_F(ReplyEngineTest, UnitsAreFoundWithAsciiCaseFoldedInTheMessageAsTyped) {
  WritePrimaryKnowledge({RecordAnswering("AB", "upper"), RecordAnswering("ab12", "no units")});
  EXPECT_EQ(Select("xaby").why.score, 1);
  EXPECT_EQ(Select("xaby").reply, "upper");
  // Full-width letters in the message are not normalised for scoring.
  WriteFallbackKnowledge({"fallback"});
  const Posted fullWidth = Select("\xa3\xc1\xa3\xc2");  // ＡＢ
  EXPECT_EQ(fullWidth.why.score, 0);
  EXPECT_EQ(fullWidth.reply, "fallback");
}

TEST_F(ReplyEngineTest, PairsAreTakenByBytesNotByCharacters) {
  WritePrimaryKnowledge({RecordAnswering("?" + kNi, "question mark pair"),
                         RecordAnswering("A" + kNi + kHao, "shifted pairs")});
  WriteFallbackKnowledge({"fallback"});
  // "?" and the lead byte of 你 form the first record's only unit.
  EXPECT_EQ(Select("?" + kNi).reply, "question mark pair");
  EXPECT_EQ(Select(kNi).why.score, 0);
  // Units "A"+lead of 你 and trail of 你+lead of 好. The message is searched character
  // by character, so the second unit is never found, not even in the same text.
  const Posted shifted = Select("A" + kNi + kHao);
  EXPECT_EQ(shifted.reply, "shifted pairs");
  EXPECT_EQ(shifted.why.score, 1);
  EXPECT_EQ(Select(kNi + kHao).why.score, 0);
}

TEST_F(ReplyEngineTest, TiedRecordsAreDrawnEvenlyAndInFileOrder) {
  WritePrimaryKnowledge({RecordAnswering(kTianQi, "weather"), RecordAnswering(kNi, "first"),
                         RecordAnswering(kHao, "unrelated"), RecordAnswering(kNi, "second")});
  EXPECT_THAT(Select(kNi).why.candidates, ElementsAre(2, 4));
  const auto counts = Tally(kNi, 400);
  EXPECT_EQ(counts.size(), 2u);
  EXPECT_THAT(counts.at("first"), AllOf(Ge(140), Le(260)));
  EXPECT_THAT(counts.at("second"), AllOf(Ge(140), Le(260)));
}

TEST_F(ReplyEngineTest, AnswerFieldIsDrawnEvenlyFromTheFour) {
  WritePrimaryKnowledge({{kNi, {"a2", "a3", "a4", "a5"}}});
  std::map<GbkText, int> counts;
  std::map<int32_t, int> fields;
  for (int i = 0; i < 400; ++i) {
    const Posted posted = Select(kNi);
    ++counts[posted.reply];
    ++fields[posted.why.answerField];
    EXPECT_EQ(posted.reply, "a" + std::to_string(posted.why.answerField));
  }
  ASSERT_EQ(counts.size(), 4u);
  for (const auto& [reply, count] : counts) EXPECT_THAT(count, AllOf(Ge(60), Le(140))) << reply;
}

TEST_F(ReplyEngineTest, HigherScoreAlwaysWins) {
  WritePrimaryKnowledge({RecordAnswering(kNi + kMa, "one"), RecordAnswering(kNi + kHao, "two"),
                         RecordAnswering(kHao + kMa, "one again")});
  const auto counts = Tally(kNi + kHao, 200);
  EXPECT_EQ(counts.size(), 1u);
  EXPECT_EQ(counts.begin()->first, "two");
}

TEST_F(ReplyEngineTest, PresetReplyWinsWithoutTouchingTheFiles) {
  WritePrimaryKnowledge({RecordAnswering(kNi, "from the files"), RecordAnswering(kHao, "x")});
  // A database of our own stays open and current: the engine neither opens nor closes.
  ASSERT_TRUE(OpenDatabase("dbs.edb"));
  preset = {true, "preset text"};
  Posted posted;
  SelectReply(kNi, preset, [&](const GbkText& reply, const ReplyExplanation& why) {
    ++posted.calls;
    posted.reply = reply;
    posted.why = why;
  });
  EXPECT_EQ(posted.calls, 1);
  EXPECT_EQ(posted.reply, "preset text");
  EXPECT_EQ(posted.why.source, Source::Preset);
  EXPECT_FALSE(preset.pending);
  EXPECT_EQ(GetRecordCount(), 2);
  CloseAllDatabases();

  EXPECT_EQ(Select(kNi).reply, "from the files");
  EXPECT_EQ(preset.text, "preset text");
}

TEST_F(ReplyEngineTest, MissingOrEmptyPrimaryFileFallsBack) {
  WriteFallbackKnowledge({"zzz", "say " + kNi + kHao + " back"});
  Posted posted = Select(kNi + kHao + kMa);
  EXPECT_EQ(posted.why.source, Source::FallbackFound);
  EXPECT_EQ(posted.why.record, 2);
  EXPECT_EQ(posted.reply, "say " + kNi + kHao + " back");

  WritePrimaryKnowledge({});
  posted = Select(kNi + kHao);
  EXPECT_EQ(posted.why.source, Source::FallbackFound);
  EXPECT_EQ(posted.why.score, 0);
  EXPECT_TRUE(runtimeErrors.empty());
}

TEST_F(ReplyEngineTest, FallbackSearchesTheNormalisedFourBytePrefix) {
  const GbkText kMen = "\xc3\xc7";  // 们
  WriteFallbackKnowledge({"", "x" + kNi + kMen, "x" + kNi + kHan + " has the lead byte of " + kHao,
                          "XABY", "x" + kNi + kHao});
  // x你好 cut after four bytes ends on the lead byte of 好, which 汉 shares and 们 does not.
  Posted posted = Select("x" + kNi + kHao);
  EXPECT_EQ(posted.why.record, 3);
  // Full-width letters are normalised here, and the search folds case.
  posted = Select("\xa3\xe1\xa3\xe2");  // ａｂ
  EXPECT_EQ(posted.reply, "XABY");
  EXPECT_EQ(posted.why.record, 4);
  // An empty message matches the first reply that is not empty.
  EXPECT_EQ(Select("").why.record, 2);
}

TEST_F(ReplyEngineTest, RandomFallbackWhenNoReplyHoldsTheMessage) {
  WriteFallbackKnowledge({"one", "two", "three"});
  std::map<GbkText, int> counts;
  for (int i = 0; i < 150; ++i) {
    const Posted posted = Select(kTianQi);
    EXPECT_EQ(posted.why.source, Source::FallbackRandom);
    ++counts[posted.reply];
  }
  EXPECT_EQ(counts.size(), 3u);
}

TEST_F(ReplyEngineTest, EmptyFallbackFileGivesAnEmptyReply) {
  WriteFallbackKnowledge({});
  const Posted posted = Select(kTianQi);
  EXPECT_EQ(posted.why.source, Source::FallbackRandom);
  EXPECT_EQ(posted.reply, "");
  EXPECT_TRUE(runtimeErrors.empty());
}

TEST_F(ReplyEngineTest, MissingKnowledgeIsSaidWithoutARuntimeError) {
  Posted posted = Select(kNi + kHao);
  EXPECT_EQ(posted.why.source, Source::KnowledgeMissing);
  EXPECT_EQ(posted.reply, kKnowledgeMissingReply);

  // dbs.edb present but nothing scored, dbv.edb missing.
  WritePrimaryKnowledge({RecordAnswering(kMa, "unrelated")});
  posted = Select(kNi + kHao);
  EXPECT_EQ(posted.why.source, Source::KnowledgeMissing);
  EXPECT_TRUE(runtimeErrors.empty());
}

TEST_F(ReplyEngineTest, KnowledgeFilesOfAnotherShapeCountAsUnreadable) {
  // dbs.edb of the pattern alone: it scores, but holds no answer to read.
  ASSERT_TRUE(CreateDatabase("dbs.edb", {{"pattern", FieldType::Text, 20}}));
  ASSERT_TRUE(OpenDatabase("dbs.edb"));
  AppendRecord();
  WriteField(1, FieldValue::FromBytes(FieldType::Text, kNi));
  CloseAllDatabases();
  WriteFallbackKnowledge({"from the fallback"});
  EXPECT_EQ(Select(kNi).why.source, Source::FallbackRandom);
  // dbv.edb whose reply is a number.
  ASSERT_TRUE(CreateDatabase("dbv.edb", {{"reply", FieldType::Int, 0}}));
  EXPECT_EQ(Select(kNi).why.source, Source::KnowledgeMissing);
  EXPECT_TRUE(runtimeErrors.empty());
}

}  // namespace
}  // namespace zorli
