#pragma once
// Byte-range locks of a database's files: the retry rule, the main file's lock table and
// the guard that holds a lock for a scope.
#include <cstdint>
#include <utility>
#include <vector>

#include "error_codes.h"
#include "platform/file_system.h"

namespace zorli::edb {

// Whole-file locks cover this many bytes from offset 0.
constexpr uint64_t kWholeFileLength = 0x7FFFFFFF;
constexpr int64_t kWholeFile = -1;

// Milliseconds a contended lock is retried; 0 except inside a record count, which waits
// kRecordCountLockWait for byte 16 (a writer holds it while it appends).
int32_t LockWaitLimit();
constexpr int32_t kRecordCountLockWait = 2000;
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
// limit has passed.
ErrorCode LockRange(platform::RandomAccessFile& file, uint64_t offset, uint64_t length);
ErrorCode UnlockRange(platform::RandomAccessFile& file, uint64_t offset, uint64_t length);

// The locks one database holds on its main file: byte positions with extra holds, or
// kWholeFile. With noLock every request succeeds without touching the file.
class LockTable {
 public:
  explicit LockTable(bool noLock = false) : noLock_(noLock) {}
  ErrorCode Lock(platform::RandomAccessFile& file, int64_t position);
  ErrorCode Unlock(platform::RandomAccessFile& file, int64_t position);
  // Drops every lock (the file is about to close).
  void ReleaseAll(platform::RandomAccessFile& file);
  bool Holds(int64_t position) const;
  bool Empty() const { return entries_.empty(); }
  bool NoLocks() const { return noLock_; }

 private:
  struct Entry {
    int64_t position;
    int32_t extraHolds;
  };
  std::vector<Entry>::iterator Find(int64_t position);
  bool HoldsWholeFile() const;

  bool noLock_;
  std::vector<Entry> entries_;
};

// A lock held until Release() or the end of its scope, whichever path leaves the scope:
// a position of a database's lock table (a record, byte 16, the whole main file) or a
// plain byte range (EDT blocks and header, index files, a chunk of records). Giving a lock
// back is not part of an operation's result: the operation's outcome stands, and a byte
// an unlock could not free is freed when its file closes.
class ScopedLock {
 public:
  ScopedLock() = default;
  ~ScopedLock() { Release(); }
  ScopedLock(ScopedLock&& other) noexcept { *this = std::move(other); }
  // Takes over other's lock after giving back this one's.
  ScopedLock& operator=(ScopedLock&& other) noexcept;

  // Each gives back what this guard held first, then locks.
  ErrorCode Lock(LockTable& table, platform::RandomAccessFile& file, int64_t position);
  ErrorCode Lock(platform::RandomAccessFile& file, uint64_t offset, uint64_t length);
  void Release();
  // The file was closed, and its locks with it (a callback closed the databases): there is
  // nothing left to give back, and the table and file must not be touched.
  void Abandon() { file_ = nullptr; }

 private:
  LockTable* table_ = nullptr;                  // null for a plain range
  platform::RandomAccessFile* file_ = nullptr;  // null when nothing is held
  int64_t position_ = 0;
  uint64_t offset_ = 0;
  uint64_t length_ = 0;
};

}  // namespace zorli::edb
