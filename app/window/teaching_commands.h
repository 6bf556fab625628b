#pragma once
// Teaching Zorli from the chat list's menu: on a reply, a better answer for the message it
// answered; on a message, an answer for it; on a reply read from a taught record, forgetting
// it. What happened is a tip entry.
#include <windows.h>

#include "chat_list_view.h"
#include "chat_menu.h"
#include "conversation.h"
#include "gbk_text.h"
#include "teaching.h"

namespace zorli::window {

constexpr wchar_t kTeachBetterText[] = L"教Zorli更好的回答(&T)…";
constexpr wchar_t kTeachThisText[] = L"教Zorli怎么回答这句(&T)…";
constexpr wchar_t kForgetText[] = L"忘掉这个回答(&F)";

class TeachingCommands {
 public:
  TeachingCommands(ChatListView& chatList, Conversation& conversation);
  void SetOwner(HWND owner) { owner_ = owner; }

  // The dialog for message, then the teaching.
  void Teach(const GbkText& message);
  void Forget(const GbkText& message);
  // At start-up: taught pairs put back into dbs.edb, a tip when not all could be.
  void PutBackTaught();

  void AddSection(ChatMenuBuilder& builder);

 private:
  void Tip(const GbkText& text);

  ChatListView& chatList_;
  Conversation& conversation_;
  HWND owner_ = nullptr;
  knowledge::TeachingPlace place_;
};

}  // namespace zorli::window
