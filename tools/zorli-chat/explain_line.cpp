#include "explain_line.h"

namespace zorli {

std::string ExplainLine(const ReplyExplanation& why) {
  using Source = ReplyExplanation::Source;
  const std::string noScore = "explain: score=0 fallback=";
  switch (why.source) {
    case Source::kPreset: return "explain: preset";
    case Source::kScored: {
      std::string line = "explain: score=" + std::to_string(why.score) + " candidates=";
      for (size_t i = 0; i < why.candidates.size(); ++i) {
        if (i > 0) line += ',';
        line += std::to_string(why.candidates[i]);
      }
      return line + " field=" + std::to_string(why.answerField);
    }
    case Source::kFallbackFound: return noScore + "found record=" + std::to_string(why.record);
    case Source::kFallbackRandom: return noScore + "random record=" + std::to_string(why.record);
    case Source::kKnowledgeUnavailable:
      return "explain: score=" + std::to_string(why.score) + " unavailable";
  }
  return {};
}

}  // namespace zorli
