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
  const uint32_t start = platform::TickCount();
  for (;;) {
    const platform::FileError error = file.Lock(offset, length);
    const bool contended = error == platform::FileError::kLockViolation ||
                           error == platform::FileError::kSharingViolation;
    if (!contended || platform::TickCount() - start >= static_cast<uint32_t>(lockWaitLimit)) {
      return FileErrorCode(error);
    }
    platform::SleepMilliseconds(static_cast<int32_t>(20 + platform::TickCount() % 20));
  }
}

ErrorCode UnlockRange(platform::RandomAccessFile& file, uint64_t offset, uint64_t length) {
  return FileErrorCode(file.Unlock(offset, length));
}

std::vector<LockTable::Entry>::iterator LockTable::Find(int64_t position) {
  return std::find_if(entries_.begin(), entries_.end(),
                      [position](const Entry& e) { return e.position == position; });
}

bool LockTable::Holds(int64_t position) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [position](const Entry& e) { return e.position == position; });
}

bool LockTable::HoldsWholeFile() const { return Holds(kWholeFile); }

ErrorCode LockTable::Lock(platform::RandomAccessFile& file, int64_t position) {
  if (noLock_) return kOk;
  const auto existing = Find(position);
  if (existing != entries_.end()) {
    ++existing->extraHolds;
    return kOk;
  }
  if (!HoldsWholeFile()) {
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

ErrorCode LockTable::Unlock(platform::RandomAccessFile& file, int64_t position) {
  if (noLock_) return kOk;
  const auto entry = Find(position);
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
  if (HoldsWholeFile()) return kOk;
  return UnlockRange(file, static_cast<uint64_t>(position), 1);
}

void LockTable::ReleaseAll(platform::RandomAccessFile& file) {
  // The file closes next, and its locks go with it even where an unlock fails.
  if (HoldsWholeFile()) {
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
    Release();
    table_ = other.table_;
    file_ = std::exchange(other.file_, nullptr);
    position_ = other.position_;
    offset_ = other.offset_;
    length_ = other.length_;
  }
  return *this;
}

ErrorCode ScopedLock::Lock(LockTable& table, platform::RandomAccessFile& file, int64_t position) {
  Release();
  const ErrorCode code = table.Lock(file, position);
  if (code == kOk) {
    table_ = &table;
    file_ = &file;
    position_ = position;
  }
  return code;
}

ErrorCode ScopedLock::Lock(platform::RandomAccessFile& file, uint64_t offset, uint64_t length) {
  Release();
  const ErrorCode code = LockRange(file, offset, length);
  if (code == kOk) {
    table_ = nullptr;
    file_ = &file;
    offset_ = offset;
    length_ = length;
  }
  return code;
}

void ScopedLock::Release() {
  platform::RandomAccessFile* file = std::exchange(file_, nullptr);
  if (file == nullptr) return;
  static_cast<void>(table_ != nullptr ? table_->Unlock(*file, position_)
                                      : UnlockRange(*file, offset_, length_));
}

}  // namespace zorli::edb
