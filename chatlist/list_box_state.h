#pragma once
// What a chat list box keeps besides its items and its named window properties: the
// owner's handlers, and the whole press (the "QuarnPopDownItem" value keeps only 16 bits
// of the entry index, and no point).
#include <windows.h>

#include <cstdint>

#include "chat_list_events.h"

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
