// Ordinary messages reach the knowledge records written for them: each sample message
// of data/samples.tsv must score best on exactly the record with its expected pattern
// in the dbs.edb built from data/dbs.tsv (the answer itself is drawn at random).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "gbk_convert.h"
#include "record_database.h"
#include "reply_scoring.h"

namespace zorli {
namespace {

struct Sample {
  int line;
  GbkText message;
  GbkText expectedPattern;
};

std::vector<Sample> ReadSamples(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<Sample> samples;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t tab = line.find('\t');
    if (number == 1 || line.empty() || tab == std::string::npos) continue;
    const auto message = Utf8ToGbk(line.substr(0, tab));
    const auto pattern = Utf8ToGbk(line.substr(tab + 1));
    if (!message || !pattern) {
      ADD_FAILURE() << path << ":" << number << " is not GBK-representable UTF-8";
      continue;
    }
    samples.push_back({number, *message, *pattern});
  }
  return samples;
}

TEST(KnowledgeSamplesTest, EverySampleReachesItsRecord) {
  const std::vector<Sample> samples = ReadSamples(ZORLI_KNOWLEDGE_SAMPLES);
  ASSERT_GE(samples.size(), 50u) << "samples read from " << ZORLI_KNOWLEDGE_SAMPLES;
  ASSERT_TRUE(OpenDatabase(ZORLI_BUILT_PRIMARY_KNOWLEDGE)) << LastError();
  for (const Sample& sample : samples) {
    SCOPED_TRACE("samples.tsv:" + std::to_string(sample.line) + " " + GbkToUtf8(sample.message));
    CandidateList candidates;
    EXPECT_TRUE(ScoreCurrentDatabase(sample.message, candidates)) << LastError();
    EXPECT_GT(candidates.bestScore, 0);
    for (int32_t record : candidates.records) {
      GoToRecord(record);
      EXPECT_EQ(GbkToUtf8(ReadField(1).Text()), GbkToUtf8(sample.expectedPattern))
          << "record " << record << " of " << candidates.records.size() << " candidates";
    }
  }
  CloseAllDatabases();
}

}  // namespace
}  // namespace zorli
