#include "console_chat.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "console_encoding.h"
#include "conversation.h"
#include "explain_line.h"
#include "system_services.h"

namespace zorli {

ConsoleChat::ConsoleChat(const ConsoleOptions& options, std::ostream& out)
    : options_(options), out_(out) {}

int32_t ConsoleChat::AddMessage(const GbkText& nickname, ImageHandle, const GbkText& content,
                                std::optional<bool> rightSide) {
  entries_.push_back({nickname, content});
  // The user's entries give their side explicitly; the bot's never do.
  if (!rightSide) {
    out_ << GbkToConsole(content, options_.gbk);
    if (content.empty() || content.back() != '\n') out_ << '\n';
    out_ << '\n' << std::flush;
  }
  return static_cast<int32_t>(entries_.size()) - 1;
}

GbkText ConsoleChat::GetNickname(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < entries_.size()
             ? entries_[static_cast<size_t>(index)].nickname
             : GbkText();
}

GbkText ConsoleChat::GetContent(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < entries_.size()
             ? entries_[static_cast<size_t>(index)].content
             : GbkText();
}

int RunConsoleChat(const ConsoleOptions& options, std::istream& in, std::ostream& out) {
  ConsoleChat console(options, out);
  ConversationServices services = SystemConversationServices();
  if (options.noDelay) services.delay = [](int32_t) {};
  if (options.noLaunch) {
    services.runProgram = [](const GbkText&) { return false; };
    services.openUrl = [](const GbkText&) {};
  }
  Conversation conversation(console, console, std::move(services));
  if (options.explain) {
    conversation.SetReplyObserver(
        [&out](const ReplyExplanation& why) { out << ExplainLine(why) << '\n'; });
  }
  conversation.StartConversation(0);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A text ends at its first zero byte, as the window's message box does.
    line.resize(std::min(line.size(), line.find('\0')));
    console.SetMessage(ConsoleToGbk(line, options.gbk));
    conversation.SubmitInput();
  }
  // Output that could not be written (a full disk, a closed pipe) is a failure.
  return out.flush() ? 0 : 1;
}

}  // namespace zorli
