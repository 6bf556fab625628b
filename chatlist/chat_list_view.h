#pragma once
// The chat bubble list: a frame window ("QuarnPopChatFrame") holding an owner-drawn list
// box ("QuarnPopChat") whose items are chat entries. Copies share the same windows.
// InitChatListStyles (chat_list_resources.h) must have run before Create.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "chat_entry.h"
#include "chat_list_events.h"
#include "gbk_text.h"

namespace zorli {

class ChatListView {
 public:
  ChatListView() = default;  // no windows until Create

  // borderStyle: 0 none, 1 sunken, 2 raised, 3 thin sunken, 4 framed, 5 single line.
  bool Create(HWND parent, int32_t left, int32_t top, int32_t width, int32_t height,
              std::optional<int32_t> borderStyle = std::nullopt,
              std::optional<bool> showNickname = std::nullopt);
  void SetShowNickname(bool show);

  // Each add returns the new entry's index, or a negative value when the list box refused it.
  // bubbleStyle omitted: 1 on the right side, 0 on the left.
  int32_t AddMessage(const GbkText& nickname, ImageHandle avatar, const GbkText& content,
                     std::optional<int32_t> bubbleStyle = std::nullopt,
                     std::optional<bool> rightSide = std::nullopt,
                     std::optional<int32_t> tag = std::nullopt);
  int32_t AddTip(const GbkText& text, std::optional<int32_t> tag = std::nullopt);
  // An empty content with a link shows the link as content.
  int32_t AddCard(const GbkText& nickname, ImageHandle avatar, const GbkText& title,
                  ImageHandle picture, const GbkText& content, const GbkText& link,
                  std::optional<bool> rightSide = std::nullopt,
                  std::optional<int32_t> tag = std::nullopt);
  int32_t AddPicture(const GbkText& nickname, ImageHandle avatar, ImageHandle picture,
                     std::optional<bool> rightSide = std::nullopt,
                     std::optional<int32_t> tag = std::nullopt);
  void ScrollToBottom();

  // Out-of-range indices give 0, the empty text or false.
  int32_t GetTag(int32_t index) const;
  GbkText GetNickname(int32_t index) const;
  GbkText GetContent(int32_t index) const;
  GbkText GetTitle(int32_t index) const;
  GbkText GetLink(int32_t index) const;
  // True when the entry is taller than a list box item can be, so that it is shown cut.
  bool IsCut(int32_t index) const;
  // The stored block; its text pointers stay valid while the entry exists.
  bool GetEntry(int32_t index, ChatEntry& entry) const;
  void RemoveEntry(int32_t index);
  void Clear();
  int32_t GetCount() const;

  void Show(std::optional<bool> bringToFront = std::nullopt);
  void Hide();
  void SetDisabled(bool disabled);
  void Move(std::optional<int32_t> left = std::nullopt, std::optional<int32_t> top = std::nullopt,
            std::optional<int32_t> width = std::nullopt,
            std::optional<int32_t> height = std::nullopt,
            std::optional<bool> noRedraw = std::nullopt);
  int32_t GetWidth() const;
  int32_t GetHeight() const;
  int32_t GetTop() const;
  int32_t GetLeft() const;
  HWND GetWindowHandle() const;
  bool IsCreated() const;
  void Close();
  void Destroy();

  // Handlers of the click events, run after the button message has been processed; an
  // empty one raises nothing. The right button's runs at once: on an entry or not, and
  // from the keyboard's menu key with no entry.
  void OnClickFace(ChatListHandler handler);
  void OnClickNickname(ChatListHandler handler);
  void OnClickContent(ChatListHandler handler);
  void OnRightClick(ChatListHandler handler);
  // A double-click on an entry's part, raised after the second click's own event.
  void OnDoubleClick(ChatListHandler handler);

  // What a screen reader is told an entry is; without it, its nickname and content.
  void SetEntryNames(std::function<GbkText(int32_t index)> name);

  // The list box inside the frame (0 before Create).
  HWND GetListWindowHandle() const { return list_; }

 private:
  int32_t AddEntry(ChatEntry& entry);

  HWND frame_ = nullptr;
  HWND list_ = nullptr;
  int32_t showNickname_ = 0;
};

}  // namespace zorli
