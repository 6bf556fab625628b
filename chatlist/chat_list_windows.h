#pragma once
// The two window procedures of the chat list and what they share with the control.
#include <windows.h>

#include <cstdint>

#include "chat_entry.h"

namespace zorli {

constexpr wchar_t kListClassName[] = L"QuarnPopChat";
constexpr wchar_t kFrameClassName[] = L"QuarnPopChatFrame";

// Posted by the list box to itself: wParam entry index, lParam the part that was clicked.
constexpr UINT kChatListClickMessage = 0x0640;
// Posted after the click message of a double-click's second press; the same parameters.
constexpr UINT kChatListDoubleClickMessage = 0x0641;

constexpr char kClickFaceProperty[] = "Event.ClickFace";
constexpr char kClickNicknameProperty[] = "Event.ClickNnickName";
constexpr char kClickContentProperty[] = "Event.ClickContent";
constexpr char kCursorProperty[] = "QuarnCorsor";
constexpr char kPressProperty[] = "QuarnPopDownItem";

LRESULT CALLBACK ChatFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ChatListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

// Lays the entry out for the list box's current client width.
void LayoutForList(HWND list, ChatEntry& entry);
// Lays the entry out again, stores it, resizes its item and invalidates the item. rect is
// the item's rectangle when known, else nullptr.
void RelayoutItem(HWND list, int32_t index, ChatEntry& entry, const RECT* rect);

// How many pixels lower than the list box places them its items are shown (entry_layout.h,
// BottomAnchorShift); mouse points are moved up by as much before they are hit-tested.
int32_t ViewShift(HWND list);

}  // namespace zorli
