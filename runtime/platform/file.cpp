#include "file.h"

#include <utility>

// Ownership of the handle is the same on every platform; only close() differs. The disk's
// file system hands out File objects.
namespace zorli::platform {
namespace {

class DiskFileSystem final : public FileSystem {
 public:
  FileError open(const std::string& path, bool writable, FileSharing sharing,
                 std::unique_ptr<RandomAccessFile>& file) override {
    auto opened = std::make_unique<File>();
    const FileError error = opened->open(path, writable, sharing);
    if (error == FileError::None) file = std::move(opened);
    return error;
  }
  FileError create(const std::string& path, std::unique_ptr<RandomAccessFile>& file) override {
    auto created = std::make_unique<File>();
    const FileError error = created->create(path);
    if (error == FileError::None) file = std::move(created);
    return error;
  }
};

}  // namespace

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

FileSystem& diskFileSystem() {
  static DiskFileSystem disk;
  return disk;
}

}  // namespace zorli::platform
