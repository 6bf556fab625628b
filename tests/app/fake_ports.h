#pragma once
// Stand-ins for the window: a chat list and an input box that keep what the conversation
// does to them, and services that launch nothing and tell a fixed time. Each can run a
// probe at the moment it is called, so a test can see what had happened by then.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "clock.h"
#include "conversation_ports.h"

namespace zorli::testing {

struct PostedEntry {
  GbkText nickname;
  ImageHandle avatar = 0;
  GbkText content;
  std::optional<bool> rightSide;
};

// The reads of entries, as "GetNickname 2" and "GetContent 2".
using CallLog = std::vector<std::string>;

class FakeChatList : public ChatListPort {
 public:
  explicit FakeChatList(CallLog& log) : log_(log) {}
  int32_t AddMessage(const GbkText& nickname, ImageHandle avatar, const GbkText& content,
                     std::optional<bool> rightSide) override;
  void ScrollToBottom() override { entriesShownAtBottom = entries.size(); }
  GbkText GetNickname(int32_t index) override;
  GbkText GetContent(int32_t index) override;
  void Clear() override { entries.clear(); }

  // The last entry is in view: the list was scrolled to the bottom after it was added.
  bool LastEntryShown() const { return !entries.empty() && entriesShownAtBottom == entries.size(); }

  std::vector<PostedEntry> entries;
  size_t entriesShownAtBottom = 0;  // how many entries there were at the last scroll
  std::function<void()> beforeAdding;
  bool refuseEntries = false;  // as a list box that is out of memory: LB_ERRSPACE

 private:
  CallLog& log_;
};

class FakeInput : public InputPort {
 public:
  GbkText Nickname() override { return nickname; }
  GbkText Message() override { return message; }
  bool RightSideTicked() override { return rightSide; }
  void ClearMessage() override { message.clear(); }
  void FocusMessage() override { messageFocused = true; }

  GbkText nickname;
  GbkText message;
  bool rightSide = false;
  bool messageFocused = false;
};

struct FakeServices {
  ConversationServices Make();

  DateTime time = MakeDateTime({2026, 12, 8, 9, 5, 3});
  std::vector<GbkText> programsRun;
  std::vector<GbkText> urlsOpened;
  std::vector<int32_t> delays;
  // Runs inside every launch and delay, before it is recorded.
  std::function<void()> probe;
};

}  // namespace zorli::testing
