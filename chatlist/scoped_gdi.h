#pragma once
// Guards for the GDI pairs that are otherwise written by hand: an object and its
// DeleteObject, a selection and its restore, GetDC and ReleaseDC. Each undoes its pair
// when it goes out of scope, on every path.
#include <windows.h>

namespace zorli {

// Owns a pen, brush, font or bitmap; nullptr when its creation failed.
template <typename Handle>
class ScopedGdiObject {
 public:
  explicit ScopedGdiObject(Handle object) : object_(object) {}
  ~ScopedGdiObject() {
    if (object_ != nullptr) DeleteObject(object_);
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

  Handle Get() const { return object_; }

 private:
  Handle object_;
};

// Selects object into dc and selects the previous one back. Declared after the object it
// selects, so that it is undone first.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelectObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The device context of a window's client area (nullptr: the screen).
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;

  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace zorli
