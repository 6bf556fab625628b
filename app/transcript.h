#pragma once
// The conversation as it happened: one turn per entry the conversation adds to the chat
// list, in order. The chat list shows the turns; a turn is what was said, without the bot
// entry's time header, and why the bot said it. A bot reply follows the user's message it
// answers.
#include <cstdint>
#include <optional>
#include <vector>

#include "clock.h"
#include "gbk_text.h"
#include "reply_explanation.h"

namespace zorli {

struct Turn {
  enum class Speaker { kUser, kBot };
  Speaker speaker = Speaker::kUser;
  GbkText nickname;
  DateTime time = 0;  // when it was sent, or posted (a reply: the time of its header)
  GbkText text;       // the message as typed, or the bot's text as chosen
  // A reply: why this one. None for the greeting.
  std::optional<ReplyExplanation> why;
  int32_t entryIndex = -1;  // its chat-list entry; negative when the list refused it
};

using Transcript = std::vector<Turn>;

}  // namespace zorli
