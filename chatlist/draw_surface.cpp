#include "draw_surface.h"

#include "scoped_gdi.h"

namespace zorli {

bool DrawSurface::Prepare(HDC reference, int32_t width, int32_t height) {
  if (dc_ == nullptr) {
    dc_ = CreateCompatibleDC(reference);
    if (dc_ == nullptr) return false;
    bitmap_ = CreateCompatibleBitmap(reference, width, height);
    if (bitmap_ == nullptr) {
      DeleteDC(dc_);
      dc_ = nullptr;
      return false;
    }
    previous_ = SelectObject(dc_, bitmap_);
  } else if (width != width_ || height != height_) {
    // Made like the first one, from the reference: the surface's own context would pass on
    // the format of its current bitmap, and a first size of 0 leaves that one monochrome.
    HBITMAP replacement = CreateCompatibleBitmap(reference, width, height);
    if (replacement == nullptr) return false;
    SelectObject(dc_, replacement);
    DeleteObject(bitmap_);
    bitmap_ = replacement;
  }
  width_ = width;
  height_ = height;
  return true;
}

bool DrawSurface::PrepareForScreen(int32_t width, int32_t height) {
  const ScopedWindowDc screen(nullptr);
  return Prepare(screen.Get(), width, height);
}

void DrawSurface::Fill(COLORREF colour) {
  const RECT all{0, 0, width_, height_};
  SetBkColor(dc_, colour);
  ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &all, L"", 0, nullptr);
}

void DrawSurface::CopyTo(HDC target, int32_t x, int32_t y) const {
  BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

void DrawSurface::Release() {
  if (dc_ != nullptr) {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace zorli
