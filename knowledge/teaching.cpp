#include "teaching.h"

#include <algorithm>

#include "database_writer.h"
#include "field_value.h"
#include "knowledge_samples.h"
#include "knowledge_schema.h"
#include "lock_conflict_wait.h"
#include "pattern_units.h"
#include "reaching_pattern.h"
#include "record_database.h"
#include "reply_scoring.h"

namespace zorli::knowledge {
namespace {

// 的 了 是 我 你 吗: in most messages whatever they ask, so a pattern uses them last, as
// if every base pattern held them.
constexpr std::string_view kEverydayUnits[] = {"\xb5\xc4", "\xc1\xcb", "\xca\xc7",
                                               "\xce\xd2", "\xc4\xe3", "\xc2\xf0"};

// 啊 呀 吧 呢 嘛 哦 啦 and a question mark: what a message is often said again with.
constexpr std::string_view kVariantEndings[] = {"\xb0\xa1", "\xd1\xbd", "\xb0\xc9", "\xc4\xd8",
                                                "\xc2\xef", "\xc5\xb6", "\xc0\xb2", "?"};
// A comma: some records score on it, and a message said again may gain one.
constexpr std::string_view kVariantComma = "\xa3\xac";

// The message as the pattern is built from: its words apart, and letters apart from
// double-byte characters, so that no unit spans two of them and the same words said with
// other punctuation or spacing hold every unit.
GbkText SpacedWords(const GbkText& message) {
  GbkText spaced;
  for (const GbkText& word : TeachingWords(message)) {
    if (!spaced.empty()) spaced += ' ';
    bool lastHigh = false;
    for (size_t i = 0; i < word.size();) {
      const bool high = (static_cast<unsigned char>(word[i]) & 0x80) != 0;
      if (i > 0 && high != lastHigh) spaced += ' ';
      const size_t length = high && i + 1 < word.size() ? 2 : 1;
      spaced.append(word, i, length);
      i += length;
      lastHigh = high;
    }
  }
  return spaced;
}

bool HasUnits(const GbkText& message) {
  return !BuildReachingPattern(SpacedWords(message), UnitFrequencies(), 1).pattern.empty();
}

struct Slot {
  GbkText pattern;
  bool taught = false;
  GbkText answer;  // taught records only
};

// dbs.edb open for one operation: its records as read, the taught ones with their
// answers, kept in step with every write made through it.
class TaughtRecords {
 public:
  explicit TaughtRecords(const TeachingPlace& place)
      : path_(place.dbsPath), samplesPath_(place.samplesPath) {}
  ~TaughtRecords() { CloseAllDatabases(); }

  bool Open();
  // Matches taught records to pairs, frees the records no pair owns and writes the
  // pairs that have none. owner_ then holds each pair's record.
  TeachingResult Reconcile(const std::vector<TaughtPair>& pairs);
  // The pattern that makes a record the only best candidate for message, scored
  // against all other records but exclude (0: none).
  GbkText PatternFor(const GbkText& message, int32_t exclude);
  bool Write(int32_t record, const GbkText& pattern, const GbkText& answer);
  // A free taught record, or a new one.
  int32_t FreeRecord();
  // Whether the engine's own scoring gives record alone for message.
  bool OnlyBest(const GbkText& message, int32_t record);
  TeachingResult FileFailure(const std::string& what) const;

  std::vector<int32_t> owner_;  // by pair, 0 while it has no record
  std::vector<Slot> slots_;     // by record number - 1

 private:
  const UnitFrequencies& Frequencies();
  // Whether record alone scores best for message in the records as read.
  bool OnlyBestAsRead(const GbkText& message, int32_t record) const;

  std::string path_;
  std::string samplesPath_;
  LockConflictWait wait_;
  // Counted when a pattern is first needed: a forget needs none.
  std::optional<UnitFrequencies> frequencies_;
};

bool TaughtRecords::Open() {
  if (!wait_.Retry([&] { return OpenDatabase(path_); })) return false;
  if (!CurrentDatabaseFits(PrimaryKnowledge())) return false;
  slots_.clear();
  const bool read = wait_.Retry([&] {
    slots_.clear();
    return ReadFieldOfAllRecords(kPatternField, [&](int32_t, const FieldValue& value) {
      slots_.push_back({value.IsText() ? value.Text() : GbkText(), false, GbkText()});
    });
  });
  if (!read) return false;
  // Taught records are only ever appended (and freed ones used again), so they are the
  // file's last records: statuses are read from the end back to the first other record.
  for (size_t i = slots_.size(); i-- > 0;) {
    int32_t status = 0;
    const bool statusRead = wait_.Retry(
        [&] { return GoToRecord(static_cast<int32_t>(i + 1)) && ReadRecordStatus(status); });
    if (!statusRead) return false;
    // An empty record left by a failed append scores nothing and hides nothing behind it.
    if (status != kTaughtStatus && slots_[i].pattern.empty()) continue;
    if (status != kTaughtStatus) break;
    slots_[i].taught = true;
    if (!wait_.Retry([&] {
          slots_[i].answer = ReadField(kFirstAnswerField).Text();
          return LastError() == 0;
        })) {
      return false;
    }
  }
  return true;
}

const UnitFrequencies& TaughtRecords::Frequencies() {
  if (frequencies_) return *frequencies_;
  frequencies_.emplace();
  for (const Slot& slot : slots_) {
    if (!slot.taught) frequencies_->AddMessage(slot.pattern);
  }
  std::vector<KnowledgeSample> samples;
  std::string unread;  // without samples the patterns alone say how common a unit is
  if (ReadKnowledgeSamples(samplesPath_, samples, unread)) {
    for (const KnowledgeSample& sample : samples) frequencies_->AddMessage(sample.message);
  }
  GbkText everyday;
  for (std::string_view unit : kEverydayUnits) everyday += unit;
  for (size_t i = 0; i < slots_.size(); ++i) frequencies_->AddMessage(everyday);
  return *frequencies_;
}

bool TaughtRecords::OnlyBestAsRead(const GbkText& message, int32_t record) const {
  const MessageUnitIndex index(message);
  CandidateList candidates;
  for (size_t i = 0; i < slots_.size(); ++i) {
    candidates.Consider(static_cast<int32_t>(i + 1), ScorePattern(slots_[i].pattern, index));
  }
  return candidates.bestScore > 0 && candidates.records == std::vector<int32_t>{record};
}

TeachingResult TaughtRecords::Reconcile(const std::vector<TaughtPair>& pairs) {
  owner_.assign(pairs.size(), 0);
  std::vector<bool> claimed(slots_.size(), false);
  for (size_t p = 0; p < pairs.size(); ++p) {
    for (size_t i = 0; i < slots_.size() && owner_[p] == 0; ++i) {
      const int32_t record = static_cast<int32_t>(i + 1);
      if (slots_[i].taught && !claimed[i] && !slots_[i].pattern.empty() &&
          slots_[i].answer == pairs[p].answer && OnlyBestAsRead(pairs[p].message, record)) {
        owner_[p] = record;
        claimed[i] = true;
      }
    }
  }
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (slots_[i].taught && !claimed[i] && !slots_[i].pattern.empty() &&
        !Write(static_cast<int32_t>(i + 1), GbkText(), GbkText())) {
      return FileFailure("cannot be written");
    }
  }
  TeachingResult result;
  for (size_t p = 0; p < pairs.size(); ++p) {
    if (owner_[p] != 0) continue;
    const GbkText pattern = PatternFor(pairs[p].message, 0);
    if (pattern.empty()) {
      // Kept in taught.tsv: the knowledge base may change so that it can be placed again.
      result.failure = TeachingFailure::kCannotWin;
      result.detail = "a taught message no longer reaches its answer";
      continue;
    }
    const int32_t record = FreeRecord();
    if (record == 0 || !Write(record, pattern, pairs[p].answer))
      return FileFailure("cannot be written");
    owner_[p] = record;
  }
  return result;
}

GbkText TaughtRecords::PatternFor(const GbkText& message, int32_t exclude) {
  // The best of the others over the message and the same words said otherwise.
  std::vector<GbkText> variants{message, TeachingKey(message)};
  for (std::string_view ending : kVariantEndings) {
    variants.push_back(TeachingKey(message) + GbkText(ending));
  }
  variants.push_back(GbkText(kVariantComma) + TeachingKey(message));
  int32_t othersBest = 0;
  for (const GbkText& variant : variants) {
    const MessageUnitIndex index(variant);
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (static_cast<int32_t>(i + 1) == exclude) continue;
      othersBest = std::max(othersBest, ScorePattern(slots_[i].pattern, index));
    }
  }
  const int32_t target = othersBest + 1;
  ReachingPattern built = BuildReachingPattern(SpacedWords(message), Frequencies(), target);
  if (built.score > target) {
    // Every unit of a long message would be more than it takes: only the rarest ones, so
    // that fewer other messages score on the record.
    std::vector<GbkText> kept;
    GbkText rarest;
    for (size_t i = 0; i < built.pattern.size() && kept.size() < static_cast<size_t>(target);
         i += 2) {
      const GbkText unit = built.pattern.substr(i, 2);
      if (std::find(kept.begin(), kept.end(), unit) != kept.end()) continue;
      kept.push_back(unit);
      rarest += unit + " ";
    }
    built = BuildReachingPattern(rarest, Frequencies(), target);
  }
  return built.score > othersBest ? built.pattern : GbkText();
}

bool TaughtRecords::Write(int32_t record, const GbkText& pattern, const GbkText& answer) {
  if (record > static_cast<int32_t>(slots_.size())) {
    // Appended once, outside the retried writes, so that a retry never appends twice.
    if (!wait_.Retry([] { return AppendRecord(); })) return false;
    slots_.push_back({GbkText(), false, GbkText()});
  }
  const bool written = wait_.Retry([&] {
    if (!GoToRecord(record)) return false;
    if (!WriteField(kPatternField, FieldValue::FromBytes(FieldType::kText, pattern))) return false;
    for (int32_t field = kFirstAnswerField; field <= kLastAnswerField; ++field) {
      if (!WriteField(field, FieldValue::FromBytes(FieldType::kText, answer))) return false;
    }
    return WriteRecordStatus(kTaughtStatus);
  });
  if (!written) return false;
  slots_[static_cast<size_t>(record - 1)] = {pattern, true, answer};
  return true;
}

int32_t TaughtRecords::FreeRecord() {
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (slots_[i].taught && slots_[i].pattern.empty()) return static_cast<int32_t>(i + 1);
  }
  return static_cast<int32_t>(slots_.size() + 1);
}

bool TaughtRecords::OnlyBest(const GbkText& message, int32_t record) {
  CandidateList candidates;
  if (!wait_.Retry([&] { return ScoreCurrentDatabase(message, candidates); })) return false;
  return candidates.bestScore > 0 && candidates.records == std::vector<int32_t>{record};
}

TeachingResult TaughtRecords::FileFailure(const std::string& what) const {
  TeachingResult result;
  result.failure = TeachingFailure::kKnowledgeFile;
  result.detail = path_ + ": " + what + " (" + std::to_string(LastError()) + ")";
  return result;
}

TeachingResult Failure(TeachingFailure failure, std::string detail) {
  TeachingResult result;
  result.failure = failure;
  result.detail = std::move(detail);
  return result;
}

// taught.tsv read and dbs.edb opened and reconciled with it; nullopt in result's place
// when all went well.
std::optional<TeachingResult> Prepare(TaughtRecords& records, const std::string& taughtPath,
                                      std::vector<TaughtPair>& pairs) {
  if (const TaughtFileResult read = ReadTaughtPairs(taughtPath, pairs); !read) {
    return Failure(TeachingFailure::kTaughtFile, read.problem);
  }
  if (!records.Open()) return records.FileFailure("cannot be opened or read");
  const TeachingResult reconciled = records.Reconcile(pairs);
  if (reconciled.failure == TeachingFailure::kKnowledgeFile) return reconciled;
  return std::nullopt;
}

std::optional<size_t> PairOf(const std::vector<TaughtPair>& pairs, const GbkText& message) {
  const GbkText key = TeachingKey(message);
  for (size_t p = 0; p < pairs.size(); ++p) {
    if (TeachingKey(pairs[p].message) == key) return p;
  }
  return std::nullopt;
}

}  // namespace

TeachingPlace PlaceOf(const std::string& dbsPath) {
  return {dbsPath, PathBeside(dbsPath, "data/samples.tsv")};
}

TeachingResult Teach(const TeachingPlace& place, const GbkText& message, const GbkText& answer) {
  if (answer.empty() || answer.size() > static_cast<size_t>(kTextWidth) ||
      answer.find('\0') != GbkText::npos) {
    return Failure(TeachingFailure::kBadAnswer, "an answer is 1 to 200 bytes");
  }
  if (!HasUnits(message)) {
    return Failure(TeachingFailure::kNoWords, "the message has no words the scoring can match");
  }
  const std::string taughtPath = TaughtPathBeside(place.dbsPath);
  TaughtRecords records(place);
  std::vector<TaughtPair> pairs;
  if (auto failed = Prepare(records, taughtPath, pairs)) return *failed;

  const std::optional<size_t> previous = PairOf(pairs, message);
  const int32_t replaced = previous ? records.owner_[*previous] : 0;
  const GbkText pattern = records.PatternFor(message, replaced);
  if (pattern.empty()) {
    return Failure(TeachingFailure::kCannotWin, "no pattern within the field wins for it");
  }
  std::vector<TaughtPair> taught = pairs;
  if (previous) {
    taught[*previous] = {message, answer};
  } else {
    taught.push_back({message, answer});
  }
  // taught.tsv first: a stop before the record is written is mended at the next start.
  if (const TaughtFileResult written = WriteTaughtPairs(taughtPath, taught); !written) {
    return Failure(TeachingFailure::kTaughtFile, written.problem);
  }
  const Slot before = replaced != 0 ? records.slots_[static_cast<size_t>(replaced - 1)] : Slot();
  const int32_t record = replaced != 0 ? replaced : records.FreeRecord();
  const bool written = records.Write(record, pattern, answer);
  if (!written || !records.OnlyBest(message, record)) {
    TeachingResult failed = written
                                ? Failure(TeachingFailure::kCannotWin, "another record still ties")
                                : records.FileFailure("cannot be written");
    // Put back what was there; what cannot be put back now is mended at the next start.
    (void)WriteTaughtPairs(taughtPath, pairs);
    (void)records.Write(record, before.pattern, before.answer);
    return failed;
  }
  TeachingResult result;
  result.pattern = pattern;
  result.record = record;
  result.pair = {message, answer};
  return result;
}

TeachingResult Forget(const TeachingPlace& place, const GbkText& message) {
  const std::string taughtPath = TaughtPathBeside(place.dbsPath);
  TaughtRecords records(place);
  std::vector<TaughtPair> pairs;
  if (auto failed = Prepare(records, taughtPath, pairs)) return *failed;
  const std::optional<size_t> taught = PairOf(pairs, message);
  if (!taught) return Failure(TeachingFailure::kNothingTaught, "nothing was taught for it");
  TeachingResult result;
  result.pair = pairs[*taught];
  const int32_t record = records.owner_[*taught];
  pairs.erase(pairs.begin() + static_cast<std::ptrdiff_t>(*taught));
  // taught.tsv first: a record left behind by a stop is freed at the next start.
  if (const TaughtFileResult written = WriteTaughtPairs(taughtPath, pairs); !written) {
    return Failure(TeachingFailure::kTaughtFile, written.problem);
  }
  if (record != 0 && !records.Write(record, GbkText(), GbkText())) {
    return records.FileFailure("cannot be written");
  }
  return result;
}

TeachingResult ReconcileTaught(const TeachingPlace& place) {
  TaughtRecords records(place);
  std::vector<TaughtPair> pairs;
  if (const TaughtFileResult read = ReadTaughtPairs(TaughtPathBeside(place.dbsPath), pairs);
      !read) {
    return Failure(TeachingFailure::kTaughtFile, read.problem);
  }
  if (!records.Open()) {
    // Nothing to put back where nothing was taught, even without a knowledge file.
    if (pairs.empty()) return TeachingResult();
    return records.FileFailure("cannot be opened or read");
  }
  return records.Reconcile(pairs);
}

std::optional<TaughtPair> TaughtPairOfRecord(const TeachingPlace& place, int32_t record) {
  TaughtRecords records(place);
  std::vector<TaughtPair> pairs;
  if (Prepare(records, TaughtPathBeside(place.dbsPath), pairs)) return std::nullopt;
  for (size_t p = 0; p < pairs.size(); ++p) {
    if (records.owner_[p] == record) return pairs[p];
  }
  return std::nullopt;
}

}  // namespace zorli::knowledge
