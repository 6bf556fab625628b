#pragma once
// A picture decoded by GDI+ from bytes held in memory. The bytes and the stream over
// them live as long as the image, since GDI+ may read the stream again while drawing.
#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <cstdint>

#include "gbk_text.h"
#include "image_handle.h"

namespace zorli {

class Picture {
 public:
  Picture() = default;
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  void Release();
  // Fails for 4 bytes or fewer and for bytes GDI+ cannot decode; leaves the picture empty then.
  bool LoadFromBytes(const void* bytes, size_t count);
  bool LoadFromFile(const GbkText& fileName);
  int32_t Width();
  int32_t Height();
  // Fetches the pixel size once; a picture with a zero side is released.
  void Size();
  // The image as chat entries take it; 0 when nothing is loaded.
  ImageHandle Handle() const;

 private:
  HGLOBAL memory_ = nullptr;
  IStream* stream_ = nullptr;
  void* image_ = nullptr;  // GpImage*
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace zorli
