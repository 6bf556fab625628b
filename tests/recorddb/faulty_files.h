#pragma once
// The disk's files for the record database, until a test makes them fail: from a chosen
// change on, every write (and every change of a file's length) meets a full disk, an I/O
// error or a short write.
#include <cstdint>
#include <memory>
#include <string>

#include "database_files.h"
#include "platform/file_system.h"

namespace zorli::testing {

enum class Fault {
  DiskFull,    // half of the bytes are stored, then DiskFull; a file cannot grow
  IoError,     // nothing is stored: HardwareFault
  ShortWrite,  // half of the bytes are stored, and no error is reported
};

class FaultyFiles : public platform::FileSystem {
 public:
  FaultyFiles() { edb::SetDatabaseFiles(this); }
  ~FaultyFiles() override { edb::SetDatabaseFiles(nullptr); }
  FaultyFiles(const FaultyFiles&) = delete;
  FaultyFiles& operator=(const FaultyFiles&) = delete;

  // Changes before the failing one succeed; changesBefore 0 fails the next one.
  void failFrom(int changesBefore, Fault fault) {
    changesLeft_ = changesBefore;
    fault_ = fault;
  }
  void heal() { changesLeft_ = -1; }

  platform::FileError open(const std::string& path, bool writable, platform::FileSharing sharing,
                           std::unique_ptr<platform::RandomAccessFile>& file) override {
    const platform::FileError error =
        platform::diskFileSystem().open(path, writable, sharing, file);
    if (file) file = std::make_unique<Faulty>(*this, std::move(file));
    return error;
  }
  platform::FileError create(const std::string& path,
                             std::unique_ptr<platform::RandomAccessFile>& file) override {
    const platform::FileError error = platform::diskFileSystem().create(path, file);
    if (file) file = std::make_unique<Faulty>(*this, std::move(file));
    return error;
  }

 private:
  // True when this change is to fail.
  bool failsNow() {
    if (changesLeft_ < 0) return false;
    if (changesLeft_ == 0) return true;
    --changesLeft_;
    return false;
  }

  class Faulty : public platform::RandomAccessFile {
   public:
    Faulty(FaultyFiles& owner, std::unique_ptr<platform::RandomAccessFile> disk)
        : owner_(owner), disk_(std::move(disk)) {}
    platform::FileError readAt(uint64_t offset, void* buffer, size_t size,
                               size_t& bytesRead) override {
      return disk_->readAt(offset, buffer, size, bytesRead);
    }
    platform::FileError writeAt(uint64_t offset, const void* data, size_t size,
                                size_t& bytesWritten) override {
      if (!owner_.failsNow()) return disk_->writeAt(offset, data, size, bytesWritten);
      bytesWritten = 0;
      if (owner_.fault_ == Fault::IoError) return platform::FileError::HardwareFault;
      const platform::FileError error = disk_->writeAt(offset, data, size / 2, bytesWritten);
      if (error != platform::FileError::None) return error;
      return owner_.fault_ == Fault::DiskFull ? platform::FileError::DiskFull
                                              : platform::FileError::None;
    }
    platform::FileError length(uint64_t& size) override { return disk_->length(size); }
    platform::FileError truncate(uint64_t size) override {
      uint64_t now = 0;
      if (disk_->length(now) != platform::FileError::None || !owner_.failsNow()) {
        return disk_->truncate(size);
      }
      switch (owner_.fault_) {
        case Fault::DiskFull:
          return size > now ? platform::FileError::DiskFull : disk_->truncate(size);
        case Fault::IoError: return platform::FileError::HardwareFault;
        case Fault::ShortWrite: break;
      }
      return disk_->truncate(size);
    }
    platform::FileError lock(uint64_t offset, uint64_t length) override {
      return disk_->lock(offset, length);
    }
    platform::FileError unlock(uint64_t offset, uint64_t length) override {
      return disk_->unlock(offset, length);
    }

   private:
    FaultyFiles& owner_;
    std::unique_ptr<platform::RandomAccessFile> disk_;
  };

  int changesLeft_ = -1;  // -1: nothing fails
  Fault fault_ = Fault::DiskFull;
};

}  // namespace zorli::testing
