#pragma once
// Chooses the bot's one reply to a message: a pending preset reply, else an answer from
// the best-scoring records of dbs.edb, else a reply from dbv.edb, else a reply that says
// which of them could not be opened or read. Both files are opened by plain name in the
// current directory and closed again before SelectReply returns; nothing of them is kept
// between messages. A step that meets a lock held by another program is retried for a
// short while.
#include <cstdint>
#include <functional>
#include <vector>

#include "gbk_text.h"
#include "preset_reply.h"

namespace zorli {

constexpr std::string_view kPrimaryKnowledgeFile = "dbs.edb";
constexpr std::string_view kFallbackKnowledgeFile = "dbv.edb";

// Why a reply was chosen.
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
  int32_t record = 0;               // FallbackFound, FallbackRandom: 1-based dbv.edb record
};

// Receives the chosen reply, exactly once per SelectReply.
using ReplyPoster = std::function<void(const GbkText& reply, const ReplyExplanation& why)>;

// Leaves preset.pending false.
void SelectReply(const GbkText& message, PresetReply& preset, const ReplyPoster& post);

}  // namespace zorli
