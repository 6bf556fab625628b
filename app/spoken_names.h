#pragma once
// What a screen reader says for a chat-list entry that shows a turn: the nickname and
// what was said, a bot reply without its time header.
#include <cstdint>
#include <optional>

#include "gbk_text.h"
#include "transcript.h"

namespace zorli {

// nullopt for an entry that shows no turn (a tip).
inline std::optional<GbkText> SpokenTurn(const Transcript& transcript, int32_t entryIndex) {
  for (auto turn = transcript.rbegin(); turn != transcript.rend(); ++turn) {
    if (turn->entryIndex == entryIndex) return turn->nickname + "\xA3\xBA" + turn->text;  // ：
  }
  return std::nullopt;
}

}  // namespace zorli
