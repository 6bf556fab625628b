#pragma once
// Scoring knowledge records against a message: a record scores one point for each unit
// of its pattern (with repetition) that the message, as typed, contains with ASCII case
// folded. The records with the best score are the candidates, in file order.
#include <cstdint>
#include <string_view>
#include <vector>

#include "gbk_text.h"

namespace zorli {

// Answers "does the message contain this two-byte unit" as FindText with case folded
// does, from one pass over the message: FindText tests the unit at the scan positions
// only (every byte, but a byte with its high bit set takes the next one along), so the
// folded pairs found at those positions are all the units it can find.
class MessageUnitIndex {
 public:
  explicit MessageUnitIndex(std::string_view message);
  // unit: two bytes. Inline: the scan asks this for every unit of every record.
  bool Contains(std::string_view unit) const {
    const size_t value =
        (size_t{static_cast<unsigned char>(unit[0])} << 8) | static_cast<unsigned char>(unit[1]);
    return (present_[value >> 5] >> (value & 31) & 1) != 0;
  }

 private:
  // A bit for every two bytes that fold to a pair of the message, so that a unit is
  // looked up as it is, without folding; small enough to stay in the first-level cache.
  // Words of 32 bits: a 32-bit build shifts a 64-bit word in several instructions.
  std::vector<uint32_t> present_;
};

int32_t ScorePattern(std::string_view pattern, const MessageUnitIndex& message);

struct CandidateList {
  int32_t bestScore = 0;
  std::vector<int32_t> records;  // 1-based record numbers, ascending

  // Records must be offered in file order.
  void Consider(int32_t recordNumber, int32_t score);
};

// Scores the pattern field of every record of the current database into candidates (empty, with
// best score 0, when there are no records). false when a record could not be read: it
// then scored as an empty pattern, and LastError() says why.
bool ScoreCurrentDatabase(std::string_view message, CandidateList& candidates);

}  // namespace zorli
