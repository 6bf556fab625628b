#include "byte_locks.h"

#include <algorithm>

#include "ciphered_file.h"
#include "platform/platform.h"

namespace zorli::edb {
namespace {

thread_local int32_t lockWaitLimit = 0;

}  // namespace

int32_t LockWaitLimit() { return lockWaitLimit; }

ScopedLockWait::ScopedLockWait(int32_t milliseconds) : previous_(lockWaitLimit) {
  lockWaitLimit = milliseconds;
}

ScopedLockWait::~ScopedLockWait() { lockWaitLimit = previous_; }

ErrorCode LockRange(platform::RandomAccessFile& file, uint64_t offset, uint64_t length) {
  const uint32_t start = platform::tickCount();
  for (;;) {
    const platform::FileError error = file.lock(offset, length);
    const bool contended = error == platform::FileError::LockViolation ||
                           error == platform::FileError::SharingViolation;
    if (!contended || platform::tickCount() - start >= static_cast<uint32_t>(lockWaitLimit)) {
      return FileErrorCode(error);
    }
    platform::sleepMilliseconds(static_cast<int32_t>(20 + platform::tickCount() % 20));
  }
}

ErrorCode UnlockRange(platform::RandomAccessFile& file, uint64_t offset, uint64_t length) {
  return FileErrorCode(file.unlock(offset, length));
}

std::vector<LockTable::Entry>::iterator LockTable::find(int64_t position) {
  return std::find_if(entries_.begin(), entries_.end(),
                      [position](const Entry& e) { return e.position == position; });
}

bool LockTable::holds(int64_t position) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [position](const Entry& e) { return e.position == position; });
}

bool LockTable::holdsWholeFile() const { return holds(kWholeFile); }

ErrorCode LockTable::lock(platform::RandomAccessFile& file, int64_t position) {
  if (noLock_) return kOk;
  const auto existing = find(position);
  if (existing != entries_.end()) {
    ++existing->extraHolds;
    return kOk;
  }
  if (!holdsWholeFile()) {
    if (position == kWholeFile) {
      // A byte that stays locked makes the whole-file lock below fail, which is reported.
      for (const Entry& e : entries_) {
        static_cast<void>(UnlockRange(file, static_cast<uint64_t>(e.position), 1));
      }
      const ErrorCode code = LockRange(file, 0, kWholeFileLength);
      if (code != kOk) {
        entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                      [&file](const Entry& e) {
                                        return LockRange(file, static_cast<uint64_t>(e.position),
                                                         1) != kOk;
                                      }),
                       entries_.end());
        return code;
      }
    } else {
      const ErrorCode code = LockRange(file, static_cast<uint64_t>(position), 1);
      if (code != kOk) return code;
    }
  }
  entries_.push_back({position, 0});
  return kOk;
}

ErrorCode LockTable::unlock(platform::RandomAccessFile& file, int64_t position) {
  if (noLock_) return kOk;
  const auto entry = find(position);
  if (entry == entries_.end()) return kUnlockFailed;
  if (entry->extraHolds > 0) {
    --entry->extraHolds;
    return kOk;
  }
  entries_.erase(entry);
  if (position == kWholeFile) {
    const ErrorCode code = UnlockRange(file, 0, kWholeFileLength);
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&file](const Entry& e) {
                                    return LockRange(file, static_cast<uint64_t>(e.position), 1) !=
                                           kOk;
                                  }),
                   entries_.end());
    return code;
  }
  if (holdsWholeFile()) return kOk;
  return UnlockRange(file, static_cast<uint64_t>(position), 1);
}

void LockTable::releaseAll(platform::RandomAccessFile& file) {
  // The file closes next, and its locks go with it even where an unlock fails.
  if (holdsWholeFile()) {
    static_cast<void>(UnlockRange(file, 0, kWholeFileLength));
  } else {
    for (const Entry& e : entries_) {
      static_cast<void>(UnlockRange(file, static_cast<uint64_t>(e.position), 1));
    }
  }
  entries_.clear();
}

ScopedLock& ScopedLock::operator=(ScopedLock&& other) noexcept {
  if (this != &other) {
    release();
    table_ = other.table_;
    file_ = std::exchange(other.file_, nullptr);
    position_ = other.position_;
    offset_ = other.offset_;
    length_ = other.length_;
  }
  return *this;
}

ErrorCode ScopedLock::lock(LockTable& table, platform::RandomAccessFile& file,
                           int64_t position) {
  release();
  const ErrorCode code = table.lock(file, position);
  if (code == kOk) {
    table_ = &table;
    file_ = &file;
    position_ = position;
  }
  return code;
}

ErrorCode ScopedLock::lock(platform::RandomAccessFile& file, uint64_t offset,
                           uint64_t length) {
  release();
  const ErrorCode code = LockRange(file, offset, length);
  if (code == kOk) {
    table_ = nullptr;
    file_ = &file;
    offset_ = offset;
    length_ = length;
  }
  return code;
}

void ScopedLock::release() {
  platform::RandomAccessFile* file = std::exchange(file_, nullptr);
  if (file == nullptr) return;
  static_cast<void>(table_ != nullptr ? table_->unlock(*file, position_)
                                      : UnlockRange(*file, offset_, length_));
}

}  // namespace zorli::edb
