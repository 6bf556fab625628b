#pragma once
// A question-and-answer corpus made into a primary knowledge file: pairs read from a
// two-column TSV file or from a dialogue file of alternating lines, questions grouped when
// they differ only in spaces, punctuation and letter case, each group one record whose
// pattern the question reaches and whose four answer fields hold up to four of its
// distinct answers.
#include <cstdint>
#include <functional>
#include <string>

namespace zorli::knowledge {

// tsv: a question and its answer a line, tab between. pairs: a line a turn, turns taken
// two by two as question and answer, a blank line or a line "E" between dialogues, each
// turn with an optional leading "M ".
enum class CorpusFormat { kTsv, kPairs };

struct ImportSummary {
  bool written = false;  // the file was written and renamed over its name
  std::string problem;   // UTF-8, when not written
  int64_t lines = 0;
  int64_t pairs = 0;      // pairs read, skipped ones included
  int64_t questions = 0;  // groups of stored pairs
  int64_t records = 0;
  // Pairs skipped, by reason.
  int64_t tooLong = 0;    // a question or answer longer than its field
  int64_t notGbk = 0;     // characters GBK lacks, bytes that are no character, a zero byte
  int64_t malformed = 0;  // a TSV line of other than two cells, an empty side, a turn unanswered
  int64_t noUnits = 0;    // a question no pattern can be made from (digits alone, say)
  int64_t overFour = 0;   // distinct answers beyond the four fields
};

// Called now and then with the phase ("reading" or "writing"), how far it is and where
// it ends: lines read, then records written.
using ImportProgress = std::function<void(const char* phase, int64_t done, int64_t total)>;

// Builds the file under an exclusive temporary name beside out and renames it over out;
// out is left as it was when nothing could be stored or anything failed. Paths UTF-8.
ImportSummary ImportCorpus(const std::string& out, const std::string& from, CorpusFormat format,
                           const ImportProgress& progress = {});

}  // namespace zorli::knowledge
