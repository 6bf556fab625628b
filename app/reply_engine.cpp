#include "reply_engine.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "error_codes.h"
#include "knowledge_place.h"
#include "knowledge_schema.h"
#include "lock_conflict_wait.h"
#include "random.h"
#include "record_database.h"
#include "reply_scoring.h"
#include "unavailable_reply.h"

namespace zorli {
namespace {

using knowledge::KnowledgeSchema;

constexpr int32_t kFallbackPrefixBytes = 4;

// One reply from the knowledge files: the reason it builds up, one wait for locks held
// by other programs shared by all its steps, and the files that failed on the way.
class KnowledgeReply {
 public:
  ChosenReply Select(const GbkText& message);

 private:
  std::optional<GbkText> FallbackReply(const GbkText& normalisedInput);
  // Opens a knowledge file; false when it could not be opened or does not fit its schema,
  // and the file is then noted as failed.
  bool Open(const KnowledgeSchema& file);
  // A text field of a 1-based record of the current database; nullopt when it could not
  // be read, and the file is then noted as failed.
  std::optional<GbkText> ReadRecordText(const KnowledgeSchema& file, int32_t record, int32_t field);
  void NoteReadFailure(const KnowledgeSchema& file) {
    faults_.push_back({file.fileName, false, LastError()});
  }
  // The reply, or one that says which files failed when there is none.
  ChosenReply Chosen(const std::optional<GbkText>& reply);

  ReplyExplanation why_;
  LockConflictWait wait_;
  std::vector<KnowledgeFault> faults_;
};

ChosenReply KnowledgeReply::Select(const GbkText& message) {
  const KnowledgeSchema& primary = knowledge::PrimaryKnowledge();
  const GbkText normalisedInput = ToLowerCase(ToHalfWidth(message));
  seedRandom();
  why_.answerField = randomInRange(knowledge::kFirstAnswerField, knowledge::kLastAnswerField);
  CandidateList candidates;
  if (Open(primary)) {
    // A record still unreadable when the wait is over scores as an empty pattern.
    wait_.Retry([&] { return ScoreCurrentDatabase(message, candidates); });
  }
  why_.score = candidates.bestScore;
  // Drawn on every path, also when the fallback follows.
  const int32_t pick = randomInRange(1, static_cast<int32_t>(candidates.records.size()));

  std::optional<GbkText> reply;
  if (candidates.bestScore > 0) {
    why_.source = ReplyExplanation::Source::kScored;
    why_.record = candidates.records[static_cast<size_t>(pick - 1)];
    why_.candidates = std::move(candidates.records);
    reply = ReadRecordText(primary, why_.record, why_.answerField);
  } else {
    // dbs.edb is closed before dbv.edb is opened.
    CloseAllDatabases();
    if (Open(knowledge::FallbackKnowledge())) reply = FallbackReply(normalisedInput);
  }
  // Closed before the reply is posted.
  CloseAllDatabases();
  return Chosen(reply);
}

// Nothing scored: the first dbv.edb reply that holds the start of the normalised message,
// else a random one.
std::optional<GbkText> KnowledgeReply::FallbackReply(const GbkText& normalisedInput) {
  const KnowledgeSchema& fallback = knowledge::FallbackKnowledge();
  const GbkText prefix = LeftText(normalisedInput, kFallbackPrefixBytes);
  int32_t recordsTested = 0;
  bool found = false;
  const bool scanned = wait_.Retry([&] {
    GoToFirstRecord();
    recordsTested = 0;  // the scan starts at the first record and goes in order
    found = FindRecord([&] {
      ++recordsTested;
      return FindText(ReadField(knowledge::kReplyField).Text(), prefix, std::nullopt, true) != -1;
    });
    return found || LastError() == 0;
  });
  if (!scanned) {
    NoteReadFailure(fallback);
    return std::nullopt;
  }
  if (found) {
    why_.source = ReplyExplanation::Source::kFallbackFound;
    why_.record = recordsTested;
  } else {
    seedRandom();
    int32_t recordCount = 0;
    if (!wait_.Retry([&] {
          recordCount = GetRecordCount();
          return LastError() == 0;
        })) {
      NoteReadFailure(fallback);
      return std::nullopt;
    }
    const int32_t drawn = randomInRange(1, recordCount);
    why_.source = ReplyExplanation::Source::kFallbackRandom;
    why_.record = std::max(1, std::min(drawn, recordCount));  // as GoToRecord clamps it
    if (recordCount == 0) return GbkText();                   // an empty file gives an empty reply
  }
  return ReadRecordText(fallback, why_.record, knowledge::kReplyField);
}

bool KnowledgeReply::Open(const KnowledgeSchema& file) {
  if (!wait_.Retry([&file] { return OpenDatabase(knowledge::RunTimePath(file)); })) {
    faults_.push_back({file.fileName, true, LastError()});
    return false;
  }
  if (knowledge::CurrentDatabaseFits(file)) return true;
  CloseAllDatabases();
  faults_.push_back({file.fileName, true, edb::kFieldTypeMismatch});
  return false;
}

std::optional<GbkText> KnowledgeReply::ReadRecordText(const KnowledgeSchema& file, int32_t record,
                                                      int32_t field) {
  GbkText text;
  const bool read = wait_.Retry([&] {
    if (!GoToRecord(record)) return false;
    text = ReadField(field).Text();
    return LastError() == 0;
  });
  if (!read) {
    NoteReadFailure(file);
    return std::nullopt;
  }
  return text;
}

ChosenReply KnowledgeReply::Chosen(const std::optional<GbkText>& reply) {
  if (reply) return {*reply, why_};
  why_.source = ReplyExplanation::Source::kKnowledgeUnavailable;
  return {KnowledgeUnavailableReply(faults_), why_};
}

}  // namespace

ChosenReply SelectReply(const GbkText& message, const PresetReply& preset) {
  if (preset.pending) {
    ReplyExplanation why;
    why.source = ReplyExplanation::Source::kPreset;
    return {preset.text, why};
  }
  return KnowledgeReply().Select(message);
}

}  // namespace zorli
