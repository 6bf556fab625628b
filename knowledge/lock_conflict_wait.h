#pragma once
// Another program writing the knowledge files (a repair, an edit tool, a second Zorli)
// holds their byte-range locks for microseconds to milliseconds, and the database
// reads without waiting. One reply therefore retries a database step that failed on
// such a lock, for a short time shared by all its steps, before it gives up.
#include <chrono>
#include <functional>

namespace zorli {

class LockConflictWait {
 public:
  // Runs attempt until it succeeds, fails for another reason than a lock held by
  // another program, or the time is spent. attempt reports failure by returning false
  // with the reason in LastError(), which the caller finds there afterwards too.
  bool Retry(const std::function<bool()>& attempt);

 private:
  bool started_ = false;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace zorli
