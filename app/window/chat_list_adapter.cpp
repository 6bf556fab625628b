#include "chat_list_adapter.h"

namespace zorli::window {

int32_t ChatListAdapter::AddMessage(const GbkText& nickname, ImageHandle avatar,
                                    const GbkText& content, std::optional<bool> rightSide) {
  // The conversation never gives a bubble style or a tag.
  return view_.AddMessage(nickname, avatar, content, std::nullopt, rightSide, std::nullopt);
}

void ChatListAdapter::ScrollToBottom() { view_.ScrollToBottom(); }

GbkText ChatListAdapter::GetNickname(int32_t index) { return view_.GetNickname(index); }

GbkText ChatListAdapter::GetContent(int32_t index) { return view_.GetContent(index); }

void ChatListAdapter::Clear() { view_.Clear(); }

}  // namespace zorli::window
