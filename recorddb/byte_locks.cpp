#include "byte_locks.h"

#include <algorithm>

#include "ciphered_file.h"
#include "error_codes.h"
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

int32_t LockRange(platform::File& file, uint64_t offset, uint64_t length) {
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

int32_t UnlockRange(platform::File& file, uint64_t offset, uint64_t length) {
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

int32_t LockTable::lock(platform::File& file, int64_t position) {
  if (noLock_) return kOk;
  const auto existing = find(position);
  if (existing != entries_.end()) {
    ++existing->extraHolds;
    return kOk;
  }
  if (!holdsWholeFile()) {
    if (position == kWholeFile) {
      for (const Entry& e : entries_) UnlockRange(file, static_cast<uint64_t>(e.position), 1);
      const int32_t code = LockRange(file, 0, kWholeFileLength);
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
      const int32_t code = LockRange(file, static_cast<uint64_t>(position), 1);
      if (code != kOk) return code;
    }
  }
  entries_.push_back({position, 0});
  return kOk;
}

int32_t LockTable::unlock(platform::File& file, int64_t position) {
  if (noLock_) return kOk;
  const auto entry = find(position);
  if (entry == entries_.end()) return kUnlockFailed;
  if (entry->extraHolds > 0) {
    --entry->extraHolds;
    return kOk;
  }
  entries_.erase(entry);
  if (position == kWholeFile) {
    const int32_t code = UnlockRange(file, 0, kWholeFileLength);
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

void LockTable::releaseAll(platform::File& file) {
  if (holdsWholeFile()) {
    UnlockRange(file, 0, kWholeFileLength);
  } else {
    for (const Entry& e : entries_) UnlockRange(file, static_cast<uint64_t>(e.position), 1);
  }
  entries_.clear();
}

}  // namespace zorli::edb

