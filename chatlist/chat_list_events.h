#pragma once
// The events a chat list raises for its owner: a click on an entry's avatar, nickname or
// bubble, and a press of the right button, each with the entry, the part that was hit and
// the point on the screen.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace zorli {

enum HitPart : int32_t {
  kHitNone = 0,
  kHitAvatar = 1,
  kHitNickname = 2,
  kHitBubble = 3,
};

struct ChatListClick {
  int32_t index = -1;  // 0-based entry; -1 when the right button met no entry
  HitPart part = kHitNone;
  // Screen coordinates: where a click was pressed (the press decides entry and part), or
  // where the right button was released.
  POINT screenPoint{};
};

using ChatListHandler = std::function<void(const ChatListClick& click)>;

}  // namespace zorli
