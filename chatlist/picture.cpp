#include "picture.h"

#include <cstring>

#include "gdiplus_api.h"
#include "platform/wide_text.h"

namespace zorli {
namespace {

// Copies the bytes into a movable block, opens a stream on it and decodes from that.
// On failure everything made so far is released and all three outputs are empty.
bool DecodeFromBytes(const void* bytes, size_t count, HGLOBAL& memory, IStream*& stream,
                     GpImage*& image) {
  memory = nullptr;
  stream = nullptr;
  image = nullptr;
  if (bytes == nullptr || count <= 4) return false;
  memory = GlobalAlloc(GMEM_MOVEABLE, count);
  if (memory == nullptr) return false;
  if (CreateStreamOnHGlobal(memory, FALSE, &stream) != S_OK) stream = nullptr;
  void* target = stream != nullptr ? GlobalLock(memory) : nullptr;
  if (target != nullptr) {
    std::memcpy(target, bytes, count);
    GlobalUnlock(memory);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gdip::GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok) image = bitmap;
  }
  if (image != nullptr) return true;
  if (stream != nullptr) stream->Release();
  GlobalFree(memory);
  memory = nullptr;
  stream = nullptr;
  return false;
}

}  // namespace

Picture::~Picture() { Release(); }

void Picture::Release() {
  if (image_ != nullptr) gdip::GdipDisposeImage(static_cast<GpImage*>(image_));
  if (stream_ != nullptr) stream_->Release();
  if (memory_ != nullptr) GlobalFree(memory_);
  image_ = nullptr;
  stream_ = nullptr;
  memory_ = nullptr;
  width_ = height_ = 0;
}

bool Picture::LoadFromBytes(const void* bytes, size_t count) {
  Release();
  GpImage* image = nullptr;
  const bool loaded = DecodeFromBytes(bytes, count, memory_, stream_, image);
  image_ = image;
  return loaded;
}

bool Picture::LoadFromFile(const GbkText& fileName) {
  Release();
  if (fileName.empty()) return false;
  const std::wstring wideName = platform::ToWide(platform::CodePage::kAnsi, fileName);
  GpImage* image = nullptr;
  if (gdip::GdipLoadImageFromFile(wideName.c_str(), &image) != Gdiplus::Ok) image = nullptr;
  image_ = image;
  return image_ != nullptr;
}

int32_t Picture::Width() {
  if (width_ == 0) Size();
  return width_;
}

int32_t Picture::Height() {
  if (height_ == 0) Size();
  return height_;
}

void Picture::Size() {
  if (image_ == nullptr || (width_ != 0 && height_ != 0)) return;
  UINT width = 0, height = 0;
  gdip::GdipGetImageWidth(static_cast<GpImage*>(image_), &width);
  gdip::GdipGetImageHeight(static_cast<GpImage*>(image_), &height);
  if (width == 0 || height == 0) {
    Release();
    return;
  }
  width_ = static_cast<int32_t>(width);
  height_ = static_cast<int32_t>(height);
}

ImageHandle Picture::Handle() const { return reinterpret_cast<ImageHandle>(image_); }

}  // namespace zorli
