#include "chat_list_mouse.h"

#include "chat_list_resources.h"
#include "chat_list_windows.h"
#include "entry_storage.h"
#include "list_box_state.h"

namespace zorli {
namespace {

constexpr uint32_t kNoPress = 0xFFFF;  // index -1 cut to 16 bits, part 0

POINT PointFrom(LPARAM lParam) {
  const auto packed = static_cast<uint32_t>(lParam);
  return POINT{static_cast<LONG>(packed & 0xFFFF),
               static_cast<LONG>(static_cast<int32_t>(packed) >> 16)};
}

// LB_ITEMFROMPOINT reports only 16 bits of index; past that many entries the item under
// the point is found by walking the visible items instead.
int32_t ItemUnderPoint(HWND list, POINT point) {
  const auto count = static_cast<int32_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  if (count <= 0xFFFF) {
    const LPARAM packed = MAKELPARAM(point.x, point.y);
    return static_cast<int32_t>(SendMessageW(list, LB_ITEMFROMPOINT, 0, packed));
  }
  for (auto index = static_cast<int32_t>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)); index < count;
       ++index) {
    RECT rect{};
    if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&rect)) == LB_ERR ||
        rect.top > point.y)
      break;
    if (PtInRect(&rect, point)) return index;
  }
  return -1;
}

}  // namespace

HitResult HitTestEntry(HWND list, POINT point) {
  HitResult hit;
  point.y -= ViewShift(list);
  int32_t index = ItemUnderPoint(list, point);
  RECT rect{};
  if (index != -1 && (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&rect)) == LB_ERR ||
                      !PtInRect(&rect, point)))
    index = -1;
  ChatEntry entry;
  if (index == -1 || !ReadEntryAt(list, index, entry)) return hit;
  hit.index = index;
  hit.kind = entry.kind;
  const int32_t x = point.x - rect.left;
  const int32_t y = point.y - rect.top;
  if (entry.avatarRect.Contains(x, y))
    hit.part = kHitAvatar;
  else if (entry.nicknameRect.Contains(x, y))
    hit.part = kHitNickname;
  else if (entry.bubbleRect.Contains(x, y))
    hit.part = kHitBubble;
  return hit;
}

LRESULT OnMouseMove(HWND list, WPARAM wParam, LPARAM lParam) {
  const HitResult hit = HitTestEntry(list, PointFrom(lParam));
  const ChatListResources& r = Resources();
  HCURSOR cursor = hit.part == kHitBubble && hit.kind == kEntryCard ? r.handCursor : r.arrowCursor;
  SetPropA(list, kCursorProperty, cursor);
  SetCursor(cursor);
  return CallSystemListBox(list, WM_MOUSEMOVE, wParam, lParam);
}

LRESULT OnButtonDown(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  // The list box takes the focus on a press; a click that reads an entry should leave the
  // keyboard where the user was typing.
  HWND focusBefore = GetFocus();
  const LRESULT result = CallSystemListBox(list, message, wParam, lParam);
  if (focusBefore != nullptr && focusBefore != list && GetFocus() == list) SetFocus(focusBefore);
  const HitResult hit = HitTestEntry(list, PointFrom(lParam));
  const uint32_t press =
      (static_cast<uint32_t>(hit.index) & 0xFFFF) | (static_cast<uint32_t>(hit.part) << 16);
  SetPropA(list, kPressProperty, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(press)));
  if (ListBoxState* state = StateOf(list)) {
    state->pressIndex = hit.index;
    state->pressIsSecondOfDouble = message == WM_LBUTTONDBLCLK;
    state->pressScreenPoint = PointFrom(lParam);
    ClientToScreen(list, &state->pressScreenPoint);
  }
  return result;
}

LRESULT OnButtonUp(HWND list, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallSystemListBox(list, WM_LBUTTONUP, wParam, lParam);
  const auto press =
      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetPropA(list, kPressProperty)));
  SetPropA(list, kPressProperty, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(kNoPress)));
  int32_t index = static_cast<int32_t>(press & 0xFFFF);
  const auto part = static_cast<int32_t>(press >> 16);
  ListBoxState* state = StateOf(list);
  if (state != nullptr && part != kHitNone && (state->pressIndex & 0xFFFF) == index)
    index = state->pressIndex;
  PostMessageW(list, kChatListClickMessage, static_cast<WPARAM>(index), part);
  if (state != nullptr && state->pressIsSecondOfDouble && part != kHitNone)
    PostMessageW(list, kChatListDoubleClickMessage, static_cast<WPARAM>(index), part);
  if (state != nullptr) state->pressIsSecondOfDouble = false;
  return result;
}

void OnChatListClick(HWND list, int32_t index, int32_t part) {
  ListBoxState* state = StateOf(list);
  if (state == nullptr) return;
  const ChatListHandler* handler = nullptr;
  switch (part) {
    case kHitAvatar: handler = &state->clickFace; break;
    case kHitNickname: handler = &state->clickNickname; break;
    case kHitBubble: {
      handler = &state->clickContent;
      ChatEntry entry;
      if (ReadEntryAt(list, index, entry) && HasText(entry.link)) {
        handler = nullptr;
        OpenLink(list, entry.link);
      }
      break;
    }
    default: break;
  }
  // A copy: the handler may replace itself.
  if (handler != nullptr && *handler) {
    const ChatListHandler call = *handler;
    call(ChatListClick{index, static_cast<HitPart>(part), state->pressScreenPoint});
  }
}

void OnChatListDoubleClick(HWND list, int32_t index, int32_t part) {
  const ListBoxState* state = StateOf(list);
  if (state == nullptr || !state->doubleClick) return;
  const ChatListHandler call = state->doubleClick;
  call(ChatListClick{index, static_cast<HitPart>(part), state->pressScreenPoint});
}

bool OnContextMenu(HWND list, LPARAM screenPoint) {
  const ListBoxState* state = StateOf(list);
  if (state == nullptr || !state->rightClick) return false;
  ChatListClick click;
  // Signed words: a screen left of or above the main one has negative coordinates.
  click.screenPoint =
      POINT{static_cast<int16_t>(LOWORD(screenPoint)), static_cast<int16_t>(HIWORD(screenPoint))};
  if (screenPoint == -1) {
    // From the keyboard: no entry, at the list's top left corner.
    click.screenPoint = POINT{0, 0};
    ClientToScreen(list, &click.screenPoint);
  } else {
    POINT inList = click.screenPoint;
    ScreenToClient(list, &inList);
    const HitResult hit = HitTestEntry(list, inList);
    click.index = hit.index;
    click.part = static_cast<HitPart>(hit.part);
  }
  const ChatListHandler call = state->rightClick;
  call(click);
  return true;
}

}  // namespace zorli
