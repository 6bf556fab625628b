#pragma once
// Why the bot's reply to a message is the one it is.
#include <cstdint>
#include <vector>

namespace zorli {

struct ReplyExplanation {
  enum class Source {
    kPreset,                // a keyword rule fixed it
    kScored,                // answer field of one of the candidates of dbs.edb
    kFallbackFound,         // the first dbv.edb reply holding the start of the message
    kFallbackRandom,        // a random dbv.edb reply
    kKnowledgeUnavailable,  // a knowledge file the reply needed could not be opened or read
  };
  Source source = Source::kPreset;
  int32_t score = 0;                // best score of the dbs.edb records
  std::vector<int32_t> candidates;  // Scored: the best records, 1-based, in file order
  int32_t answerField = 0;          // Scored: 2 to 5
  // The 1-based record the reply was read from: of dbs.edb (Scored, the candidate drawn)
  // or of dbv.edb (FallbackFound, FallbackRandom).
  int32_t record = 0;
};

}  // namespace zorli
