#pragma once
// The chat list's program-wide resources, shared by every list: cursors, font, GDI+, the
// two window classes, bubble styles, built-in pictures, the measuring surface and the
// vertical padding; and how a card's link is opened.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>

#include "bubble_style.h"
#include "draw_surface.h"
#include "gbk_text.h"
#include "gdiplus_api.h"
#include "picture.h"

namespace zorli {

// The part of the shared resources that could not be set up.
enum class ChatListPart { kNone, kGraphics, kWindowClasses, kMeasuringSurface };

struct ChatListSetup {
  ChatListPart failed = ChatListPart::kNone;
  uint32_t code = 0;  // the system's reason: GetLastError, or the GDI+ status
  explicit operator bool() const { return failed == ChatListPart::kNone; }
};

// Once, before the first chat list window. A part that fails is reported and everything
// set up before it is released again. A built-in picture that cannot be decoded is no
// failure: it is drawn as nothing.
[[nodiscard]] ChatListSetup InitChatListStyles();
// Ends GDI+, releases the pictures and unregisters the classes; for program end, after
// every chat list window is gone.
void ShutdownChatListStyles();

// Number of bubble styles; entries use indices 0 to count - 1.
int32_t BubbleStyleCount();
// Appends a bubble style decoded from a picture; its index, or -1 when the bytes are no picture.
int32_t AddBubbleStyle(const void* bytes, size_t count, COLORREF textColour);
// The style an entry is drawn with: its own, or style 0 when the index is out of range.
const BubbleStyle* StyleForIndex(int32_t index);
// Vertical padding that centres one line of text in a 40-pixel bubble.
int32_t VerticalTextPadding();

// How a card's link is opened: ShellExecuteA(owner, "OPEN", link, ...) unless replaced.
using LinkOpener = std::function<void(HWND owner, const GbkText& link)>;
// An empty function restores the shell.
void SetChatListLinkOpener(LinkOpener opener);
// Opens a card link with the shell, or with the opener a test put in its place.
void OpenLink(HWND owner, const GbkText& link);

struct ChatListResources {
  HINSTANCE instance = nullptr;
  HCURSOR arrowCursor = nullptr;
  HCURSOR handCursor = nullptr;
  HFONT font = nullptr;
  ULONG_PTR gdiplusToken = 0;  // 0 while GDI+ is not running
  WNDPROC listBoxProc = nullptr;
  ATOM listClass = 0;  // the classes as registered here; 0 when not
  ATOM frameClass = 0;
  BubbleStyle tipStyle;
  // A deque: styles never move, so the pictures they hold need not be movable.
  std::deque<BubbleStyle> bubbleStyles;
  Picture defaultAvatar;
  Picture defaultCardPicture;
  DrawSurface measuringSurface;
  DrawSurface paintSurface;  // reused for every item
  DrawSurface listSurface;   // the whole visible list, composed before it is shown
  Gdiplus::GpImageAttributes* bubbleEdgeMode = nullptr;
  int32_t lineHeight = 0;
  int32_t padding = 0;
  LinkOpener linkOpener;
};

ChatListResources& Resources();

}  // namespace zorli
