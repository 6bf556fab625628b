#pragma once
// The GDI+ flat API, reached without the C++ wrapper classes.
#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

namespace zorli {
namespace gdip = Gdiplus::DllExports;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
}  // namespace zorli
