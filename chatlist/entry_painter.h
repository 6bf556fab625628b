#pragma once
// Paints one list box item: composed off-screen, then copied in one BitBlt.
#include <windows.h>

#include "gdiplus_api.h"

namespace zorli {

// Handles WM_DRAWITEM for the frame window.
void PaintEntry(const DRAWITEMSTRUCT& item);

// Draws a region of the image stretched to the destination in nine pieces: corners keep
// their size, edges stretch in one direction, the centre in both. inner is the stretchable
// centre in image pixels.
void DrawNineSlice(GpGraphics* graphics, GpImage* image, const Gdiplus::RectF& source, int x, int y,
                   int width, int height, const RECT& inner);

}  // namespace zorli
