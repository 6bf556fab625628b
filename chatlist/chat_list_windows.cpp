#include "chat_list_windows.h"

#include "chat_list_accessible.h"
#include "chat_list_mouse.h"
#include "chat_list_resources.h"
#include "entry_layout.h"
#include "entry_painter.h"
#include "entry_storage.h"
#include "gdi_layout_metrics.h"
#include "list_box_state.h"

namespace zorli {
namespace {

constexpr COLORREF kListBackground = 0xFFFFFF;

void RelayoutAll(HWND list) {
  const auto count = static_cast<int32_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int32_t index = 0; index < count; ++index) {
    ChatEntry entry;
    if (ReadEntryAt(list, index, entry)) RelayoutItem(list, index, entry, nullptr);
  }
}

// The entry above the top item, drawn into the band a bottom-anchored view leaves at the top.
void PaintEntryAboveTop(HWND list, HDC dc, int32_t shift) {
  const auto above = static_cast<int32_t>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)) - 1;
  const auto height = static_cast<int32_t>(SendMessageW(list, LB_GETITEMHEIGHT, above, 0));
  if (above < 0 || height <= 0) return;
  RECT client{};
  GetClientRect(list, &client);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_LISTBOX;
  item.itemID = static_cast<UINT>(above);
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = list;
  item.hDC = dc;
  item.rcItem = RECT{0, shift - height, client.right, shift};
  item.itemData = static_cast<ULONG_PTR>(EntryBlockAt(list, above));
  PaintEntry(item);
}

// The list composed off-screen and shown in one copy: the screen never sees it erased, and
// the space below the last entry is painted white with the rest. Entries the pass found
// stale are laid out by it and painted by a second pass, so they do not show as gaps.
void PaintList(HWND list) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(list, &paint);
  RECT client{};
  GetClientRect(list, &client);
  DrawSurface& surface = Resources().listSurface;
  if (dc != nullptr && client.right > 0 && client.bottom > 0 &&
      surface.Prepare(dc, client.right, client.bottom)) {
    ListBoxState* state = StateOf(list);
    constexpr int kPasses = 2;
    int32_t shift = 0;
    for (int pass = 0; pass < kPasses; ++pass) {
      const uint32_t relayoutsBefore = state != nullptr ? state->relayouts : 0;
      shift = ViewShift(list);
      surface.Fill(kListBackground);
      SetViewportOrgEx(surface.Dc(), 0, shift, nullptr);
      CallSystemListBox(list, WM_PAINT, reinterpret_cast<WPARAM>(surface.Dc()), 0);
      SetViewportOrgEx(surface.Dc(), 0, 0, nullptr);
      if (shift > 0) PaintEntryAboveTop(list, surface.Dc(), shift);
      if (state == nullptr || state->relayouts == relayoutsBefore) break;
    }
    // A shifted view, or one whose shift changed since the last paint (the list box has
    // scrolled the screen's pixels by its own idea of the distance), does not match what
    // the list box asks to be painted: all of it then.
    const bool whole = shift > 0 || (state != nullptr && state->paintedShift != shift);
    if (state != nullptr) state->paintedShift = shift;
    const RECT area = whole ? client : paint.rcPaint;
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, surface.Dc(),
           area.left, area.top, SRCCOPY);
  }
  EndPaint(list, &paint);
}

bool HasEntries(HWND list) { return SendMessageW(list, LB_GETCOUNT, 0, 0) > 0; }

}  // namespace

int32_t ViewShift(HWND list) {
  const auto count = static_cast<int32_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  RECT last{}, client{};
  if (count <= 0 || SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                                 reinterpret_cast<LPARAM>(&last)) == LB_ERR)
    return 0;
  GetClientRect(list, &client);
  const auto top = static_cast<int32_t>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  return BottomAnchorShift(top, last.bottom, client.bottom);
}

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
  if (ListBoxState* state = StateOf(list)) ++state->relayouts;
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
    case WM_ERASEBKGND:
      if (HasEntries(list)) return 1;  // the paint covers the whole client area
      break;
    case WM_PAINT:
      if (!HasEntries(list)) {
        PAINTSTRUCT paint;
        BeginPaint(list, &paint);  // validates, so an empty list is not asked again and again
        EndPaint(list, &paint);
        return 0;
      }
      if (wParam != 0) break;  // painting into a given context (WM_PRINTCLIENT and the like)
      PaintList(list);
      return 0;
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
    case WM_GETOBJECT:
      if (const LRESULT answer = AnswerAccessibleObject(list, wParam, lParam)) return answer;
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
