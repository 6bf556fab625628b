#pragma once
// Chooses the bot's one reply to a message: a pending preset reply, else an answer from
// the best-scoring records of dbs.edb, else a reply from dbv.edb, else a reply that says
// which of them could not be opened or read. Both files are opened at their run-time
// place (knowledge_place.h) and closed again before SelectReply returns; nothing of them
// is kept between messages. A step that meets a lock held by another program is retried
// for a short while.
#include "gbk_text.h"
#include "preset_reply.h"
#include "reply_explanation.h"

namespace zorli {

struct ChosenReply {
  GbkText text;  // as posted, without the time header
  ReplyExplanation why;
};

// A pending preset wins without a file being opened; the caller clears its flag.
ChosenReply SelectReply(const GbkText& message, const PresetReply& preset);

}  // namespace zorli
