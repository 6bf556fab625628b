#pragma once
// Byte-range locks of a database's files: the retry rule and the main file's lock table.
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/file.h"

namespace zorli::edb {

// Whole-file locks cover this many bytes from offset 0.
constexpr uint64_t kWholeFileLength = 0x7FFFFFFF;
constexpr int64_t kWholeFile = -1;

// Milliseconds a contended lock is retried; 0 except inside a record count.
int32_t LockWaitLimit();
// Raises the limit for the lifetime of the object.
class ScopedLockWait {
 public:
  explicit ScopedLockWait(int32_t milliseconds);
  ~ScopedLockWait();
  ScopedLockWait(const ScopedLockWait&) = delete;
  ScopedLockWait& operator=(const ScopedLockWait&) = delete;

 private:
  int32_t previous_;
};

// Locks a range, retrying a sharing or lock violation every 20 to 39 ms until the wait
// limit has passed. Result: 0 or a code.
int32_t LockRange(platform::File& file, uint64_t offset, uint64_t length);
int32_t UnlockRange(platform::File& file, uint64_t offset, uint64_t length);

// The locks one database holds on its main file: byte positions with extra holds, or
// kWholeFile. With noLock every request succeeds without touching the file.
class LockTable {
 public:
  explicit LockTable(bool noLock = false) : noLock_(noLock) {}
  int32_t lock(platform::File& file, int64_t position);
  int32_t unlock(platform::File& file, int64_t position);
  // Drops every lock (the file is about to close).
  void releaseAll(platform::File& file);
  bool holds(int64_t position) const;
  bool empty() const { return entries_.empty(); }
  bool noLocks() const { return noLock_; }

 private:
  struct Entry {
    int64_t position;
    int32_t extraHolds;
  };
  std::vector<Entry>::iterator find(int64_t position);
  bool holdsWholeFile() const;

  bool noLock_;
  std::vector<Entry> entries_;
};

}  // namespace zorli::edb
