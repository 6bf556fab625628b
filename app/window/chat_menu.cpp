#include "chat_menu.h"

#include <utility>

namespace zorli::window {
namespace {

// Command identifiers are item positions plus this, so that 0 stays "nothing chosen".
constexpr UINT kFirstCommand = 1;

bool IsSeparator(const ChatMenuItem& item) { return item.text.empty(); }

}  // namespace

void ChatMenu::Add(std::wstring text, std::function<void()> run, bool enabled) {
  if (text.empty()) return;  // an empty text would read as a separator
  items_.push_back({std::move(text), std::move(run), enabled});
}

void ChatMenu::AddSeparator() { items_.push_back({}); }

std::vector<ChatMenuItem> ChatMenu::Items() const {
  std::vector<ChatMenuItem> shown;
  for (const ChatMenuItem& item : items_) {
    if (IsSeparator(item) && (shown.empty() || IsSeparator(shown.back()))) continue;
    shown.push_back(item);
  }
  if (!shown.empty() && IsSeparator(shown.back())) shown.pop_back();
  return shown;
}

void ChatMenuBuilder::AddSection(ChatMenuSection section) {
  if (section) sections_.push_back(std::move(section));
}

ChatMenu ChatMenuBuilder::Build(const ChatMenuContext& context) const {
  ChatMenu menu;
  for (const ChatMenuSection& section : sections_) {
    menu.AddSeparator();
    section(context, menu);
  }
  return menu;
}

bool ShowChatMenu(HWND owner, const ChatMenu& menu, POINT screenPoint) {
  const std::vector<ChatMenuItem> items = menu.Items();
  if (items.empty()) return false;
  HMENU popup = CreatePopupMenu();
  if (popup == nullptr) return false;
  for (size_t i = 0; i < items.size(); ++i) {
    const ChatMenuItem& item = items[i];
    if (IsSeparator(item))
      AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(popup, MF_STRING | (item.enabled ? 0 : MF_GRAYED),
                  kFirstCommand + static_cast<UINT>(i), item.text.c_str());
  }
  // The owner must be in front, or the menu does not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       screenPoint.x, screenPoint.y, 0, owner, nullptr));
  DestroyMenu(popup);
  PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen < kFirstCommand || chosen - kFirstCommand >= items.size()) return false;
  const ChatMenuItem& item = items[chosen - kFirstCommand];
  if (!item.enabled || !item.run) return false;
  item.run();
  return true;
}

}  // namespace zorli::window
