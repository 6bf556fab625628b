#pragma once
// A GDI+ graphics object drawing on a device context, deleted when it goes out of scope.
#include "gdiplus_api.h"

namespace zorli {

class ScopedGraphics {
 public:
  explicit ScopedGraphics(HDC dc) {
    if (gdip::GdipCreateFromHDC(dc, &graphics_) != Gdiplus::Ok) graphics_ = nullptr;
  }
  ~ScopedGraphics() {
    if (graphics_ != nullptr) gdip::GdipDeleteGraphics(graphics_);
  }
  ScopedGraphics(const ScopedGraphics&) = delete;
  ScopedGraphics& operator=(const ScopedGraphics&) = delete;

  // nullptr when GDI+ could not draw on the context.
  GpGraphics* Get() const { return graphics_; }

 private:
  GpGraphics* graphics_ = nullptr;
};

}  // namespace zorli
