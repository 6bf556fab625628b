#include "reply_engine.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "database_info.h"
#include "error_codes.h"
#include "lock_conflict_wait.h"
#include "random.h"
#include "record_database.h"
#include "reply_scoring.h"
#include "unavailable_reply.h"

namespace zorli {
namespace {

constexpr int32_t kFirstAnswerField = 2;
constexpr int32_t kLastAnswerField = 5;
constexpr int32_t kFallbackReplyField = 1;
constexpr int32_t kFallbackPrefixBytes = 4;

// One reply from the knowledge files: the reason it builds up, one wait for locks held
// by other programs shared by all its steps, and the files that failed on the way.
class KnowledgeReply {
 public:
  explicit KnowledgeReply(const ReplyPoster& post) : post_(post) {}
  void Select(const GbkText& message);

 private:
  std::optional<GbkText> FallbackReply(const GbkText& normalisedInput);
  // Opens a knowledge file whose first textFields fields are texts; false when it could
  // not be opened or has another shape (it would answer with runtime errors), and the
  // file is then noted as failed.
  bool Open(std::string_view file, size_t textFields);
  // A text field of a 1-based record of the current database; nullopt when it could not
  // be read, and the file is then noted as failed.
  std::optional<GbkText> ReadRecordText(std::string_view file, int32_t record, int32_t field);
  void NoteReadFailure(std::string_view file) { faults_.push_back({file, false, LastError()}); }
  // Posts reply, or says which files failed when there is none.
  void Post(const std::optional<GbkText>& reply);

  const ReplyPoster& post_;
  ReplyExplanation why_;
  LockConflictWait wait_;
  std::vector<KnowledgeFault> faults_;
};

void KnowledgeReply::Select(const GbkText& message) {
  const GbkText normalisedInput = ToLowerCase(ToHalfWidth(message));
  seedRandom();
  why_.answerField = randomInRange(kFirstAnswerField, kLastAnswerField);
  CandidateList candidates;
  if (Open(kPrimaryKnowledgeFile, kLastAnswerField)) {
    // A record still unreadable when the wait is over scores as an empty pattern.
    wait_.Retry([&] { return ScoreCurrentDatabase(message, candidates); });
  }
  why_.score = candidates.bestScore;
  // Drawn on every path, also when the fallback follows.
  const int32_t pick = randomInRange(1, static_cast<int32_t>(candidates.records.size()));

  if (candidates.bestScore > 0) {
    const int32_t record = candidates.records[static_cast<size_t>(pick - 1)];
    why_.source = ReplyExplanation::Source::kScored;
    why_.candidates = std::move(candidates.records);
    Post(ReadRecordText(kPrimaryKnowledgeFile, record, why_.answerField));
  } else {
    // dbs.edb is closed before dbv.edb is opened.
    CloseAllDatabases();
    Post(Open(kFallbackKnowledgeFile, kFallbackReplyField) ? FallbackReply(normalisedInput)
                                                           : std::nullopt);
  }
  CloseAllDatabases();
}

// Nothing scored: the first dbv.edb reply that holds the start of the normalised message,
// else a random one.
std::optional<GbkText> KnowledgeReply::FallbackReply(const GbkText& normalisedInput) {
  const GbkText prefix = LeftText(normalisedInput, kFallbackPrefixBytes);
  int32_t recordsTested = 0;
  bool found = false;
  const bool scanned = wait_.Retry([&] {
    GoToFirstRecord();
    recordsTested = 0;  // the scan starts at the first record and goes in order
    found = FindRecord([&] {
      ++recordsTested;
      return FindText(ReadField(kFallbackReplyField).Text(), prefix, std::nullopt, true) != -1;
    });
    return found || LastError() == 0;
  });
  if (!scanned) {
    NoteReadFailure(kFallbackKnowledgeFile);
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
      NoteReadFailure(kFallbackKnowledgeFile);
      return std::nullopt;
    }
    const int32_t drawn = randomInRange(1, recordCount);
    why_.source = ReplyExplanation::Source::kFallbackRandom;
    why_.record = std::max(1, std::min(drawn, recordCount));  // as GoToRecord clamps it
    if (recordCount == 0) return GbkText();                   // an empty file gives an empty reply
  }
  return ReadRecordText(kFallbackKnowledgeFile, why_.record, kFallbackReplyField);
}

bool KnowledgeReply::Open(std::string_view file, size_t textFields) {
  if (!wait_.Retry([file] { return OpenDatabase(GbkText(file)); })) {
    faults_.push_back({file, true, LastError()});
    return false;
  }
  const std::optional<DatabaseInfo> info = DescribeCurrentDatabase();
  const bool usable =
      info && info->fields.size() >= textFields &&
      std::all_of(info->fields.begin(), info->fields.begin() + textFields,
                  [](const FieldInfo& field) {
                    return field.type == FieldType::kText || field.type == FieldType::kMemo;
                  });
  if (usable) return true;
  CloseAllDatabases();
  faults_.push_back({file, true, edb::kFieldTypeMismatch});
  return false;
}

std::optional<GbkText> KnowledgeReply::ReadRecordText(std::string_view file, int32_t record,
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

void KnowledgeReply::Post(const std::optional<GbkText>& reply) {
  if (reply) {
    post_(*reply, why_);
    return;
  }
  why_.source = ReplyExplanation::Source::kKnowledgeUnavailable;
  post_(KnowledgeUnavailableReply(faults_), why_);
}

}  // namespace

void SelectReply(const GbkText& message, PresetReply& preset, const ReplyPoster& post) {
  if (preset.pending) {
    ReplyExplanation why;
    why.source = ReplyExplanation::Source::kPreset;
    post(preset.text, why);
    preset.pending = false;
    return;
  }
  KnowledgeReply(post).Select(message);
}

}  // namespace zorli
