#include "teaching_commands.h"

#include "chat_teaching.h"
#include "teach_dialog.h"

namespace zorli::window {

TeachingCommands::TeachingCommands(ChatListView& chatList, Conversation& conversation)
    : chatList_(chatList), conversation_(conversation), place_(RunTimeTeachingPlace()) {}

void TeachingCommands::Teach(const GbkText& message) {
  const std::optional<TaughtAnswer> taught = AskTaughtAnswer(owner_, message);
  if (!taught) return;
  Tip(TeachInChat(place_, taught->message, taught->answer).tip);
}

void TeachingCommands::Forget(const GbkText& message) { Tip(ForgetInChat(place_, message).tip); }

void TeachingCommands::PutBackTaught() {
  if (const std::optional<GbkText> tip = ReplaceTaughtAtStart(place_)) Tip(*tip);
}

void TeachingCommands::Tip(const GbkText& text) {
  chatList_.AddTip(text);
  chatList_.ScrollToBottom();
}

void TeachingCommands::AddSection(ChatMenuBuilder& builder) {
  builder.AddSection([this](const ChatMenuContext& context, ChatMenu& menu) {
    if (context.turn == nullptr) return;
    const Turn* asked = MessageTurnOf(conversation_.Turns(), *context.turn);
    if (asked == nullptr) return;
    // The texts, not the turns: the transcript may change before an item runs.
    const GbkText message = asked->text;
    const bool reply = context.turn->speaker == Turn::Speaker::kBot;
    menu.Add(reply ? kTeachBetterText : kTeachThisText, [this, message] { Teach(message); });
    if (!reply) return;
    if (const auto taught = TaughtPairAnswering(place_, *context.turn)) {
      menu.Add(kForgetText, [this, forgotten = taught->message] { Forget(forgotten); });
    }
  });
}

}  // namespace zorli::window
