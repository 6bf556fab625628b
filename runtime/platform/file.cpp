#include "file.h"

#include <utility>

// Ownership of the handle is the same on every platform; only close() differs.
namespace zorli::platform {

File::~File() { close(); }

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), writable_(other.writable_) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, -1);
    writable_ = other.writable_;
  }
  return *this;
}

}  // namespace zorli::platform
