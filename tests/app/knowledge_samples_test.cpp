// Ordinary messages reach the knowledge records written for them: each sample message
// of data/samples.tsv must score best on exactly the record with its expected pattern
// in the dbs.edb built from data/dbs.tsv (the answer itself is drawn at random).
#include <gtest/gtest.h>

#include "gbk_convert.h"
#include "knowledge_samples.h"
#include "knowledge_schema.h"
#include "record_database.h"
#include "reply_scoring.h"

namespace zorli {
namespace {

TEST(KnowledgeSamplesTest, EverySampleReachesItsRecord) {
  std::vector<KnowledgeSample> samples;
  std::string error;
  ASSERT_TRUE(ReadKnowledgeSamples(ZORLI_KNOWLEDGE_SAMPLES, samples, error)) << error;
  ASSERT_GE(samples.size(), 600u) << "samples read from " << ZORLI_KNOWLEDGE_SAMPLES;
  ASSERT_TRUE(OpenDatabase(ZORLI_BUILT_PRIMARY_KNOWLEDGE)) << LastError();
  for (const KnowledgeSample& sample : samples) {
    SCOPED_TRACE("samples.tsv:" + std::to_string(sample.line) + " " + GbkToUtf8(sample.message));
    CandidateList candidates;
    EXPECT_TRUE(ScoreCurrentDatabase(sample.message, candidates)) << LastError();
    EXPECT_GT(candidates.bestScore, 0);
    for (int32_t record : candidates.records) {
      GoToRecord(record);
      EXPECT_EQ(GbkToUtf8(ReadField(knowledge::kPatternField).Text()),
                GbkToUtf8(sample.expectedPattern))
          << "record " << record << " of " << candidates.records.size() << " candidates";
    }
  }
  CloseAllDatabases();
}

}  // namespace
}  // namespace zorli
