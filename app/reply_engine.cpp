#include "reply_engine.h"

#include <algorithm>

#include "conversation_texts.h"
#include "database_info.h"
#include "random.h"
#include "record_database.h"
#include "reply_scoring.h"

namespace zorli {
namespace {

constexpr int32_t kFirstAnswerField = 2;
constexpr int32_t kLastAnswerField = 5;
constexpr int32_t kFallbackReplyField = 1;
constexpr int32_t kFallbackPrefixBytes = 4;

GbkText ReadText(int32_t fieldNumber) { return ReadField(fieldNumber).text(); }

// Opens a knowledge file whose first textFields fields are texts. A file of another shape
// is closed again and counts as unreadable: it would answer with runtime errors.
bool OpenKnowledgeFile(std::string_view name, size_t textFields) {
  if (!OpenDatabase(GbkText(name))) return false;
  const std::optional<DatabaseInfo> info = DescribeCurrentDatabase();
  const bool usable = info && info->fields.size() >= textFields &&
                      std::all_of(info->fields.begin(), info->fields.begin() + textFields,
                                  [](const FieldInfo& field) {
                                    return field.type == FieldType::Text ||
                                           field.type == FieldType::Memo;
                                  });
  if (!usable) CloseAllDatabases();
  return usable;
}

// Nothing scored: the first dbv.edb reply that holds the start of the normalised message,
// else a random one. dbs.edb is closed before dbv.edb is opened.
void AnswerFromFallback(const GbkText& normalisedInput, ReplyExplanation why,
                        const ReplyPoster& post) {
  CloseAllDatabases();
  if (!OpenKnowledgeFile(kFallbackKnowledgeFile, kFallbackReplyField)) {
    // No current database to read from: say so instead of reading a field of nothing.
    why.source = ReplyExplanation::Source::KnowledgeMissing;
    post(GbkText(kKnowledgeMissingReply), why);
    return;
  }
  GoToFirstRecord();
  const GbkText prefix = LeftText(normalisedInput, kFallbackPrefixBytes);
  int32_t recordsTested = 0;  // the scan starts at the first record and goes in order
  const bool found = FindRecord([&] {
    ++recordsTested;
    return FindText(ReadText(kFallbackReplyField), prefix, std::nullopt, true) != -1;
  });
  if (found) {
    why.source = ReplyExplanation::Source::FallbackFound;
    why.record = recordsTested;
  } else {
    seedRandom();
    const int32_t recordCount = GetRecordCount();
    const int32_t drawn = randomInRange(1, recordCount);
    GoToRecord(drawn);
    why.source = ReplyExplanation::Source::FallbackRandom;
    why.record = std::max(1, std::min(drawn, recordCount));  // as GoToRecord clamps it
  }
  post(ReadText(kFallbackReplyField), why);
  CloseAllDatabases();
}

}  // namespace

void SelectReply(const GbkText& message, PresetReply& preset, const ReplyPoster& post) {
  ReplyExplanation why;
  if (preset.pending) {
    why.source = ReplyExplanation::Source::Preset;
    post(preset.text, why);
    preset.pending = false;
    return;
  }

  const GbkText normalisedInput = ToLowerCase(ToHalfWidth(message));
  seedRandom();
  why.answerField = randomInRange(kFirstAnswerField, kLastAnswerField);
  CandidateList candidates;
  if (OpenKnowledgeFile(kPrimaryKnowledgeFile, kLastAnswerField)) {
    candidates = ScoreCurrentDatabase(message);
  }
  why.score = candidates.bestScore;
  // Drawn on every path, also when the fallback follows.
  const int32_t pick = randomInRange(1, static_cast<int32_t>(candidates.records.size()));

  if (candidates.bestScore > 0) {
    GoToRecord(candidates.records[static_cast<size_t>(pick - 1)]);
    why.source = ReplyExplanation::Source::Scored;
    why.candidates = std::move(candidates.records);
    post(ReadText(why.answerField), why);
    CloseAllDatabases();
    return;
  }
  AnswerFromFallback(normalisedInput, std::move(why), post);
}

}  // namespace zorli
