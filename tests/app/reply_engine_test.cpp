#include "reply_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "chat_teaching.h"
#include "conversation_texts.h"
#include "database_files.h"
#include "database_writer.h"
#include "edb_format.h"
#include "error_codes.h"
#include "gbk_convert.h"
#include "helper_programs.h"
#include "knowledge_files.h"
#include "knowledge_schema.h"
#include "platform/platform.h"
#include "record_database.h"
#include "runtime_error.h"
#include "teaching_texts.h"

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

const GbkText kNi = "\xc4\xe3";              // 你
const GbkText kHao = "\xba\xc3";             // 好
const GbkText kMa = "\xc2\xf0";              // 吗
const GbkText kTianQi = "\xcc\xec\xc6\xf8";  // 天气
const GbkText kHan = "\xba\xba";             // 汉, same lead byte as 好

class ReplyEngineTest : public ::testing::Test {
 protected:
  ReplyEngineTest() {
    previousHandler_ = SetRuntimeErrorHandler(
        [this](const GbkText& message) { runtimeErrors.push_back(message); });
  }
  ~ReplyEngineTest() override { SetRuntimeErrorHandler(previousHandler_); }

  ChosenReply Select(const GbkText& message) {
    ChosenReply chosen = SelectReply(message, preset);
    // Both files are closed again.
    EXPECT_EQ(GetRecordCount(), 0);
    EXPECT_EQ(LastError(), -67);
    return chosen;
  }

  // How often each reply comes back over rounds of the same message.
  std::map<GbkText, int> Tally(const GbkText& message, int rounds) {
    std::map<GbkText, int> counts;
    for (int i = 0; i < rounds; ++i) ++counts[Select(message).text];
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
  const ChosenReply posted = Select(kNi + kHao);
  EXPECT_EQ(posted.text, "worked example");
  EXPECT_EQ(posted.why.source, Source::kScored);
  EXPECT_EQ(posted.why.score, 2);
  EXPECT_THAT(posted.why.candidates, ElementsAre(1));
  EXPECT_THAT(posted.why.answerField, AllOf(Ge(2), Le(5)));
}

TEST_F(ReplyEngineTest, RepeatedUnitsCountOncePerRepetition) {
  WritePrimaryKnowledge(
      {RecordAnswering(kNi + kHao, "once each"), RecordAnswering(kNi + kNi + kNi, "three times")});
  const ChosenReply posted = Select("?" + kNi + "?");
  EXPECT_EQ(posted.text, "three times");
  EXPECT_EQ(posted.why.score, 3);
}

TEST_F(ReplyEngineTest, UnitsAreFoundWithAsciiCaseFoldedInTheMessageAsTyped) {
  WritePrimaryKnowledge({RecordAnswering("AB", "upper"), RecordAnswering("ab12", "no units")});
  EXPECT_EQ(Select("xaby").why.score, 1);
  EXPECT_EQ(Select("xaby").text, "upper");
  // Full-width letters in the message are not normalised for scoring.
  WriteFallbackKnowledge({"fallback"});
  const ChosenReply fullWidth = Select("\xa3\xc1\xa3\xc2");  // ＡＢ
  EXPECT_EQ(fullWidth.why.score, 0);
  EXPECT_EQ(fullWidth.text, "fallback");
}

TEST_F(ReplyEngineTest, PairsAreTakenByBytesNotByCharacters) {
  WritePrimaryKnowledge({RecordAnswering("?" + kNi, "question mark pair"),
                         RecordAnswering("A" + kNi + kHao, "shifted pairs")});
  WriteFallbackKnowledge({"fallback"});
  // "?" and the lead byte of 你 form the first record's only unit.
  EXPECT_EQ(Select("?" + kNi).text, "question mark pair");
  EXPECT_EQ(Select(kNi).why.score, 0);
  // Units "A"+lead of 你 and trail of 你+lead of 好. The message is searched character
  // by character, so the second unit is never found, not even in the same text.
  const ChosenReply shifted = Select("A" + kNi + kHao);
  EXPECT_EQ(shifted.text, "shifted pairs");
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
    const ChosenReply posted = Select(kNi);
    ++counts[posted.text];
    ++fields[posted.why.answerField];
    EXPECT_EQ(posted.text, "a" + std::to_string(posted.why.answerField));
  }
  ASSERT_EQ(counts.size(), 4u);
  // Every message reseeds from the clock, and seeds of one millisecond lie close together,
  // so fast replies draw less evenly than independent draws would: about 100 each, +-60.
  for (const auto& [reply, count] : counts) EXPECT_THAT(count, AllOf(Ge(40), Le(160))) << reply;
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
  const ChosenReply chosen = SelectReply(kNi, preset);
  EXPECT_EQ(chosen.text, "preset text");
  EXPECT_EQ(chosen.why.source, Source::kPreset);
  EXPECT_EQ(GetRecordCount(), 2);
  CloseAllDatabases();

  preset.pending = false;  // as the conversation clears it once the reply is posted
  EXPECT_EQ(Select(kNi).text, "from the files");
  EXPECT_EQ(preset.text, "preset text");
}

// The database's files as it opens them, in order, by file name.
class OpenedFiles : public platform::FileSystem {
 public:
  OpenedFiles() { edb::SetDatabaseFiles(this); }
  ~OpenedFiles() override { edb::SetDatabaseFiles(nullptr); }
  platform::FileError Open(const std::string& path, bool writable, platform::FileSharing sharing,
                           std::unique_ptr<platform::RandomAccessFile>& file) override {
    names.push_back(path.substr(path.find_last_of("/\\") + 1));
    return platform::DiskFileSystem().Open(path, writable, sharing, file);
  }
  platform::FileError Create(const std::string& path,
                             std::unique_ptr<platform::RandomAccessFile>& file) override {
    return platform::DiskFileSystem().Create(path, file);
  }
  std::vector<std::string> names;
};

TEST_F(ReplyEngineTest, OpensDbsThenDbvOnlyWhenNothingScored) {
  WritePrimaryKnowledge({RecordAnswering(kNi, "scored")});
  WriteFallbackKnowledge({"fallback"});
  OpenedFiles opened;
  EXPECT_EQ(Select(kNi).text, "scored");
  EXPECT_THAT(opened.names, ElementsAre("dbs.edb"));
  opened.names.clear();
  EXPECT_EQ(Select(kTianQi).text, "fallback");
  EXPECT_THAT(opened.names, ElementsAre("dbs.edb", "dbv.edb"));
  opened.names.clear();
  preset = {true, "preset"};
  EXPECT_EQ(Select(kTianQi).text, "preset");
  EXPECT_THAT(opened.names, ElementsAre());
}

TEST_F(ReplyEngineTest, MissingOrEmptyPrimaryFileFallsBack) {
  WriteFallbackKnowledge({"zzz", "say " + kNi + kHao + " back"});
  ChosenReply posted = Select(kNi + kHao + kMa);
  EXPECT_EQ(posted.why.source, Source::kFallbackFound);
  EXPECT_EQ(posted.why.record, 2);
  EXPECT_EQ(posted.text, "say " + kNi + kHao + " back");

  WritePrimaryKnowledge({});
  posted = Select(kNi + kHao);
  EXPECT_EQ(posted.why.source, Source::kFallbackFound);
  EXPECT_EQ(posted.why.score, 0);
  EXPECT_TRUE(runtimeErrors.empty());
}

TEST_F(ReplyEngineTest, FallbackSearchesTheNormalisedFourBytePrefix) {
  const GbkText kMen = "\xc3\xc7";  // 们
  WriteFallbackKnowledge({"", "x" + kNi + kMen, "x" + kNi + kHan + " has the lead byte of " + kHao,
                          "XABY", "x" + kNi + kHao});
  // x你好 cut after four bytes ends on the lead byte of 好, which 汉 shares and 们 does not.
  ChosenReply posted = Select("x" + kNi + kHao);
  EXPECT_EQ(posted.why.record, 3);
  // Full-width letters are normalised here, and the search folds case.
  posted = Select("\xa3\xe1\xa3\xe2");  // ａｂ
  EXPECT_EQ(posted.text, "XABY");
  EXPECT_EQ(posted.why.record, 4);
  // An empty message matches the first reply that is not empty.
  EXPECT_EQ(Select("").why.record, 2);
}

TEST_F(ReplyEngineTest, RandomFallbackWhenNoReplyHoldsTheMessage) {
  WriteFallbackKnowledge({"one", "two", "three"});
  std::map<GbkText, int> counts;
  for (int i = 0; i < 150; ++i) {
    const ChosenReply posted = Select(kTianQi);
    EXPECT_EQ(posted.why.source, Source::kFallbackRandom);
    ++counts[posted.text];
  }
  EXPECT_EQ(counts.size(), 3u);
}

TEST_F(ReplyEngineTest, EmptyFallbackFileGivesAnEmptyReply) {
  WriteFallbackKnowledge({});
  const ChosenReply posted = Select(kTianQi);
  EXPECT_EQ(posted.why.source, Source::kFallbackRandom);
  EXPECT_EQ(posted.text, "");
  EXPECT_TRUE(runtimeErrors.empty());
}

TEST_F(ReplyEngineTest, UnusableKnowledgeFilesAreNamedWithTheReasonWithoutARuntimeError) {
  // 哎呀，当前文件夹里的知识库文件 ... ，我现在脑袋空空，没法好好回答你。
  const auto reply = [](const GbkText& failures) {
    return GbkText(kUnavailableIntro) + " " + failures + GbkText(kUnavailableOutro);
  };
  const GbkText cannotOpen = " \xb4\xf2\xb2\xbb\xbf\xaa\xa3\xa8";          // " 打不开（"
  const GbkText notFound = ErrorMessage(edb::kFileNotFound) + "\xa3\xa9";  // 指定文件未找到）
  ChosenReply posted = Select(kNi + kHao);
  EXPECT_EQ(posted.why.source, Source::kKnowledgeUnavailable);
  EXPECT_EQ(posted.text, reply("dbs.edb" + cannotOpen + notFound + "\xa3\xac" + "dbv.edb" +
                               cannotOpen + notFound));

  // dbs.edb is there and scores nothing: only dbv.edb failed.
  WritePrimaryKnowledge({RecordAnswering(kMa, "unrelated")});
  posted = Select(kNi + kHao);
  EXPECT_EQ(posted.why.source, Source::kKnowledgeUnavailable);
  EXPECT_EQ(posted.text, reply("dbv.edb" + cannotOpen + notFound));

  // A file that is there but is no database is not called missing.
  std::ofstream("dbv.edb") << "not a database";
  EXPECT_EQ(Select(kNi + kHao).text,
            reply("dbv.edb" + cannotOpen + ErrorMessage(edb::kNotDatabaseFile) + "\xa3\xa9"));
  EXPECT_TRUE(runtimeErrors.empty());
}

TEST_F(ReplyEngineTest, KnowledgeFilesOfAnotherShapeCountAsUnreadable) {
  // dbs.edb of the pattern alone: it scores, but holds no answer to read.
  ASSERT_TRUE(CreateDatabase("dbs.edb", {{"pattern", FieldType::kText, 20}}));
  ASSERT_TRUE(OpenDatabase("dbs.edb"));
  AppendRecord();
  WriteField(1, FieldValue::FromBytes(FieldType::kText, kNi));
  CloseAllDatabases();
  WriteFallbackKnowledge({"from the fallback"});
  EXPECT_EQ(Select(kNi).why.source, Source::kFallbackRandom);
  // dbv.edb whose reply is a number.
  ASSERT_TRUE(CreateDatabase("dbv.edb", {{"reply", FieldType::kInt, 0}}));
  EXPECT_EQ(Select(kNi).why.source, Source::kKnowledgeUnavailable);
  EXPECT_TRUE(runtimeErrors.empty());
}

// Another program that locks the first record of dbs.edb for holdMs out of every everyMs
// while the object lives, as a program writing the file does.
class LockingProgram {
 public:
  LockingProgram(int holdMs, int everyMs) {
    std::remove(kReady);
    std::remove(kStop);
    const uint64_t firstRecord = edb::kDescriptorsOffset +
                                 knowledge::PrimaryKnowledge().fields.size() * edb::kDescriptorSize;
    const std::string commandLine = "\"" + testing::HelperProgramPath(LOCK_PULSER_PATH) + "\" " +
                                    std::string(knowledge::PrimaryKnowledge().fileName) + " " +
                                    std::to_string(firstRecord) + " " + std::to_string(holdMs) +
                                    " " + std::to_string(everyMs) + " " + kReady + " " + kStop;
    started_ = platform::StartProcess(commandLine, false, 0) && WaitFor(true);
  }
  ~LockingProgram() {
    std::ofstream(kStop) << "stop";
    WaitFor(false);  // the files stay until it has let go of them
    std::remove(kStop);
  }
  bool Started() const { return started_; }

 private:
  static constexpr char kReady[] = "pulser.ready";
  static constexpr char kStop[] = "pulser.stop";

  static bool WaitFor(bool ready) {
    for (int waited = 0; waited < 20000; waited += 10) {
      if (std::ifstream(kReady).good() == ready) return true;
      platform::SleepMilliseconds(10);
    }
    return false;
  }
  bool started_ = false;
};

TEST_F(ReplyEngineTest, AnotherProgramLockingTheFileBrieflyNeitherEmptiesNorChangesTheReply) {
  WritePrimaryKnowledge({RecordAnswering(kNi, "scored")});
  WriteFallbackKnowledge({"fallback"});
  // Locked for 2 ms out of every 5: opening, scoring and reading the answer all meet it.
  LockingProgram writer(2, 5);
  ASSERT_TRUE(writer.Started());
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(Select(kNi).text, "scored") << "reply " << i;
    platform::SleepMilliseconds(1);  // spread over many of its rounds
  }
}

TEST_F(ReplyEngineTest, ALockHeldOnAndOnIsWaitedForOnlyAShortWhile) {
  WritePrimaryKnowledge({RecordAnswering(kNi, "scored")});
  WriteFallbackKnowledge({"fallback"});
  LockingProgram writer(30000, 30001);
  ASSERT_TRUE(writer.Started());
  const uint32_t start = platform::TickCount();
  // dbs.edb cannot be opened: the fallback answers.
  EXPECT_EQ(Select(kNi).text, "fallback");
  EXPECT_LT(platform::TickCount() - start, 3000u);
}

TEST_F(ReplyEngineTest, TeachingWaitsForABriefLockAndSaysWhatFailedUnderALongOne) {
  WritePrimaryKnowledge({RecordAnswering(kNi, "scored")});
  WriteFallbackKnowledge({"fallback"});
  const knowledge::TeachingPlace place = knowledge::PlaceOf("dbs.edb");
  {
    LockingProgram writer(2, 5);
    ASSERT_TRUE(writer.Started());
    const TeachingOutcome taught = TeachInChat(place, kTianQi, "sunny");
    EXPECT_TRUE(taught.done) << GbkToUtf8(taught.tip);
    EXPECT_EQ(Select(kTianQi).text, "sunny");
  }
  LockingProgram holder(30000, 30001);
  ASSERT_TRUE(holder.Started());
  const TeachingOutcome forgotten = ForgetInChat(place, kTianQi);
  EXPECT_FALSE(forgotten.done);
  EXPECT_EQ(forgotten.tip, GbkText(kNotForgottenStart) + GbkText(kKnowledgeFileReason));
  std::remove("taught.tsv");
}

}  // namespace
}  // namespace zorli
