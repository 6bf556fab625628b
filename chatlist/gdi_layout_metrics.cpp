#include "gdi_layout_metrics.h"

#include <string>

#include "gdiplus_api.h"
#include "platform/wide_text.h"

namespace zorli {

TextExtent GdiLayoutMetrics::MeasureText(const char* gbk, int32_t boxWidth, int32_t boxHeight,
                                         MeasureMode mode) {
  const std::wstring text = platform::ToWide(platform::CodePage::kGbk, TextOf(gbk));
  RECT box{0, 0, boxWidth, boxHeight};
  // NUL-terminated (-1) rather than counted: an empty text then measures as the ANSI call
  // does (no line when wrapping), where a count of 0 would report one line.
  const UINT flags = mode == MeasureMode::kWrapped ? kMeasureWrappedFlags : kMeasureSingleLineFlags;
  DrawTextW(dc_, text.c_str(), -1, &box, flags);
  return TextExtent{box.right - box.left, box.bottom - box.top};
}

TextExtent GdiLayoutMetrics::ImageSize(ImageHandle image) {
  UINT width = 0, height = 0;
  auto* gpImage = reinterpret_cast<GpImage*>(image);
  if (gdip::GdipGetImageWidth(gpImage, &width) != Gdiplus::Ok) width = 0;
  if (gdip::GdipGetImageHeight(gpImage, &height) != Gdiplus::Ok) height = 0;
  return TextExtent{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

}  // namespace zorli
