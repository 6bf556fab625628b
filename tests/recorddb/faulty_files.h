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
  kDiskFull,    // half of the bytes are stored, then DiskFull; a file cannot grow
  kIoError,     // nothing is stored: HardwareFault
  kShortWrite,  // half of the bytes are stored, and no error is reported
};

class FaultyFiles : public platform::FileSystem {
 public:
  FaultyFiles() { edb::SetDatabaseFiles(this); }
  ~FaultyFiles() override { edb::SetDatabaseFiles(nullptr); }
  FaultyFiles(const FaultyFiles&) = delete;
  FaultyFiles& operator=(const FaultyFiles&) = delete;

  // Changes before the failing one succeed; changesBefore 0 fails the next one.
  void FailFrom(int changesBefore, Fault fault) {
    changesLeft_ = changesBefore;
    fault_ = fault;
  }
  void Heal() { changesLeft_ = -1; }

  platform::FileError Open(const std::string& path, bool writable, platform::FileSharing sharing,
                           std::unique_ptr<platform::RandomAccessFile>& file) override {
    const platform::FileError error =
        platform::DiskFileSystem().Open(path, writable, sharing, file);
    if (file) file = std::make_unique<Faulty>(*this, std::move(file));
    return error;
  }
  platform::FileError Create(const std::string& path,
                             std::unique_ptr<platform::RandomAccessFile>& file) override {
    const platform::FileError error = platform::DiskFileSystem().Create(path, file);
    if (file) file = std::make_unique<Faulty>(*this, std::move(file));
    return error;
  }

 private:
  // True when this change is to fail.
  bool FailsNow() {
    if (changesLeft_ < 0) return false;
    if (changesLeft_ == 0) return true;
    --changesLeft_;
    return false;
  }

  class Faulty : public platform::RandomAccessFile {
   public:
    Faulty(FaultyFiles& owner, std::unique_ptr<platform::RandomAccessFile> disk)
        : owner_(owner), disk_(std::move(disk)) {}
    platform::FileError ReadAt(uint64_t offset, void* buffer, size_t size,
                               size_t& bytesRead) override {
      return disk_->ReadAt(offset, buffer, size, bytesRead);
    }
    platform::FileError WriteAt(uint64_t offset, const void* data, size_t size,
                                size_t& bytesWritten) override {
      if (!owner_.FailsNow()) return disk_->WriteAt(offset, data, size, bytesWritten);
      bytesWritten = 0;
      if (owner_.fault_ == Fault::kIoError) return platform::FileError::kHardwareFault;
      const platform::FileError error = disk_->WriteAt(offset, data, size / 2, bytesWritten);
      if (error != platform::FileError::kNone) return error;
      return owner_.fault_ == Fault::kDiskFull ? platform::FileError::kDiskFull
                                               : platform::FileError::kNone;
    }
    platform::FileError Length(uint64_t& size) override { return disk_->Length(size); }
    platform::FileError Truncate(uint64_t size) override {
      uint64_t now = 0;
      if (disk_->Length(now) != platform::FileError::kNone || !owner_.FailsNow()) {
        return disk_->Truncate(size);
      }
      switch (owner_.fault_) {
        case Fault::kDiskFull:
          return size > now ? platform::FileError::kDiskFull : disk_->Truncate(size);
        case Fault::kIoError: return platform::FileError::kHardwareFault;
        case Fault::kShortWrite: break;
      }
      return disk_->Truncate(size);
    }
    platform::FileError Lock(uint64_t offset, uint64_t length) override {
      return disk_->Lock(offset, length);
    }
    platform::FileError Unlock(uint64_t offset, uint64_t length) override {
      return disk_->Unlock(offset, length);
    }

   private:
    FaultyFiles& owner_;
    std::unique_ptr<platform::RandomAccessFile> disk_;
  };

  int changesLeft_ = -1;  // -1: nothing fails
  Fault fault_ = Fault::kDiskFull;
};

}  // namespace zorli::testing
