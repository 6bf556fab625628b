#include "console_chat.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "chat_teaching.h"
#include "console_encoding.h"
#include "conversation.h"
#include "explain_line.h"
#include "system_services.h"
#include "teaching_texts.h"

namespace zorli {
namespace {

const Turn* LastTurnOf(const Transcript& transcript, Turn::Speaker speaker) {
  for (auto turn = transcript.rbegin(); turn != transcript.rend(); ++turn) {
    if (turn->speaker == speaker) return &*turn;
  }
  return nullptr;
}

// What a command line says back, in GBK.
GbkText RunCommand(const std::string& command, const GbkText& argument,
                   const Conversation& conversation) {
  const knowledge::TeachingPlace place = RunTimeTeachingPlace();
  if (command == "teach") {
    const Turn* sent = LastTurnOf(conversation.Turns(), Turn::Speaker::kUser);
    if (sent == nullptr) return GbkText(kNothingSentYet);
    return TeachInChat(place, sent->text, argument).tip;
  }
  if (command == "forget") {
    const Turn* reply = LastTurnOf(conversation.Turns(), Turn::Speaker::kBot);
    const std::optional<knowledge::TaughtPair> taught =
        reply != nullptr ? TaughtPairAnswering(place, *reply) : std::nullopt;
    if (!taught) return GbkText(kLastReplyNotTaught);
    return ForgetInChat(place, taught->message).tip;
  }
  // taught
  std::vector<knowledge::TaughtPair> pairs;
  if (!knowledge::ReadTaughtPairs(knowledge::TaughtPathBeside(place.dbsPath), pairs)) {
    return GbkText(kNotReplacedStart) + GbkText(kTaughtFileReason);
  }
  if (pairs.empty()) return GbkText(kNothingTaughtYet);
  GbkText list;
  for (const knowledge::TaughtPair& pair : pairs) list += PairText(pair) + "\n";
  list.pop_back();
  return list;
}

}  // namespace

const char* const kConsoleCommands = "Commands, each on a line of its own:\n"
                                     "  /teach ANSWER   teach ANSWER for the last message sent\n"
                                     "  /forget         forget the taught answer just used\n"
                                     "  /taught         list what was taught\n"
                                     "  /help           this list\n"
                                     "A message that starts with \"/\" is sent as \"//...\".\n";

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
  const auto say = [&](const GbkText& text) {
    out << GbkToConsole(text, options.gbk) << "\n\n" << std::flush;
  };
  if (const std::optional<GbkText> tip = ReplaceTaughtAtStart(RunTimeTeachingPlace())) say(*tip);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A text ends at its first zero byte, as the window's message box does.
    line.resize(std::min(line.size(), line.find('\0')));
    if (line.rfind("//", 0) == 0) {
      line.erase(0, 1);
    } else if (line.rfind('/', 0) == 0) {
      const size_t space = line.find(' ');
      const std::string command = line.substr(1, space == std::string::npos ? space : space - 1);
      const GbkText argument = space == std::string::npos
                                   ? GbkText()
                                   : ConsoleToGbk(line.substr(space + 1), options.gbk);
      if (command == "teach" || command == "forget" || command == "taught") {
        say(RunCommand(command, argument, conversation));
      } else {
        out << kConsoleCommands << "\n" << std::flush;
      }
      continue;
    }
    console.SetMessage(ConsoleToGbk(line, options.gbk));
    conversation.SubmitInput();
  }
  // Output that could not be written (a full disk, a closed pipe) is a failure.
  return out.flush() ? 0 : 1;
}

}  // namespace zorli
