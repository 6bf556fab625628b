#pragma once
// A bubble picture prepared for nine-slice stretching, with the colour of the text in it.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "gdiplus_api.h"
#include "picture.h"

namespace zorli {

struct BubbleStyle {
  // Decodes the picture and derives its regions; false, with nothing loaded, when the
  // bytes are no picture.
  bool Load(const void* bytes, size_t count, COLORREF colour);
  void Release();
  GpImage* Image() const { return reinterpret_cast<GpImage*>(picture.Handle()); }

  COLORREF textColour = 0;
  Picture picture;
  int32_t width = 0;
  int32_t height = 0;
  Gdiplus::RectF body;  // the picture without its pointer columns
  RECT inner{};         // the stretchable centre, in picture pixels
};

}  // namespace zorli
