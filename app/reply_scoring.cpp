#include "reply_scoring.h"

#include "pattern_units.h"
#include "record_database.h"

namespace zorli {

MessageUnitIndex::MessageUnitIndex(std::string_view message)
    : message_(message), known_(1 << 16, -1) {}

bool MessageUnitIndex::Contains(std::string_view unit) {
  const size_t key = (static_cast<size_t>(static_cast<unsigned char>(unit[0])) << 8) |
                     static_cast<unsigned char>(unit[1]);
  int8_t& answer = known_[key];
  if (answer < 0) answer = FindText(message_, unit, std::nullopt, true) != -1 ? 1 : 0;
  return answer == 1;
}

int32_t ScorePattern(std::string_view pattern, MessageUnitIndex& message) {
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

CandidateList ScoreCurrentDatabase(std::string_view message) {
  CandidateList candidates;
  if (GetRecordCount() < 1) return candidates;
  MessageUnitIndex index(message);
  // Each pattern is read once, and every unit is taken from that one text.
  ReadFieldOfAllRecords(1, [&](int32_t recordNumber, const FieldValue& pattern) {
    const std::string_view text = pattern.isText() ? std::string_view(pattern.bytes())
                                                   : std::string_view();
    candidates.Consider(recordNumber, ScorePattern(text, index));
  });
  return candidates;
}

}  // namespace zorli
