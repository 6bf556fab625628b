#pragma once
// An off-screen bitmap with its own device context, for composing items and measuring text.
#include <windows.h>

#include <cstdint>

namespace zorli {

class DrawSurface {
 public:
  DrawSurface() = default;
  ~DrawSurface() { Release(); }
  DrawSurface(const DrawSurface&) = delete;
  DrawSurface& operator=(const DrawSurface&) = delete;

  // The first call makes a device context and bitmap compatible with the reference; later
  // calls swap in a new bitmap, also compatible with the reference, only when the size changes.
  bool Prepare(HDC reference, int32_t width, int32_t height);
  bool PrepareForScreen(int32_t width, int32_t height);
  void Fill(COLORREF colour);
  void CopyTo(HDC target, int32_t x, int32_t y) const;
  void Release();

  HDC Dc() const { return dc_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace zorli
