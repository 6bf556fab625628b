#pragma once
// Stand-ins for the window: a chat list and an input box that record what the
// conversation does to them, and services that launch nothing and tell a fixed time.
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

// Every call on the ports and services, in order, as one readable log.
using CallLog = std::vector<std::string>;

class FakeChatList : public ChatListPort {
 public:
  explicit FakeChatList(CallLog& log) : log_(log) {}
  int32_t AddMessage(const GbkText& nickname, ImageHandle avatar, const GbkText& content,
                     std::optional<bool> rightSide) override;
  void ScrollToBottom() override;
  GbkText GetNickname(int32_t index) override;
  GbkText GetContent(int32_t index) override;

  std::vector<PostedEntry> entries;

 private:
  CallLog& log_;
};

class FakeInput : public InputPort {
 public:
  explicit FakeInput(CallLog& log) : log_(log) {}
  GbkText Nickname() override;
  GbkText Message() override;
  bool RightSideTicked() override;
  void ClearMessage() override;
  void FocusMessage() override;

  GbkText nickname;
  GbkText message;
  bool rightSide = false;

 private:
  CallLog& log_;
};

struct FakeServices {
  explicit FakeServices(CallLog& log) : log_(log) {}
  ConversationServices Make();

  DateTime time = MakeDateTime({2026, 12, 8, 9, 5, 3});
  std::vector<GbkText> programsRun;
  std::vector<GbkText> urlsOpened;

 private:
  CallLog& log_;
};

}  // namespace zorli::testing
