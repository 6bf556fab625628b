// Importing a question-and-answer corpus: every question reaches a record holding its
// answers, whichever file form and encoding it came in; lines that cannot be stored are
// counted by reason; the file it replaces is kept until the new one is whole.
#include "corpus_import.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "commands.h"
#include "console.h"
#include "generated_corpus.h"
#include "knowledge_schema.h"
#include "record_database.h"
#include "reply_scoring.h"

namespace zorli::knowledge {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

constexpr int64_t kCorpusPairs = 1000;

void WriteText(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

std::string ReadText(const std::string& path) {
  std::string text;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
  }
  return text;
}

std::vector<std::string> FilesHere() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator("."))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct ToolRun {
  int status;
  std::string out;
};

ToolRun Edbtool(const std::vector<std::string>& arguments) {
  std::FILE* out = std::tmpfile();
  std::FILE* error = std::tmpfile();
  edbtool::RedirectOutput(out, error);
  const int status = edbtool::RunEdbtool(arguments);
  edbtool::RedirectOutput(nullptr, nullptr);
  std::rewind(out);
  std::string text;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0) text.append(buffer, n);
  std::fclose(out);
  std::fclose(error);
  return {status, text};
}

// Each question of the corpus as asked, scored against the imported file: every best
// record holds that question's first four distinct answers, in order and repeated.
void ExpectEveryQuestionReachesItsAnswers(const std::vector<corpus::GeneratedPair>& corpus,
                                          const std::string& file) {
  std::map<int64_t, std::vector<std::string>> answers;
  for (const corpus::GeneratedPair& pair : corpus) {
    std::vector<std::string>& held = answers[pair.questionId];
    if (held.size() < size_t(kAnswerFieldCount)) held.push_back(pair.answer);
  }
  ASSERT_TRUE(OpenDatabase(file)) << LastError();
  EXPECT_EQ(GetRecordCount(), int32_t(answers.size()));  // the variants were grouped
  for (const corpus::GeneratedPair& pair : corpus) {
    CandidateList candidates;
    ASSERT_TRUE(ScoreCurrentDatabase(pair.question, candidates));
    ASSERT_GT(candidates.bestScore, 0) << pair.questionId;
    const std::vector<std::string>& expected = answers[pair.questionId];
    for (const int32_t record : candidates.records) {
      ASSERT_TRUE(GoToRecord(record));
      for (int32_t a = 0; a < kAnswerFieldCount; ++a) {
        ASSERT_EQ(ReadField(kFirstAnswerField + a).Text(), expected[size_t(a) % expected.size()])
            << "question " << pair.questionId << ", record " << record;
      }
    }
  }
  CloseAllDatabases();
}

// Each test in a folder of its own, so that the files it finds there are its own.
class CorpusImport : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(kFolder);
    fs::create_directory(kFolder);
    fs::current_path(kFolder);
  }
  void TearDown() override {
    CloseAllDatabases();
    fs::current_path("..");
    fs::remove_all(kFolder);
  }
  static constexpr const char* kFolder = "corpus_import";
};

TEST_F(CorpusImport, EveryQuestionReachesARecordHoldingItsAnswers) {
  const std::vector<corpus::GeneratedPair> corpus = corpus::GenerateCorpus(kCorpusPairs);
  WriteText("corpus.tsv", corpus::AsTsv(corpus, true));           // UTF-8 with a byte-order mark
  WriteText("corpus.pairs", corpus::AsDialogues(corpus, false));  // GBK
  const ToolRun tsv = Edbtool({"import", "tsv.edb", "--from", "corpus.tsv"});
  EXPECT_EQ(tsv.status, edbtool::kSuccess) << tsv.out;
  EXPECT_THAT(tsv.out, HasSubstr("pairs read: 1000\n"));
  ExpectEveryQuestionReachesItsAnswers(corpus, "tsv.edb");
  const ToolRun pairs =
      Edbtool({"import", "pairs.edb", "--from", "corpus.pairs", "--format", "pairs"});
  EXPECT_EQ(pairs.status, edbtool::kSuccess) << pairs.out;
  ExpectEveryQuestionReachesItsAnswers(corpus, "pairs.edb");
  EXPECT_EQ(ReadText("tsv.edb"), ReadText("pairs.edb"));
}

TEST_F(CorpusImport, PairsThatCannotBeStoredAreCountedByReason) {
  const std::string tooLong(kTextWidth + 1, 'x');
  WriteText("mixed.tsv",
            "\xe4\xbd\xa0\xe5\xa5\xbd\tfine\n"    // 你好
            "\xe4\xbd\xa0\xe5\xa5\xbd?\tagain\n"  // grouped with it
            "question\t" +
                tooLong +
                "\n"                              // longer than a field
                "smile \xf0\x9f\x98\x80\tface\n"  // a character GBK lacks
                "three\tcells\there\n"
                "no answer\t\n"
                "2026\tdigits\n"  // no unit to make a pattern of
                "\n");
  ImportSummary summary = ImportCorpus("mixed.edb", "mixed.tsv", CorpusFormat::kTsv);
  ASSERT_TRUE(summary.written) << summary.problem;
  EXPECT_EQ(summary.pairs, 6);
  EXPECT_EQ(summary.questions, 1);
  EXPECT_EQ(summary.records, 1);
  EXPECT_EQ(summary.tooLong, 1);
  EXPECT_EQ(summary.notGbk, 1);
  EXPECT_EQ(summary.malformed, 2);
  EXPECT_EQ(summary.noUnits, 1);
  // A GBK file: a byte that begins no character; a dialogue's last turn unanswered.
  WriteText("gbk.pairs", "\xc4\xe3\xba\xc3\nok\n\xff\xc4\xe3\nbad\n\xc4\xe3\n");
  summary = ImportCorpus("gbk.edb", "gbk.pairs", CorpusFormat::kPairs);
  ASSERT_TRUE(summary.written) << summary.problem;
  EXPECT_EQ(summary.pairs, 2);
  EXPECT_EQ(summary.notGbk, 1);
  EXPECT_EQ(summary.malformed, 1);
  ASSERT_TRUE(OpenDatabase("gbk.edb"));
  CandidateList candidates;
  ASSERT_TRUE(ScoreCurrentDatabase("\xc4\xe3\xba\xc3", candidates));
  EXPECT_EQ(candidates.records, std::vector<int32_t>{1});
  ASSERT_TRUE(GoToRecord(1));
  EXPECT_EQ(ReadField(kFirstAnswerField).Text(), "ok");
  CloseAllDatabases();
}

TEST_F(CorpusImport, TheFileItReplacesStaysUntilTheNewOneIsWhole) {
  WriteText("kb.edb", "old");
  WriteText("kb~import1.edb", "someone else's");  // a temporary name taken: not ours
  WriteText("bad.tsv", "only one cell\n2026\tdigits\n");
  const ToolRun failed = Edbtool({"import", "kb.edb", "--from", "bad.tsv"});
  EXPECT_EQ(failed.status, edbtool::kFailure);
  EXPECT_THAT(failed.out, HasSubstr("records written: 0\n"));
  EXPECT_EQ(ReadText("kb.edb"), "old");
  EXPECT_EQ(FilesHere(), (std::vector<std::string>{"bad.tsv", "kb.edb", "kb~import1.edb"}));

  WriteText("good.tsv", "hello\tworld\n");
  EXPECT_EQ(Edbtool({"import", "kb.edb", "--from", "good.tsv"}).status, edbtool::kSuccess);
  EXPECT_EQ(ReadText("kb~import1.edb"), "someone else's");
  EXPECT_EQ(FilesHere(),
            (std::vector<std::string>{"bad.tsv", "good.tsv", "kb.edb", "kb~import1.edb"}));
  ASSERT_TRUE(OpenDatabase("kb.edb"));
  EXPECT_EQ(GetRecordCount(), 1);
  CloseAllDatabases();
  EXPECT_EQ(Edbtool({"import", "kb.edb", "--from", "good.tsv", "--format", "csv"}).status,
            edbtool::kUsageError);
}

}  // namespace
}  // namespace zorli::knowledge
