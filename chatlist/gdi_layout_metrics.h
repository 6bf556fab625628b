#pragma once
// Layout measurements taken with GDI on the shared measuring surface and with GDI+.
#include <windows.h>

#include "entry_layout.h"

namespace zorli {

constexpr UINT kMeasureWrappedFlags = DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT;
constexpr UINT kMeasureSingleLineFlags = DT_NOPREFIX | DT_SINGLELINE | DT_CALCRECT;

class GdiLayoutMetrics : public LayoutMetrics {
 public:
  explicit GdiLayoutMetrics(HDC dc) : dc_(dc) {}
  TextExtent MeasureText(const char* gbk, int32_t boxWidth, int32_t boxHeight,
                         MeasureMode mode) override;
  TextExtent ImageSize(ImageHandle image) override;

 private:
  HDC dc_;
};

}  // namespace zorli
