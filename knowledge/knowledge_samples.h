#pragma once
// The sample messages of the knowledge base (data/samples.tsv): a header line, then
// "message<TAB>pattern of the record it must reach" per line, in UTF-8.
#include <string>
#include <vector>

#include "gbk_text.h"

namespace zorli {

struct KnowledgeSample {
  int line;  // 1-based line of the file
  GbkText message;
  GbkText expectedPattern;
};

// false, with error naming the file and line, when the file cannot be read or a line is
// not GBK-representable UTF-8. Lines without a tab are skipped.
bool ReadKnowledgeSamples(const std::string& path, std::vector<KnowledgeSample>& samples,
                          std::string& error);

}  // namespace zorli
