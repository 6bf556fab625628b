#include "message_run.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "gbk_convert.h"
#include "knowledge_schema.h"
#include "message_rules.h"
#include "pattern_units.h"
#include "record_database.h"
#include "reply_scoring.h"

namespace zorli {
namespace {

// A record's group is the unit its pattern repeats most (the first such unit on a draw):
// records written for one topic are weighed on the same deciding unit, so tied records
// that differ in it are different topics and the answer is a coin toss between them.
std::string GroupOf(const GbkText& pattern) {
  std::map<std::string, int> weight;
  std::string group;
  int best = 0;
  ForEachPatternUnit(pattern, [&](std::string_view unit) {
    const int w = ++weight[std::string(unit)];
    if (w > best) best = w, group = std::string(unit);
  });
  return group;
}

std::string Cell(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

int ReportMessages(const char* messagesPath, const char* databasePath) {
  std::ifstream in(messagesPath, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", messagesPath);
    return 2;
  }
  if (!OpenDatabase(databasePath)) {
    std::fprintf(stderr, "%s: cannot open (%d)\n", databasePath, LastError());
    return 2;
  }
  std::vector<GbkText> patterns(1);  // record numbers are 1-based
  ReadFieldOfAllRecords(knowledge::kPatternField, [&](int32_t, const FieldValue& pattern) {
    patterns.push_back(pattern.Text());
  });

  int messages = 0, ruled = 0, fallback = 0, single = 0, oneGroup = 0, acrossGroups = 0;
  std::printf("message\tscore\ttied\tgroups\twinner\n");
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (const size_t tab = line.rfind('\t'); tab != std::string::npos) line.erase(0, tab + 1);
    if (line.empty()) continue;
    const auto message = Utf8ToGbk(line);
    if (!message) {
      std::fprintf(stderr, "%s:%d: not GBK-representable UTF-8\n", messagesPath, number);
      continue;
    }
    ++messages;
    const RuleOutcome rules = ApplyMessageRules(*message, 1, now());
    if (rules.presetText) {
      ++ruled;
      std::printf("%s\t-\t-\trule\t%s\n", Cell(line).c_str(),
                  Cell(GbkToUtf8(*rules.presetText)).c_str());
      continue;
    }
    CandidateList candidates;
    if (!ScoreCurrentDatabase(*message, candidates)) {
      std::fprintf(stderr, "%s: a record could not be read (%d)\n", databasePath, LastError());
      return 1;
    }
    if (candidates.bestScore == 0) {
      ++fallback;
      std::printf("%s\t0\t0\tfallback\t\n", Cell(line).c_str());
      continue;
    }
    const size_t tied = candidates.records.size();
    bool sameGroup = true;
    const std::string first = GroupOf(patterns[candidates.records[0]]);
    for (int32_t record : candidates.records) sameGroup &= GroupOf(patterns[record]) == first;
    const char* groups = tied == 1 ? "single" : sameGroup ? "one group" : "across groups";
    ++(tied == 1 ? single : sameGroup ? oneGroup : acrossGroups);
    std::printf("%s\t%d\t%zu\t%s\t%s\n", Cell(line).c_str(), candidates.bestScore, tied, groups,
                Cell(GbkToUtf8(patterns[candidates.records[0]])).c_str());
  }
  CloseAllDatabases();
  std::printf("messages: %d, rule: %d, fallback: %d, one best record: %d, "
              "tied within a group: %d, tied across groups: %d\n",
              messages, ruled, fallback, single, oneGroup, acrossGroups);
  return 0;
}

}  // namespace zorli
