#pragma once
// What the chat list's menu does: copy an entry or the whole conversation, show an entry's
// whole text, save the conversation to a file, clear it.
#include <windows.h>

#include <cstdint>
#include <string>

#include "chat_list_view.h"
#include "chat_menu.h"
#include "conversation.h"

namespace zorli::window {

// The menu's texts.
constexpr wchar_t kCopyEntryText[] = L"复制(&C)";
constexpr wchar_t kFullTextText[] = L"查看全文(&V)";
constexpr wchar_t kCopyAllText[] = L"复制全部聊天记录";
constexpr wchar_t kSaveText[] = L"保存聊天记录(&S)…";
constexpr wchar_t kClearText[] = L"清空聊天记录(&L)";

class ChatCommands {
 public:
  ChatCommands(ChatListView& chatList, Conversation& conversation);
  // The window that owns the dialogs and the full-text windows.
  void SetOwner(HWND owner) { owner_ = owner; }

  // The entry's own text: a user's message as typed, a bot's reply without its time header,
  // a tip or the greeting as shown.
  std::wstring EntryText(int32_t index) const;

  bool CopyEntry(int32_t index) const;
  void ShowFullText(int32_t index) const;
  bool CopyAll() const;
  // Asks where, then writes the file; a failure is said in a message box.
  void Save() const;
  // After the user agreed: the chat list and the transcript emptied.
  void Clear();

  // The entry's section (copy, full text) and the whole list's (copy all, save, clear).
  void AddSections(ChatMenuBuilder& builder);

 private:
  ChatListView& chatList_;
  Conversation& conversation_;
  HWND owner_ = nullptr;
};

}  // namespace zorli::window
