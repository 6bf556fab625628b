#pragma once
// How the chat list and its users pass an image around.
#include <cstdint>

namespace zorli {

// A GDI+ image (GpImage*) passed around as a number; 0 asks for the default picture.
using ImageHandle = uintptr_t;

}  // namespace zorli
