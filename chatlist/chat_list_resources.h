#pragma once
// The chat list's program-wide resources as the windows and the painter use them.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "chat_list_styles.h"
#include "draw_surface.h"
#include "gdiplus_api.h"
#include "picture.h"

namespace zorli {

// A bubble picture prepared for nine-slice stretching.
struct BubbleStyle {
  COLORREF textColour = 0;
  GpImage* image = nullptr;
  HGLOBAL memory = nullptr;
  IStream* stream = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  Gdiplus::RectF body;  // the picture without its pointer columns
  RECT inner{};         // the stretchable centre, in picture pixels
};

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
  std::vector<BubbleStyle> bubbleStyles;
  Picture defaultAvatar;
  Picture defaultCardPicture;
  DrawSurface measuringSurface;
  DrawSurface paintSurface;  // reused for every item
  Gdiplus::GpImageAttributes* bubbleEdgeMode = nullptr;
  int32_t lineHeight = 0;
  int32_t padding = 0;
  LinkOpener linkOpener;
};

ChatListResources& Resources();

// Copies the bytes into a movable block, opens a stream on it and decodes from that. On
// failure everything made so far is released and all three outputs are empty.
bool DecodeFromBytes(const void* bytes, size_t count, HGLOBAL& memory, IStream*& stream, GpImage*& image);

// Opens a card link with the shell, or with the opener a test put in its place.
void OpenLink(HWND owner, const GbkText& link);

// The style an entry is drawn with: its own, or style 0 when the index is out of range.
const BubbleStyle* StyleForIndex(int32_t index);

}  // namespace zorli
