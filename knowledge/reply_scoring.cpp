#include "reply_scoring.h"

#include "knowledge_schema.h"
#include "pattern_units.h"
#include "record_database.h"

namespace zorli {

namespace {

constexpr size_t kUnitValues = 1 << 16;

unsigned char FoldedByte(char c) {
  return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

size_t FoldedUnit(char first, char second) {
  return (static_cast<size_t>(FoldedByte(first)) << 8) | FoldedByte(second);
}

}  // namespace

MessageUnitIndex::MessageUnitIndex(std::string_view message) : present_(kUnitValues) {
  ForEachMessagePair(
      message, [this](std::string_view pair) { present_[FoldedUnit(pair[0], pair[1])] = true; });
}

bool MessageUnitIndex::Contains(std::string_view unit) const {
  return present_[FoldedUnit(unit[0], unit[1])];
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
  return ReadFieldOfAllRecords(
      knowledge::kPatternField, [&](int32_t recordNumber, const FieldValue& pattern) {
        const std::string_view text =
            pattern.IsText() ? std::string_view(pattern.Bytes()) : std::string_view();
        candidates.Consider(recordNumber, ScorePattern(text, index));
      });
}

}  // namespace zorli
