#include "fake_ports.h"

namespace zorli::testing {

int32_t FakeChatList::AddMessage(const GbkText& nickname, ImageHandle avatar,
                                 const GbkText& content, std::optional<bool> rightSide) {
  log_.push_back("AddMessage " + nickname);
  entries.push_back({nickname, avatar, content, rightSide});
  return static_cast<int32_t>(entries.size()) - 1;
}

void FakeChatList::ScrollToBottom() { log_.push_back("ScrollToBottom"); }

GbkText FakeChatList::GetNickname(int32_t index) {
  log_.push_back("GetNickname " + std::to_string(index));
  return entries.at(static_cast<size_t>(index)).nickname;
}

GbkText FakeChatList::GetContent(int32_t index) {
  log_.push_back("GetContent " + std::to_string(index));
  return entries.at(static_cast<size_t>(index)).content;
}

GbkText FakeInput::Nickname() { return nickname; }
GbkText FakeInput::Message() { return message; }
bool FakeInput::RightSideTicked() { return rightSide; }

void FakeInput::ClearMessage() {
  log_.push_back("ClearMessage");
  message.clear();
}

void FakeInput::FocusMessage() { log_.push_back("FocusMessage"); }

ConversationServices FakeServices::Make() {
  ConversationServices services;
  services.runProgram = [this](const GbkText& commandLine) {
    log_.push_back("runProgram");
    programsRun.push_back(commandLine);
    return true;
  };
  services.openUrl = [this](const GbkText& url) {
    log_.push_back("openUrl");
    urlsOpened.push_back(url);
  };
  services.now = [this] { return time; };
  services.delay = [this](int32_t milliseconds) {
    log_.push_back("delay " + std::to_string(milliseconds));
  };
  return services;
}

}  // namespace zorli::testing
