#pragma once
// The conversation with the bot: the greeting, one send from the input box to the bot's
// answer with its rules, the chat list's click events, and the transcript of it all. The
// window, the console chat and the tests each supply the chat list, the input and the
// services.
#include <cstdint>
#include <functional>
#include <optional>

#include "conversation_ports.h"
#include "gbk_text.h"
#include "preset_reply.h"
#include "reply_explanation.h"
#include "transcript.h"

namespace zorli {

class Conversation {
 public:
  Conversation(ChatListPort& chatList, InputPort& input, ConversationServices services);

  // The conversation's part of start-up, once the chat list's window exists: keeps the
  // bot's avatar and posts the greeting.
  void StartConversation(ImageHandle botAvatar);
  // One send: the user's entry, the rules, the delay, the bot's reply, and the input box
  // emptied and focused again.
  void SubmitInput();
  // Adds a bot entry headed by the time of day, and its turn.
  void PostBotReply(const GbkText& reply, std::optional<ReplyExplanation> why = std::nullopt);

  // Handlers of the chat list's click events, given the clicked entry's index.
  void OnClickFace(int32_t index);
  void OnClickNickname(int32_t index);
  void OnClickContent(int32_t index);

  // Called with the reason for each reply just before it is posted (the console's
  // --explain); none by default.
  void SetReplyObserver(std::function<void(const ReplyExplanation&)> observer);

  // Empties the chat list and the transcript; the greeting is not posted again.
  void Clear();
  // The turn chat-list entry index shows; nullptr for none (a tip, or no such entry).
  const Turn* TurnShowing(int32_t index) const;

  const Transcript& Turns() const { return transcript_; }
  const PresetReply& Preset() const { return preset_; }
  int32_t RepeatCount() const { return repeatCount_; }

 private:
  // Counts message as sent once more in a row, or as the first of a new row.
  void CountRepeat(const GbkText& message);

  ChatListPort& chatList_;
  InputPort& input_;
  ConversationServices services_;
  ImageHandle botAvatar_ = 0;
  Transcript transcript_;
  PresetReply preset_;
  // How many times in a row the latest message has been sent (0 before the first send).
  int32_t repeatCount_ = 0;
  GbkText previousMessage_;
  std::function<void(const ReplyExplanation&)> replyObserver_;
};

}  // namespace zorli
