#pragma once
// The conversation's view of the chat list control.
#include "chat_list_view.h"
#include "conversation_ports.h"

namespace zorli::window {

class ChatListAdapter : public ChatListPort {
 public:
  explicit ChatListAdapter(ChatListView& view) : view_(view) {}

  int32_t AddMessage(const GbkText& nickname, ImageHandle avatar, const GbkText& content,
                     std::optional<bool> rightSide) override;
  void ScrollToBottom() override;
  GbkText GetNickname(int32_t index) override;
  GbkText GetContent(int32_t index) override;
  void Clear() override;

 private:
  ChatListView& view_;
};

}  // namespace zorli::window
