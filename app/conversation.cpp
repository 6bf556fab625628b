#include "conversation.h"

#include <limits>
#include <utility>

#include "conversation_texts.h"
#include "web_addresses.h"

namespace zorli {
namespace {

constexpr int32_t kReplyDelayMilliseconds = 300;
constexpr int32_t kSearchMarkerBytes = 5;
// The marker and the one separator byte after it, whatever that byte is.
constexpr int32_t kSearchKeywordOffset = 6;
constexpr int32_t kTeasingThreshold = 3;

}  // namespace

Conversation::Conversation(ChatListPort& chatList, InputPort& input, ConversationServices services)
    : chatList_(chatList), input_(input), services_(std::move(services)) {}

void Conversation::StartConversation(ImageHandle botAvatar) {
  botAvatar_ = botAvatar;
  chatList_.AddMessage(GbkText(kBotNickname), botAvatar_, GbkText(kGreeting), std::nullopt);
}

void Conversation::SubmitInput() {
  const GbkText nickname = input_.Nickname();
  const GbkText message = input_.Message();
  const bool rightSide = input_.RightSideTicked();
  chatList_.AddMessage(nickname, 0, message, rightSide);
  chatList_.ScrollToBottom();

  ApplyKeywordRules(message);
  ApplyTeasingRule(message);

  services_.delay(kReplyDelayMilliseconds);
  SelectReply(message, preset_, [this](const GbkText& reply, const ReplyExplanation& why) {
    if (replyObserver_) replyObserver_(why);
    PostBotReply(reply);
  });

  input_.ClearMessage();
  chatList_.ScrollToBottom();
  input_.FocusMessage();
}

void Conversation::ApplyKeywordRules(const GbkText& message) {
  for (std::string_view keyword : {kTimeKeywordFirst, kTimeKeywordSecond}) {
    if (FindText(message, keyword, 1, false) > 0) {
      preset_.text = ToText(services_.now());
      preset_.pending = true;
    }
  }

  // Only the bare word: the reply still comes from the knowledge files.
  if (CompareTexts(message, kNewsKeyword) == 0) {
    services_.runProgram(NewsCommandLine());
  }

  if (CompareTexts(LeftText(message, kSearchMarkerBytes), kSearchMarker) == 0) {
    const GbkText keyword = RightText(message, TextLength(message) - kSearchKeywordOffset);
    preset_.text = GbkText(kSearchReply);
    preset_.pending = true;
    services_.openUrl(SearchUrl(keyword));
  }
}

void Conversation::ApplyTeasingRule(const GbkText& message) {
  if (repeatCount_ > 0 && CompareTexts(message, previousMessage_) == 0) {
    if (repeatCount_ < std::numeric_limits<int32_t>::max()) ++repeatCount_;
  } else {
    repeatCount_ = 1;
    previousMessage_ = message;
  }
  if (repeatCount_ > kTeasingThreshold) {
    preset_.text = GbkText(kTeasingReply);
    preset_.pending = true;
  }
}

void Conversation::PostBotReply(const GbkText& reply) {
  // One reading: three could straddle a second and head 9:59:59.9 with 9:0:0.
  const DateTime time = services_.now();
  const GbkText hour = ToText(hourOf(time));
  const GbkText minute = ToText(minuteOf(time));
  const GbkText second = ToText(secondOf(time));
  const GbkText entry = JoinTexts(
      {hour, kTimeSeparator, minute, kTimeSeparator, second, kBeforeReply, reply, kAfterReply});
  chatList_.AddMessage(GbkText(kBotNickname), botAvatar_, entry, std::nullopt);
  chatList_.ScrollToBottom();
}

void Conversation::OnClickFace(int32_t index) { chatList_.GetNickname(index); }

void Conversation::OnClickNickname(int32_t index) { chatList_.GetNickname(index); }

void Conversation::OnClickContent(int32_t index) {
  chatList_.GetNickname(index);
  chatList_.GetContent(index);
}

void Conversation::SetReplyObserver(std::function<void(const ReplyExplanation&)> observer) {
  replyObserver_ = std::move(observer);
}

}  // namespace zorli
