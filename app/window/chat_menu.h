#pragma once
// The chat list's right-click menu, built afresh for each click from sections in order, so
// that a feature adds its own commands beside the others without knowing them.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "chat_list_events.h"
#include "transcript.h"

namespace zorli::window {

// Where the menu was asked for.
struct ChatMenuContext {
  ChatListClick click;         // the entry (index -1: none), the part, the screen point
  const Turn* turn = nullptr;  // the turn the clicked entry shows; nullptr for none or a tip
};

struct ChatMenuItem {
  std::wstring text;  // "&" before the access key; empty for a separator
  std::function<void()> run;
  bool enabled = true;
};

class ChatMenu {
 public:
  void Add(std::wstring text, std::function<void()> run, bool enabled = true);
  // A separator; none comes first, last or twice in a row in what Items() returns.
  void AddSeparator();
  std::vector<ChatMenuItem> Items() const;
  bool Empty() const { return Items().empty(); }

 private:
  std::vector<ChatMenuItem> items_;
};

// Adds a section's items for the click; it may add none.
using ChatMenuSection = std::function<void(const ChatMenuContext& context, ChatMenu& menu)>;

class ChatMenuBuilder {
 public:
  void AddSection(ChatMenuSection section);
  // Every section's items in the order the sections were added, a separator between two.
  ChatMenu Build(const ChatMenuContext& context) const;

 private:
  std::vector<ChatMenuSection> sections_;
};

// Shows the menu at screenPoint, owned by owner, and runs the chosen item once the menu has
// closed. False when nothing was chosen.
bool ShowChatMenu(HWND owner, const ChatMenu& menu, POINT screenPoint);

}  // namespace zorli::window
