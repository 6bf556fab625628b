#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "error_codes.h"
#include "platform/platform.h"
#include "test_files.h"

namespace zorli {
namespace {

using testing::MakeTextDatabase;
using testing::ReadBytes;

std::string HelperPath() {
  std::string path = LOCK_HOLDER_PATH;
#ifdef _WIN32
  // Under Wine the build tree is reached through drive Z:.
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
#endif
  return path;
}

// Starts the helper holding the given bytes of path for holdMs and waits until it does.
bool HoldLocks(const std::string& path, int holdMs, const std::string& offsets) {
  const std::string flag = "held.flag";
  std::remove(flag.c_str());
  const std::string commandLine = "\"" + HelperPath() + "\" " + path + " " +
                                  std::to_string(holdMs) + " " + flag + " " + offsets;
  if (!platform::StartProcess(commandLine, false, 0)) return false;
  for (int waited = 0; waited < 20000; waited += 20) {
    if (ReadBytes(flag) == "locked") return true;
    platform::SleepMilliseconds(20);
  }
  return false;
}

TEST(ProcessLocks, AnotherProcessHoldingRecordAndCountLocks) {
  MakeTextDatabase("shared.edb", {"r1", "r2", "r3"});
  ASSERT_TRUE(OpenDatabase("shared.edb"));
  const uint64_t record2 = 116 + 72 + 14;
  ASSERT_TRUE(HoldLocks("shared.edb", 1500, "16 " + std::to_string(record2)));

  // Reads do not wait: the held record and a scan fail at once with the lock code.
  const uint32_t start = platform::TickCount();
  EXPECT_FALSE(FindRecord([] { return true; }));
  EXPECT_EQ(LastError(), edb::kLockViolation);
  // The count waits up to 2000 ms, long enough for the holder to finish.
  EXPECT_EQ(GetRecordCount(), 3);
  EXPECT_EQ(LastError(), edb::kOk);
  EXPECT_GE(platform::TickCount() - start, 500u);
  GoToRecord(2);
  EXPECT_EQ(ReadField(1).Text(), "r2");
  CloseAllDatabases();
}

TEST(ProcessLocks, HeldRecordFailsWithoutWaiting) {
  MakeTextDatabase("shared2.edb", {"r1", "r2", "r3"});
  ASSERT_TRUE(OpenDatabase("shared2.edb"));
  const uint64_t record2 = 116 + 72 + 14;
  ASSERT_TRUE(HoldLocks("shared2.edb", 3000, std::to_string(record2)));
  GoToRecord(2);
  const uint32_t start = platform::TickCount();
  EXPECT_EQ(ReadField(1).Text(), "");
  EXPECT_EQ(LastError(), edb::kLockViolation);
  EXPECT_LT(platform::TickCount() - start, 500u);
  GoToRecord(3);
  EXPECT_EQ(ReadField(1).Text(), "r3");
  CloseAllDatabases();
  platform::SleepMilliseconds(3200);  // let the holder end before the files go
}

}  // namespace
}  // namespace zorli
