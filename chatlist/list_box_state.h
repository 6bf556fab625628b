#pragma once
// What a chat list box keeps besides its items and its named window properties: the
// owner's handlers, and the whole press (the "QuarnPopDownItem" value keeps only 16 bits
// of the entry index, and no point).
#include <windows.h>

#include <cstdint>
#include <functional>

#include "chat_list_events.h"
#include "gbk_text.h"

namespace zorli {

struct ListBoxState {
  ChatListHandler clickFace;
  ChatListHandler clickNickname;
  ChatListHandler clickContent;
  ChatListHandler rightClick;
  ChatListHandler doubleClick;
  int32_t pressIndex = -1;
  bool pressIsSecondOfDouble = false;  // the press was a WM_LBUTTONDBLCLK
  POINT pressScreenPoint{};
  // The accessible name of the entry of an index; empty for nickname and content.
  std::function<GbkText(int32_t index)> entryName;
  uint32_t relayouts = 0;
  int32_t paintedShift = 0;  // the view shift of the last paint  // entries laid out again by
                             // painting, counted for the list's paint
};

// Made when the list box is created and freed when it is destroyed.
void AttachListBoxState(HWND list);
void DetachListBoxState(HWND list);
// nullptr for a window without one.
ListBoxState* StateOf(HWND list);

// Stores handler in slot. A click handler's property (nullptr for none) is set to the
// handler, or 0 when it is empty, as other programs may read it.
void SetEventHandler(HWND list, ChatListHandler ListBoxState::*slot, const char* property,
                     ChatListHandler handler);

}  // namespace zorli
