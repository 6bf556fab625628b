// knowledge_report: how a built knowledge file answers the sample messages, scored by the
// reply engine's own code. Prints the share of samples whose record is the only best
// candidate, the samples that tie or reach another record, the samples a keyword rule
// takes before the knowledge file, and the records no sample reaches. With CARE.tsv, also
// how the care rule answers its own samples.
//
//   knowledge_report SAMPLES.tsv DBS.edb [CARE.tsv]
//   knowledge_report --messages LIST.txt DBS.edb   (see message_run.h)
//
// SAMPLES.tsv: a header line, then "message<TAB>pattern of the record it must reach" in
// UTF-8; CARE.tsv likewise with "care" or "none" for the pattern. The knowledge base's own
// crisis records are a second net behind the care rule, so a sample the care rule takes
// is listed but is no fault. Exits with 1 when a sample misses its record or the care
// rule misjudges one, 2 on bad input.
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "care_rule.h"
#include "gbk_convert.h"
#include "knowledge_samples.h"
#include "knowledge_schema.h"
#include "message_rules.h"
#include "message_run.h"
#include "record_database.h"
#include "reply_scoring.h"

namespace zorli {
namespace {

using Sample = KnowledgeSample;

std::vector<GbkText> ReadPatterns() {
  std::vector<GbkText> patterns(1);  // record numbers are 1-based
  ReadFieldOfAllRecords(knowledge::kPatternField, [&](int32_t, const FieldValue& pattern) {
    patterns.push_back(pattern.Text());
  });
  return patterns;
}

// The message, sent once, would get a fixed reply or open the browser before any record
// is scored. Care is counted apart.
bool TakenByKeywordRule(const GbkText& message) {
  if (CarePhraseIn(message)) return false;
  const RuleOutcome rules = ApplyMessageRules(message, 1, now());
  return rules.presetText || rules.newsCommandLine || rules.searchUrl;
}

std::string Describe(const Sample& sample) {
  return "  line " + std::to_string(sample.line) + ": " + GbkToUtf8(sample.message);
}

std::string PatternList(const std::vector<GbkText>& patterns, const std::vector<int32_t>& records) {
  std::string list;
  for (int32_t record : records) list += (list.empty() ? "" : " | ") + GbkToUtf8(patterns[record]);
  return list;
}

void PrintSection(const char* title, const std::vector<std::string>& lines) {
  std::printf("%s (%zu)\n", title, lines.size());
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

int Report(const char* samplesPath, const char* databasePath) {
  std::vector<Sample> samples;
  std::string error;
  if (!ReadKnowledgeSamples(samplesPath, samples, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  if (!OpenDatabase(databasePath)) {
    std::fprintf(stderr, "%s: cannot open (%d)\n", databasePath, LastError());
    return 2;
  }
  const std::vector<GbkText> patterns = ReadPatterns();
  std::map<GbkText, int32_t> recordOf;
  std::vector<std::string> duplicates;
  for (int32_t record = 1; record < static_cast<int32_t>(patterns.size()); ++record) {
    if (!recordOf.emplace(patterns[record], record).second) {
      duplicates.push_back("  record " + std::to_string(record) + ": " +
                           GbkToUtf8(patterns[record]));
    }
  }

  std::set<int32_t> reached;
  std::vector<std::string> ties, misses, keywordRules, careRule, unknown;
  for (const Sample& sample : samples) {
    if (TakenByKeywordRule(sample.message)) keywordRules.push_back(Describe(sample));
    if (CarePhraseIn(sample.message)) careRule.push_back(Describe(sample));
    const auto expected = recordOf.find(sample.expectedPattern);
    if (expected == recordOf.end()) {
      unknown.push_back(Describe(sample) + " -> no record " + GbkToUtf8(sample.expectedPattern));
      continue;
    }
    CandidateList candidates;
    if (!ScoreCurrentDatabase(sample.message, candidates)) {
      std::fprintf(stderr, "%s: a record could not be read (%d)\n", databasePath, LastError());
      return 1;
    }
    const std::string best = " -> score " + std::to_string(candidates.bestScore) + ": ";
    if (candidates.bestScore > 0 && candidates.records.size() == 1 &&
        candidates.records[0] == expected->second) {
      reached.insert(expected->second);
      continue;
    }
    MessageUnitIndex units(sample.message);
    const std::string wanted = " (wanted " + GbkToUtf8(sample.expectedPattern) + ", score " +
                               std::to_string(ScorePattern(sample.expectedPattern, units)) + ")";
    const std::string line =
        Describe(sample) + best + PatternList(patterns, candidates.records) + wanted;
    (candidates.records.size() > 1 ? ties : misses).push_back(line);
  }
  CloseAllDatabases();

  std::vector<std::string> neverReached;
  for (int32_t record = 1; record < static_cast<int32_t>(patterns.size()); ++record) {
    if (!reached.count(record)) neverReached.push_back("  " + GbkToUtf8(patterns[record]));
  }
  const size_t passed = samples.size() - ties.size() - misses.size() - unknown.size();
  std::printf("records: %zu, samples: %zu\n", patterns.size() - 1, samples.size());
  std::printf("samples reaching their record as the only best candidate: %zu (%.1f%%)\n", passed,
              samples.empty() ? 0.0 : 100.0 * passed / samples.size());
  PrintSection("samples with ties", ties);
  PrintSection("samples reaching another record", misses);
  PrintSection("samples naming no record", unknown);
  PrintSection("samples taken by a keyword rule", keywordRules);
  PrintSection("samples answered by the care rule", careRule);
  PrintSection("patterns used by more than one record", duplicates);
  PrintSection("records never reached", neverReached);
  return passed == samples.size() && keywordRules.empty() && duplicates.empty() ? 0 : 1;
}

// 0 when every crisis sample gets care and no other does.
int CareReport(const char* samplesPath) {
  std::vector<Sample> samples;
  std::string error;
  if (!ReadKnowledgeSamples(samplesPath, samples, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  size_t crisis = 0, cared = 0;
  std::vector<std::string> missed, misfired;
  for (const Sample& sample : samples) {
    const bool wanted = sample.expectedPattern == "care";
    const std::optional<GbkText> phrase = CarePhraseIn(sample.message);
    crisis += wanted;
    cared += wanted && phrase;
    if (wanted && !phrase) missed.push_back(Describe(sample));
    if (!wanted && phrase) misfired.push_back(Describe(sample) + " -> " + GbkToUtf8(*phrase));
  }
  const CareTableSummary& table = CareTableContents();
  std::printf(
      "care rule: %zu crisis phrases, %zu exceptions, %zu signs in %zu groups, %zu urgent "
      "phrases, %zu problems in its table\n",
      table.crisisPhrases, table.exceptions, table.signs, table.signGroups, table.urgentPhrases,
      table.problems.size());
  std::printf("care samples: %zu crisis, %zu of them given care; %zu others\n", crisis, cared,
              samples.size() - crisis);
  PrintSection("crisis samples without care", missed);
  PrintSection("other samples given care", misfired);
  return missed.empty() && misfired.empty() && table.problems.empty() ? 0 : 1;
}

}  // namespace
}  // namespace zorli

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--messages") {
    return zorli::ReportMessages(argv[2], argv[3]);
  }
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: knowledge_report SAMPLES.tsv DBS.edb [CARE.tsv]\n"
                         "       knowledge_report --messages LIST.txt DBS.edb\n");
    return 2;
  }
  const int knowledge = zorli::Report(argv[1], argv[2]);
  const int care = argc == 4 ? zorli::CareReport(argv[3]) : 0;
  return knowledge == 2 || care == 2 ? 2 : knowledge != 0 ? knowledge : care;
}
