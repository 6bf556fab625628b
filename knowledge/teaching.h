#pragma once
// Teaching Zorli from the chat: a message gets an answer that it then always gets, and
// it can be forgotten again. taught.tsv (taught_pairs.h) says what was taught; each pair
// takes effect through one record of dbs.edb marked with kTaughtStatus, whose pattern is
// built from the message's own words so that the record is the only best candidate for
// it and as few other messages as possible. Every operation first brings those records
// in line with taught.tsv, so a stop between writing the two files loses nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gbk_text.h"
#include "taught_pairs.h"

namespace zorli::knowledge {

// The status word of a taught record (a free one has an empty pattern). Positive, so
// every reader takes it for a live record.
constexpr int32_t kTaughtStatus = 0x7a17;

enum class TeachingFailure {
  kNone,
  kNoWords,        // digits or punctuation only: nothing the scoring can match
  kBadAnswer,      // empty, or longer than an answer field
  kCannotWin,      // no pattern within the field makes it the only best candidate
  kNothingTaught,  // forget: no pair for that message
  kKnowledgeFile,  // dbs.edb could not be opened, read or written
  kTaughtFile,     // taught.tsv could not be read or written
};

struct TeachingResult {
  TeachingFailure failure = TeachingFailure::kNone;
  std::string detail;  // UTF-8: the file and why, for tools and logs
  GbkText pattern;     // teach: the pattern chosen
  int32_t record = 0;  // teach: its record number
  TaughtPair pair;     // teach: as stored; forget: the pair forgotten
  explicit operator bool() const { return failure == TeachingFailure::kNone; }
};

// Where teaching works: dbs.edb as OpenDatabase takes it, taught.tsv beside it, and the
// sample messages whose words tell how common a unit is in what people say (read when
// the file is there; a pattern is still checked without them).
struct TeachingPlace {
  std::string dbsPath;
  std::string samplesPath;
};
// dbs.edb at dbsPath, with data/samples.tsv in its folder as the release lays them out.
TeachingPlace PlaceOf(const std::string& dbsPath);

// Each call opens dbs.edb and closes every database before it returns.
[[nodiscard]] TeachingResult Teach(const TeachingPlace& place, const GbkText& message,
                                   const GbkText& answer);
// Forgets the pair taught for message (or a message with the same words).
[[nodiscard]] TeachingResult Forget(const TeachingPlace& place, const GbkText& message);
// Brings the taught records in line with taught.tsv (at start-up and after a rebuild).
[[nodiscard]] TeachingResult ReconcileTaught(const TeachingPlace& place);
// The pair whose record is record, if it is a taught one.
std::optional<TaughtPair> TaughtPairOfRecord(const TeachingPlace& place, int32_t record);

}  // namespace zorli::knowledge
