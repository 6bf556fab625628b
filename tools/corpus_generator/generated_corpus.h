#pragma once
// A made-up question-and-answer corpus, the same for the same size on every platform:
// Chinese questions of random common characters and English ones of made-up words, most
// asked more than once (with other punctuation or letter case) and answered differently,
// some answered more than four ways. For the import's tests and benchmarks.
#include <cstdint>
#include <string>
#include <vector>

namespace zorli::corpus {

struct GeneratedPair {
  std::string question;  // GBK
  std::string answer;    // GBK
  int64_t questionId;    // the same for the variants of one question
};

std::vector<GeneratedPair> GenerateCorpus(int64_t pairs);

// The corpus as a file: question TAB answer a line, or dialogues of "M "-marked turns
// separated by "E" lines and blank lines. utf8: converted from GBK, with a byte-order
// mark for the TSV as Notepad writes it.
std::string AsTsv(const std::vector<GeneratedPair>& corpus, bool utf8);
std::string AsDialogues(const std::vector<GeneratedPair>& corpus, bool utf8);

}  // namespace zorli::corpus
