#include "entry_painter.h"

#include <algorithm>
#include <string>

#include "chat_list_resources.h"
#include "chat_list_windows.h"
#include "entry_layout.h"
#include "entry_storage.h"
#include "platform/wide_text.h"
#include "scoped_gdi.h"
#include "scoped_graphics.h"

namespace zorli {
namespace {

constexpr COLORREF kBackground = 0xFFFFFF;
constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kBlack = 0x000000;
constexpr int kPointerWidth = 8;
constexpr UINT kContentFlags = DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL;
constexpr UINT kTipFlags = DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER | DT_CENTER;
constexpr UINT kTitleFlags = DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kCutMarkFlags = DT_NOPREFIX | DT_SINGLELINE | DT_CENTER | DT_BOTTOM;
constexpr char kCutMark[] = "\xA1\xAD\xA1\xAD";  // two ellipsis characters

void DrawGbkText(HDC dc, const char* text, const EntryRect& where, COLORREF colour, UINT flags) {
  const std::wstring wide = platform::ToWide(platform::CodePage::kGbk, TextOf(text));
  RECT box{where.left, where.top, where.right, where.bottom};
  const ScopedSelectObject font(dc, Resources().font);
  SetTextColor(dc, colour);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, flags);
}

void DrawWholeImage(GpGraphics* graphics, ImageHandle handle, const EntryRect& where) {
  auto* image = reinterpret_cast<GpImage*>(handle);
  if (image == nullptr) return;
  UINT width = 0, height = 0;
  gdip::GdipGetImageWidth(image, &width);
  gdip::GdipGetImageHeight(image, &height);
  gdip::GdipDrawImageRectRect(graphics, image, static_cast<float>(where.left),
                              static_cast<float>(where.top), static_cast<float>(where.Width()),
                              static_cast<float>(where.Height()), 0.0f, 0.0f,
                              static_cast<float>(width), static_cast<float>(height),
                              Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
}

// Bubble pieces are drawn with edge mirroring: without it a stretched piece samples
// transparent pixels beyond its source cell and shows a seam at its edge.
void DrawImagePart(GpGraphics* graphics, GpImage* image, float sx, float sy, float sw, float sh,
                   float dx, float dy, float dw, float dh) {
  gdip::GdipDrawImageRectRect(graphics, image, dx, dy, dw, dh, sx, sy, sw, sh, Gdiplus::UnitPixel,
                              Resources().bubbleEdgeMode, nullptr, nullptr);
}

// Bubble body at its natural size in one call, else stretched in nine pieces.
void DrawBubble(GpGraphics* graphics, const BubbleStyle& style, const EntryRect& bubble) {
  if (style.Image() == nullptr) return;
  if (bubble.Width() == static_cast<int32_t>(style.body.Width) &&
      bubble.Height() == static_cast<int32_t>(style.body.Height)) {
    DrawImagePart(graphics, style.Image(), style.body.X, style.body.Y, style.body.Width,
                  style.body.Height, static_cast<float>(bubble.left),
                  static_cast<float>(bubble.top), style.body.Width, style.body.Height);
  } else {
    DrawNineSlice(graphics, style.Image(), style.body, bubble.left, bubble.top, bubble.Width(),
                  bubble.Height(), style.inner);
  }
}

void DrawPointer(GpGraphics* graphics, const BubbleStyle& style, const EntryRect& bubble,
                 bool rightSide) {
  if (style.Image() == nullptr) return;
  const float height = static_cast<float>(style.height);
  if (rightSide)
    DrawImagePart(graphics, style.Image(), static_cast<float>(style.width - kPointerWidth), 0,
                  kPointerWidth, height, static_cast<float>(bubble.right - 1),
                  static_cast<float>(bubble.top), kPointerWidth, height);
  else
    DrawImagePart(graphics, style.Image(), 0, 0, kPointerWidth, height,
                  static_cast<float>(bubble.left - 7), static_cast<float>(bubble.top),
                  kPointerWidth, height);
}

void RestoreSmoothScaling(GpGraphics* graphics) {
  gdip::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
  gdip::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf);
}

// A picture inside the bubble, smoothly scaled into where; nothing when where is empty.
void DrawPicture(HDC dc, ImageHandle picture, const EntryRect& where) {
  if (where.Width() <= 0 || where.Height() <= 0) return;
  if (const ScopedGraphics graphics(dc); graphics.Get() != nullptr) {
    RestoreSmoothScaling(graphics.Get());
    DrawWholeImage(graphics.Get(), picture, where);
  }
}

void DrawTip(HDC dc, const ChatEntry& entry) {
  const BubbleStyle& tip = Resources().tipStyle;
  if (const ScopedGraphics graphics(dc); graphics.Get() != nullptr)
    DrawBubble(graphics.Get(), tip, entry.bubbleRect);
  SetBkMode(dc, TRANSPARENT);
  if (HasText(entry.content))
    DrawGbkText(dc, entry.content, entry.contentRect, tip.textColour, kTipFlags);
}

// An entry taller than a list box item is shown cut at the item's bottom: the bubble
// closes above the cut, whole text lines only, and a mark says that text is missing.
struct VisiblePart {
  EntryRect bubble;
  EntryRect content;
  bool cut = false;
};

VisiblePart VisibleMessagePart(const ChatEntry& entry, int32_t itemHeight) {
  VisiblePart part{entry.bubbleRect, entry.contentRect, false};
  const int32_t bubbleBottom = itemHeight - 5;
  if (entry.bubbleRect.bottom <= bubbleBottom) return part;
  part.cut = true;
  part.bubble.bottom = bubbleBottom;
  const int32_t lineHeight = std::max(Resources().lineHeight, 1);
  const int32_t room =
      bubbleBottom - lineHeight - entry.contentRect.top;  // keep one line for the mark
  part.content.bottom = entry.contentRect.top + std::max(room / lineHeight, 0) * lineHeight;
  return part;
}

void DrawMessage(HDC dc, const ChatEntry& entry, int32_t itemHeight) {
  const BubbleStyle* style = StyleForIndex(entry.bubbleStyle);
  const VisiblePart visible = VisibleMessagePart(entry, itemHeight);
  if (const ScopedGraphics scoped(dc); GpGraphics* graphics = scoped.Get()) {
    RestoreSmoothScaling(graphics);
    const ImageHandle avatar =
        entry.avatar != 0 ? entry.avatar : Resources().defaultAvatar.Handle();
    DrawWholeImage(graphics, avatar, entry.avatarRect);
    if (style != nullptr) {
      DrawBubble(graphics, *style, visible.bubble);
      DrawPointer(graphics, *style, visible.bubble, entry.rightSide != 0);
    }
  }
  SetBkMode(dc, TRANSPARENT);

  if (HasText(entry.nickname) && entry.nicknameRect.Width() > 0) {
    const UINT side = entry.rightSide ? DT_TOP | DT_RIGHT : DT_LEFT;
    DrawGbkText(dc, entry.nickname, entry.nicknameRect, kGrey, kTitleFlags | side);
  }

  switch (entry.kind) {
    case kEntryPicture:
      if (entry.picture != 0) DrawPicture(dc, entry.picture, entry.pictureRect);
      break;
    case kEntryCard: {
      const ImageHandle picture =
          entry.picture != 0 ? entry.picture : Resources().defaultCardPicture.Handle();
      DrawPicture(dc, picture, entry.pictureRect);
      if (HasText(entry.title) && entry.titleRect.Width() > 0)
        DrawGbkText(dc, entry.title, entry.titleRect, kBlack, kTitleFlags);
      if (HasText(entry.content) && entry.contentRect.Width() > 0)
        DrawGbkText(dc, entry.content, entry.contentRect, kGrey, kContentFlags);
      break;
    }
    default:
      if (HasText(entry.content) && visible.content.Width() > 0)
        DrawGbkText(dc, entry.content, visible.content,
                    style != nullptr ? style->textColour : kBlack, kContentFlags);
      if (visible.cut) {
        EntryRect mark = visible.bubble;
        mark.bottom -= 2;
        DrawGbkText(dc, kCutMark, mark, kGrey, kCutMarkFlags);
      }
      break;
  }
}

}  // namespace

void DrawNineSlice(GpGraphics* graphics, GpImage* image, const Gdiplus::RectF& source, int x, int y,
                   int width, int height, const RECT& inner) {
  const int sx = static_cast<int>(source.X), sy = static_cast<int>(source.Y);
  const int sw = static_cast<int>(source.Width), sh = static_cast<int>(source.Height);
  const int c0 = inner.left - sx, c2 = sx + sw - inner.right, c1 = sw - c0 - c2;
  const int r0 = inner.top - sy, r2 = sy + sh - inner.bottom, r1 = sh - r0 - r2;
  const int sourceX[3] = {sx, sx + c0, sx + sw - c2};
  const int sourceW[3] = {c0, c1, c2};
  const int sourceY[3] = {sy, static_cast<int>(inner.top), static_cast<int>(inner.bottom)};
  const int sourceH[3] = {r0, r1, r2};
  const int targetX[3] = {x, x + c0, x + width - c2};
  const int targetW[3] = {c0, width - c0 - c2, c2};
  const int targetY[3] = {y, y + r0, y + height - r2};
  const int targetH[3] = {r0, height - r0 - r2, r2};
  // GDI+ leaves the first pixel of a stretched piece empty, so the middle column and row
  // also take in their neighbour's last pixel (which they then cover with the same colour).
  const int growX[3] = {0, c0 > 0 ? 1 : 0, 0};
  const int growY[3] = {0, r0 > 0 ? 1 : 0, 0};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      const int gx = growX[column], gy = growY[row];
      DrawImagePart(graphics, image, static_cast<float>(sourceX[column] - gx),
                    static_cast<float>(sourceY[row] - gy), static_cast<float>(sourceW[column] + gx),
                    static_cast<float>(sourceH[row] + gy), static_cast<float>(targetX[column] - gx),
                    static_cast<float>(targetY[row] - gy), static_cast<float>(targetW[column] + gx),
                    static_cast<float>(targetH[row] + gy));
    }
}

void PaintEntry(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const auto index = static_cast<int32_t>(item.itemID);
  LPARAM block = static_cast<LPARAM>(item.itemData);
  if (block == 0) block = EntryBlockAt(item.hwndItem, index);
  ChatEntry entry;
  if (!ReadEntry(block, entry)) return;

  const RECT& rect = item.rcItem;
  const int32_t width = rect.right - rect.left;
  const int32_t height = rect.bottom - rect.top;
  if (!LayoutFits(entry, width, height)) {
    RelayoutItem(item.hwndItem, index, entry, &rect);
    return;
  }

  DrawSurface& surface = Resources().paintSurface;
  if (!surface.Prepare(item.hDC, width, height)) return;
  surface.Fill(kBackground);
  if (entry.kind == kEntryTip)
    DrawTip(surface.Dc(), entry);
  else
    DrawMessage(surface.Dc(), entry, height);
  surface.CopyTo(item.hDC, rect.left, rect.top);
}

}  // namespace zorli
