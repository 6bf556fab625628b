#include "bubble_style.h"

namespace zorli {

bool BubbleStyle::Load(const void* bytes, size_t count, COLORREF colour) {
  Release();
  if (!picture.LoadFromBytes(bytes, count)) return false;
  width = picture.Width();
  height = picture.Height();
  body = Gdiplus::RectF(10.0f, 0.0f, static_cast<float>(width - 20), static_cast<float>(height));
  const LONG innerLeft = static_cast<LONG>(body.X) + 10;
  const LONG innerTop = static_cast<LONG>(body.Y) + 10;
  inner = RECT{innerLeft, innerTop, innerLeft + 20, innerTop + 20};
  textColour = colour;
  return true;
}

void BubbleStyle::Release() {
  picture.Release();
  textColour = 0;
  width = height = 0;
  body = Gdiplus::RectF();
  inner = RECT{};
}

}  // namespace zorli
