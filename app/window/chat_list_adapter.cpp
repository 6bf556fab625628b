#include "chat_list_adapter.h"

namespace zorli::window {

int32_t ChatListAdapter::AddMessage(const GbkText& nickname, ImageHandle avatar,
                                    const GbkText& content, std::optional<bool> rightSide) {
  // The conversation never gives a bubble style or a tag.
  return view_.AddMessage(nickname, avatar, content, std::nullopt, rightSide, std::nullopt);
}

// Painted at once: the send's pause follows, and an entry left to the next paint would
// only show together with the reply.
void ChatListAdapter::ScrollToBottom() {
  view_.ScrollToBottom();
  HWND list = view_.GetListWindowHandle();
  if (list == nullptr) return;
  UpdateWindow(list);
  // A zero wait handles no message but lets the system put the painted surface on the
  // screen (Wine does that only when a thread waits) and flushes the GDI batch.
  GdiFlush();
  MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0);
}

GbkText ChatListAdapter::GetNickname(int32_t index) { return view_.GetNickname(index); }

GbkText ChatListAdapter::GetContent(int32_t index) { return view_.GetContent(index); }

void ChatListAdapter::Clear() { view_.Clear(); }

}  // namespace zorli::window
