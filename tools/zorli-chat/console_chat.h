#pragma once
// A conversation on standard input and output: each line read is one message, and each
// bot entry is printed followed by an empty line. The user's own entries are kept (for
// the click queries) but not printed.
#include <iosfwd>
#include <vector>

#include "console_options.h"
#include "conversation_ports.h"

namespace zorli {

class ConsoleChat : public ChatListPort, public InputPort {
 public:
  ConsoleChat(const ConsoleOptions& options, std::ostream& out);

  int32_t AddMessage(const GbkText& nickname, ImageHandle avatar, const GbkText& content,
                     std::optional<bool> rightSide) override;
  void ScrollToBottom() override {}
  GbkText GetNickname(int32_t index) override;
  GbkText GetContent(int32_t index) override;
  void Clear() override { entries_.clear(); }

  GbkText Nickname() override { return options_.nickname; }
  GbkText Message() override { return message_; }
  bool RightSideTicked() override { return false; }
  void ClearMessage() override { message_.clear(); }
  void FocusMessage() override {}

  void SetMessage(GbkText message) { message_ = std::move(message); }

 private:
  struct Entry {
    GbkText nickname, content;
  };
  ConsoleOptions options_;
  std::ostream& out_;
  GbkText message_;
  std::vector<Entry> entries_;
};

// The lines that start with "/": teaching commands, listed by /help and --help.
extern const char* const kConsoleCommands;

// The whole session: greeting, then one send per input line until end of input; a line
// that starts with "/" is a command, one that starts with "//" a message without the
// first "/".
// Result: 0, or 1 when the output could not be written.
int RunConsoleChat(const ConsoleOptions& options, std::istream& in, std::ostream& out);

}  // namespace zorli
