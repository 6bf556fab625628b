#pragma once
// Scoring knowledge records against a message: a record scores one point for each unit
// of its pattern (with repetition) that the message, as typed, contains with ASCII case
// folded. The records with the best score are the candidates, in file order.
#include <cstdint>
#include <string_view>
#include <vector>

#include "gbk_text.h"

namespace zorli {

// Answers "does the message contain this unit" with FindText, remembering each answer
// for the rest of one reply: the result depends on the unit's two bytes alone.
class MessageUnitIndex {
 public:
  explicit MessageUnitIndex(std::string_view message);
  bool Contains(std::string_view unit);

 private:
  std::string_view message_;
  std::vector<int8_t> known_;  // per unit value: -1 not yet asked, 0 absent, 1 present
};

int32_t ScorePattern(std::string_view pattern, MessageUnitIndex& message);

struct CandidateList {
  int32_t bestScore = 0;
  std::vector<int32_t> records;  // 1-based record numbers, ascending

  // Records must be offered in file order.
  void Consider(int32_t recordNumber, int32_t score);
};

// Scores field 1 of every record of the current database. With no current database or
// no records the list is empty and the best score 0.
CandidateList ScoreCurrentDatabase(std::string_view message);

}  // namespace zorli
