#include "lock_conflict_wait.h"

#include "clock.h"
#include "error_codes.h"
#include "record_database.h"

namespace zorli {
namespace {

// Long beside a writer's locks, short beside the 2000 ms a record count may wait.
constexpr std::chrono::milliseconds kRetryTime(1000);
constexpr int32_t kPauseMilliseconds = 2;

bool IsLockConflict(int32_t code) {
  return code == edb::kSharingViolation || code == edb::kLockViolation;
}

}  // namespace

bool LockConflictWait::Retry(const std::function<bool()>& attempt) {
  for (;;) {
    if (attempt()) return true;
    if (!IsLockConflict(LastError())) return false;
    const auto now = std::chrono::steady_clock::now();
    if (!started_) {
      started_ = true;
      deadline_ = now + kRetryTime;
    }
    if (now >= deadline_) return false;
    delay(kPauseMilliseconds);
  }
}

}  // namespace zorli
