#include "conversation.h"

#include <limits>
#include <utility>

#include "conversation_texts.h"
#include "message_rules.h"
#include "reply_engine.h"

namespace zorli {
namespace {

constexpr int32_t kReplyDelayMilliseconds = 300;

}  // namespace

Conversation::Conversation(ChatListPort& chatList, InputPort& input, ConversationServices services)
    : chatList_(chatList), input_(input), services_(std::move(services)) {}

void Conversation::StartConversation(ImageHandle botAvatar) {
  botAvatar_ = botAvatar;
  const GbkText nickname(kBotNickname), greeting(kGreeting);
  const int32_t entry = chatList_.AddMessage(nickname, botAvatar_, greeting, std::nullopt);
  transcript_.push_back({Turn::Speaker::kBot, nickname, services_.now(), greeting, {}, entry});
}

void Conversation::SubmitInput() {
  const GbkText nickname = input_.Nickname();
  const GbkText message = input_.Message();
  const bool rightSide = input_.RightSideTicked();
  const int32_t entry = chatList_.AddMessage(nickname, 0, message, rightSide);
  chatList_.ScrollToBottom();
  const DateTime sent = services_.now();
  transcript_.push_back({Turn::Speaker::kUser, nickname, sent, message, {}, entry});

  CountRepeat(message);
  const RuleOutcome rules = ApplyMessageRules(message, repeatCount_, sent);
  if (rules.presetText) {
    preset_.text = *rules.presetText;
    preset_.pending = true;
  }
  if (rules.newsCommandLine) services_.runProgram(*rules.newsCommandLine);
  if (rules.searchUrl) services_.openUrl(*rules.searchUrl);

  services_.delay(kReplyDelayMilliseconds);
  const ChosenReply reply = SelectReply(message, preset_);
  preset_.pending = false;
  if (replyObserver_) replyObserver_(reply.why);
  PostBotReply(reply.text, reply.why);

  input_.ClearMessage();
  chatList_.ScrollToBottom();
  input_.FocusMessage();
}

void Conversation::CountRepeat(const GbkText& message) {
  if (repeatCount_ > 0 && CompareTexts(message, previousMessage_) == 0) {
    if (repeatCount_ < std::numeric_limits<int32_t>::max()) ++repeatCount_;
  } else {
    repeatCount_ = 1;
    previousMessage_ = message;
  }
}

void Conversation::PostBotReply(const GbkText& reply, std::optional<ReplyExplanation> why) {
  // One reading: three could straddle a second and head 9:59:59.9 with 9:0:0.
  const DateTime time = services_.now();
  const GbkText hour = ToText(hourOf(time));
  const GbkText minute = ToText(minuteOf(time));
  const GbkText second = ToText(secondOf(time));
  const GbkText content = JoinTexts(
      {hour, kTimeSeparator, minute, kTimeSeparator, second, kBeforeReply, reply, kAfterReply});
  const GbkText nickname(kBotNickname);
  const int32_t entry = chatList_.AddMessage(nickname, botAvatar_, content, std::nullopt);
  transcript_.push_back({Turn::Speaker::kBot, nickname, time, reply, std::move(why), entry});
  chatList_.ScrollToBottom();
}

void Conversation::OnClickFace(int32_t index) { chatList_.GetNickname(index); }

void Conversation::OnClickNickname(int32_t index) { chatList_.GetNickname(index); }

void Conversation::OnClickContent(int32_t index) {
  chatList_.GetNickname(index);
  chatList_.GetContent(index);
}

void Conversation::Clear() {
  chatList_.Clear();
  transcript_.clear();
}

const Turn* Conversation::TurnShowing(int32_t index) const {
  if (index < 0) return nullptr;
  for (auto it = transcript_.rbegin(); it != transcript_.rend(); ++it)
    if (it->entryIndex == index) return &*it;
  return nullptr;
}

void Conversation::SetReplyObserver(std::function<void(const ReplyExplanation&)> observer) {
  replyObserver_ = std::move(observer);
}

}  // namespace zorli
