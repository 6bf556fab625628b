#pragma once
// Mouse handling of the chat list box: cursor choice, press and release, click events
// and the right button.
#include <windows.h>

#include <cstdint>

#include "chat_list_events.h"

namespace zorli {

struct HitResult {
  int32_t index = -1;
  int32_t part = kHitNone;
  int32_t kind = 0;
};

// point in the list box's client coordinates.
HitResult HitTestEntry(HWND list, POINT point);

LRESULT OnMouseMove(HWND list, WPARAM wParam, LPARAM lParam);
// A press: WM_LBUTTONDOWN, or WM_LBUTTONDBLCLK for the second press of a double-click.
LRESULT OnButtonDown(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnButtonUp(HWND list, WPARAM wParam, LPARAM lParam);
void OnChatListClick(HWND list, int32_t index, int32_t part);
// After the click of a double-click's second press, on the same entry and part.
void OnChatListDoubleClick(HWND list, int32_t index, int32_t part);
// WM_CONTEXTMENU: the right button raises its event when a handler is set (true); the
// point is in screen coordinates, or -1, -1 from the keyboard.
bool OnContextMenu(HWND list, LPARAM screenPoint);

// The system list box procedure saved at class registration.
LRESULT CallSystemListBox(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zorli
