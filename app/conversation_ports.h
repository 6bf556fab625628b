#pragma once
// What the conversation needs from the outside world: the chat list, the main window's
// controls and the system services. The window, the console chat and the tests each
// supply their own.
#include <cstdint>
#include <functional>
#include <optional>

#include "clock.h"
#include "gbk_text.h"
#include "image_handle.h"

namespace zorli {

class ChatListPort {
 public:
  virtual ~ChatListPort() = default;
  // rightSide nullopt: not given, the entry stands on the left. Returns the new index.
  virtual int32_t AddMessage(const GbkText& nickname, ImageHandle avatar, const GbkText& content,
                             std::optional<bool> rightSide) = 0;
  virtual void ScrollToBottom() = 0;
  virtual GbkText GetNickname(int32_t index) = 0;
  virtual GbkText GetContent(int32_t index) = 0;
  // Removes every entry.
  virtual void Clear() = 0;
};

class InputPort {
 public:
  virtual ~InputPort() = default;
  virtual GbkText Nickname() = 0;
  virtual GbkText Message() = 0;
  virtual bool RightSideTicked() = 0;
  virtual void ClearMessage() = 0;
  virtual void FocusMessage() = 0;
};

// Replaceable so that tests open nothing and fix the time.
struct ConversationServices {
  std::function<bool(const GbkText& commandLine)> runProgram;
  std::function<void(const GbkText& url)> openUrl;
  std::function<DateTime()> now;
  std::function<void(int32_t milliseconds)> delay;
};

}  // namespace zorli
