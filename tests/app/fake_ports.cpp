#include "fake_ports.h"

namespace zorli::testing {

int32_t FakeChatList::AddMessage(const GbkText& nickname, ImageHandle avatar,
                                 const GbkText& content, std::optional<bool> rightSide) {
  if (beforeAdding) beforeAdding();
  if (refuseEntries) return -2;
  entries.push_back({nickname, avatar, content, rightSide});
  return static_cast<int32_t>(entries.size()) - 1;
}

GbkText FakeChatList::GetNickname(int32_t index) {
  log_.push_back("GetNickname " + std::to_string(index));
  return entries.at(static_cast<size_t>(index)).nickname;
}

GbkText FakeChatList::GetContent(int32_t index) {
  log_.push_back("GetContent " + std::to_string(index));
  return entries.at(static_cast<size_t>(index)).content;
}

ConversationServices FakeServices::Make() {
  ConversationServices services;
  services.runProgram = [this](const GbkText& commandLine) {
    if (probe) probe();
    programsRun.push_back(commandLine);
    return true;
  };
  services.openUrl = [this](const GbkText& url) {
    if (probe) probe();
    urlsOpened.push_back(url);
  };
  services.now = [this] { return time; };
  services.delay = [this](int32_t milliseconds) {
    if (probe) probe();
    delays.push_back(milliseconds);
  };
  return services;
}

}  // namespace zorli::testing
