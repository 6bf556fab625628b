#include "chat_list_windows.h"

#include "chat_list_mouse.h"
#include "chat_list_resources.h"
#include "entry_layout.h"
#include "entry_painter.h"
#include "entry_storage.h"
#include "gdi_layout_metrics.h"
#include "list_box_state.h"

namespace zorli {
namespace {

void RelayoutAll(HWND list) {
  const auto count = static_cast<int32_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int32_t index = 0; index < count; ++index) {
    ChatEntry entry;
    if (ReadEntryAt(list, index, entry)) RelayoutItem(list, index, entry, nullptr);
  }
}

}  // namespace

LRESULT CallSystemListBox(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(Resources().listBoxProc, list, message, wParam, lParam);
}

void LayoutForList(HWND list, ChatEntry& entry) {
  RECT client{};
  GetClientRect(list, &client);
  GdiLayoutMetrics metrics(Resources().measuringSurface.Dc());
  LayoutEntry(entry, client.right - client.left, Resources().padding, metrics);
}

void RelayoutItem(HWND list, int32_t index, ChatEntry& entry, const RECT* rect) {
  LayoutForList(list, entry);
  WriteEntry(EntryBlockAt(list, index), entry);
  const int32_t itemHeight = ItemHeightOf(entry);
  SendMessageW(list, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), itemHeight);
  RECT item{};
  if (rect != nullptr)
    item = *rect;
  else
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  if (item.bottom < item.top + itemHeight) item.bottom = item.top + itemHeight;
  InvalidateRect(list, &item, TRUE);
}

LRESULT CALLBACK ChatFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (HWND list = FindWindowExW(frame, nullptr, kListClassName, nullptr))
        MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      break;
    case WM_ERASEBKGND: return 1;
    case WM_DRAWITEM: PaintEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DELETEITEM:
      // The list box reports every item it drops (RemoveEntry, Clear, its own destruction):
      // the one place where an entry's storage is freed.
      FreeEntry(static_cast<LPARAM>(reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->itemData));
      return TRUE;
    default: break;
  }
  return DefWindowProcW(frame, message, wParam, lParam);
}

LRESULT CALLBACK ChatListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: AttachListBoxState(list); break;
    case WM_NCDESTROY: DetachListBoxState(list); break;
    case WM_SIZE: RelayoutAll(list); break;
    case WM_PAINT:
      if (SendMessageW(list, LB_GETCOUNT, 0, 0) <= 0) {
        PAINTSTRUCT paint;
        BeginPaint(list, &paint);  // validates, so an empty list is not asked again and again
        EndPaint(list, &paint);
        return 0;
      }
      break;
    case WM_SETCURSOR: {
      // Before the first mouse move no cursor is stored; the arrow keeps the pointer visible.
      auto cursor = static_cast<HCURSOR>(GetPropA(list, kCursorProperty));
      SetCursor(cursor != nullptr ? cursor : Resources().arrowCursor);
      return TRUE;
    }
    case WM_MOUSEMOVE: return OnMouseMove(list, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second press; the class keeps the list box's CS_DBLCLKS
      return OnButtonDown(list, message, wParam, lParam);
    case WM_LBUTTONUP: return OnButtonUp(list, wParam, lParam);
    case WM_CONTEXTMENU:
      if (OnContextMenu(list, lParam)) return 0;
      break;
    case kChatListClickMessage:
      OnChatListClick(list, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
      return 0;
    case kChatListDoubleClickMessage:
      OnChatListDoubleClick(list, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
      return 0;
    default: break;
  }
  return CallSystemListBox(list, message, wParam, lParam);
}

}  // namespace zorli
