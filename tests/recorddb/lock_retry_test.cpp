#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "byte_locks.h"
#include "error_codes.h"
#include "platform/file.h"
#include "test_files.h"

namespace zorli {
namespace {

using Clock = std::chrono::steady_clock;

int64_t MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// A second handle of the file stands for another process holding byte 16.
class LockRetry : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::MakeTextDatabase(path, {"r1", "r2"});
    ASSERT_EQ(other.Open(path, true, platform::FileSharing::kDenyNone), platform::FileError::kNone);
  }
  void TearDown() override { CloseAllDatabases(); }
  const std::string path = "retry.edb";
  platform::File other;
};

TEST_F(LockRetry, NoWaitFailsAtOnceAndOneRetryWaitsTwentyToThirtyNine) {
  platform::File mine;
  ASSERT_EQ(mine.Open(path, true, platform::FileSharing::kDenyNone), platform::FileError::kNone);
  ASSERT_EQ(other.Lock(16, 1), platform::FileError::kNone);
  Clock::time_point start = Clock::now();
  EXPECT_EQ(edb::LockRange(mine, 16, 1), edb::kLockViolation);
  EXPECT_LT(MillisecondsSince(start), 15);

  // A limit under the shortest sleep allows exactly one retry after the first failure,
  // however long a loaded machine takes over that first attempt.
  edb::ScopedLockWait wait(15);
  start = Clock::now();
  EXPECT_EQ(edb::LockRange(mine, 16, 1), edb::kLockViolation);
  const int64_t waited = MillisecondsSince(start);
  EXPECT_GE(waited, 19);
  EXPECT_LT(waited, 200);
}

TEST_F(LockRetry, CountWaitsForAHolderThatLetsGo) {
  ASSERT_TRUE(OpenDatabase(path));
  ASSERT_EQ(other.Lock(16, 1), platform::FileError::kNone);
  std::thread holder([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    other.Unlock(16, 1);
  });
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(GetRecordCount(), 2);
  EXPECT_EQ(LastError(), edb::kOk);
  const int64_t waited = MillisecondsSince(start);
  holder.join();
  EXPECT_GE(waited, 290);
  EXPECT_LT(waited, 1500);
  // Other operations keep the limit of 0.
  ASSERT_EQ(other.Lock(16, 1), platform::FileError::kNone);
  const Clock::time_point scan = Clock::now();
  EXPECT_FALSE(FindRecord([] { return true; }));
  EXPECT_EQ(LastError(), edb::kLockViolation);
  EXPECT_LT(MillisecondsSince(scan), 15);
}

}  // namespace
}  // namespace zorli
