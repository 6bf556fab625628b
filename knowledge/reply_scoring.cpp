#include "reply_scoring.h"

#include "knowledge_schema.h"
#include "pattern_units.h"
#include "record_database.h"

namespace zorli {

namespace {

constexpr size_t kUnitValues = 1 << 16;

// The byte and, for a lower-case letter, its upper case: the bytes that fold to it.
int CaseVariants(char c, unsigned char (&variants)[2]) {
  const auto byte = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  variants[0] = byte;
  if (byte < 'a' || byte > 'z') return 1;
  variants[1] = static_cast<unsigned char>(byte - 'a' + 'A');
  return 2;
}

}  // namespace

MessageUnitIndex::MessageUnitIndex(std::string_view message) : present_(kUnitValues / 32) {
  ForEachMessagePair(message, [this](std::string_view pair) {
    unsigned char firsts[2], seconds[2];
    const int firstCount = CaseVariants(pair[0], firsts);
    const int secondCount = CaseVariants(pair[1], seconds);
    for (int f = 0; f < firstCount; ++f) {
      for (int s = 0; s < secondCount; ++s) {
        const size_t value = (size_t{firsts[f]} << 8) | seconds[s];
        present_[value >> 5] |= uint32_t{1} << (value & 31);
      }
    }
  });
}

int32_t ScorePattern(std::string_view pattern, const MessageUnitIndex& message) {
  int32_t score = 0;
  ForEachPatternUnit(pattern, [&](std::string_view unit) {
    if (message.Contains(unit)) ++score;
  });
  return score;
}

void CandidateList::Consider(int32_t recordNumber, int32_t score) {
  if (score > bestScore) {
    bestScore = score;
    records.assign(1, recordNumber);
  } else if (score == bestScore) {
    records.push_back(recordNumber);
  }
}

bool ScoreCurrentDatabase(std::string_view message, CandidateList& candidates) {
  candidates = CandidateList();
  const int32_t count = GetRecordCount();
  if (count < 1) return LastError() == 0;
  const MessageUnitIndex index(message);
  // Each pattern is read once, and every unit is taken from that one text.
  return ReadTextOfAllRecords(knowledge::kPatternField,
                              [&](int32_t recordNumber, std::string_view pattern) {
                                candidates.Consider(recordNumber, ScorePattern(pattern, index));
                              });
}

}  // namespace zorli
