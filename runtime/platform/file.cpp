#include "file.h"

#include <utility>

// Ownership of the handle is the same on every platform; only Close() differs. The disk's
// file system hands out File objects.
namespace zorli::platform {
namespace {

class DiskFiles final : public FileSystem {
 public:
  FileError Open(const std::string& path, bool writable, FileSharing sharing,
                 std::unique_ptr<RandomAccessFile>& file) override {
    auto opened = std::make_unique<File>();
    const FileError error = opened->Open(path, writable, sharing);
    if (error == FileError::kNone) file = std::move(opened);
    return error;
  }
  FileError Create(const std::string& path, std::unique_ptr<RandomAccessFile>& file) override {
    auto created = std::make_unique<File>();
    const FileError error = created->Create(path);
    if (error == FileError::kNone) file = std::move(created);
    return error;
  }
};

}  // namespace

File::~File() { Close(); }

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), writable_(other.writable_) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, -1);
    writable_ = other.writable_;
  }
  return *this;
}

FileSystem& DiskFileSystem() {
  static DiskFiles disk;
  return disk;
}

}  // namespace zorli::platform
