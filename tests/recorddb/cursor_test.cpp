#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "error_codes.h"
#include "platform/file.h"
#include "runtime_error.h"
#include "test_files.h"

namespace zorli {
namespace {

using testing::MakeTextDatabase;

class Cursor : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::string> texts;
    for (int i = 1; i <= 10; ++i) texts.push_back("r" + std::to_string(i));
    MakeTextDatabase(path, texts, 2);
    previousHandler =
        SetRuntimeErrorHandler([this](const GbkText& m) { runtimeErrors.push_back(m); });
    ASSERT_TRUE(OpenDatabase(path));
  }
  void TearDown() override {
    CloseAllDatabases();
    SetRuntimeErrorHandler(previousHandler);
  }
  GbkText Field1() { return ReadField(1).Text(); }

  const std::string path = "cursor.edb";
  std::vector<GbkText> runtimeErrors;
  RuntimeErrorHandler previousHandler;
};

TEST_F(Cursor, GoToRecordClampsIntoTheFile) {
  EXPECT_EQ(GetRecordCount(), 10);
  EXPECT_EQ(Field1(), "r1");
  for (int n : {0, -5}) {
    GoToRecord(7);
    EXPECT_TRUE(GoToRecord(n));
    EXPECT_EQ(Field1(), "r1");
  }
  EXPECT_TRUE(GoToRecord(1000));
  EXPECT_EQ(Field1(), "r10");
  EXPECT_TRUE(GoToRecord(4));
  EXPECT_EQ(Field1(), "r4");
  GoToFirstRecord();
  EXPECT_EQ(Field1(), "r1");
  EXPECT_EQ(LastError(), edb::kOk);
}

TEST_F(Cursor, FieldsByNumberAndName) {
  EXPECT_EQ(ReadField("A").Text(), "r1");
  EXPECT_EQ(ReadField("b").Text(), "");
  EXPECT_EQ(ReadField("b").Type(), FieldType::kText);
  EXPECT_TRUE(runtimeErrors.empty());
  ReadField(0);
  ReadField(3);
  ReadField("c");
  ASSERT_EQ(runtimeErrors.size(), 3u);
  // 指定字段不存在
  EXPECT_EQ(runtimeErrors[0], "\xD6\xB8\xB6\xA8\xD7\xD6\xB6\xCE\xB2\xBB\xB4\xE6\xD4\xDA");
  CloseAllDatabases();
  EXPECT_EQ(ReadField(1).Text(), "");
  ASSERT_EQ(runtimeErrors.size(), 4u);
  EXPECT_EQ(runtimeErrors[3].substr(0, 4), "\xCE\xB4\xD6\xB8");  // 未指...
}

TEST_F(Cursor, EmptyDatabaseReadsNothing) {
  CloseAllDatabases();
  MakeTextDatabase("empty.edb", {});
  ASSERT_TRUE(OpenDatabase("empty.edb"));
  EXPECT_EQ(GetRecordCount(), 0);
  GoToFirstRecord();
  EXPECT_EQ(LastError(), edb::kOk);
  EXPECT_EQ(Field1(), "");
  EXPECT_EQ(LastError(), edb::kSeekFailed);
  EXPECT_TRUE(GoToRecord(5));
  EXPECT_FALSE(FindRecord([] { return true; }));
  EXPECT_EQ(LastError(), edb::kOk);
}

TEST_F(Cursor, FindRecordScansFromTheCursor) {
  std::vector<int> tested;
  const auto matches47 = [&] {
    const GbkText text = ReadField(1).Text();
    tested.push_back(std::stoi(text.substr(1)));
    return text == "r4" || text == "r7";
  };
  GoToRecord(5);
  EXPECT_TRUE(FindRecord(matches47));
  EXPECT_EQ(tested, (std::vector<int>{5, 6, 7}));
  EXPECT_EQ(Field1(), "r7");
  GoToRecord(8);
  EXPECT_FALSE(FindRecord(matches47));
  EXPECT_EQ(LastError(), edb::kOk);
  EXPECT_EQ(Field1(), "r8");
  GoToFirstRecord();
  EXPECT_TRUE(FindRecord(matches47));
  EXPECT_EQ(Field1(), "r4");
}

TEST_F(Cursor, DeletedRecordsAreCountedAndRead) {
  GoToRecord(3);
  ASSERT_TRUE(WriteRecordStatus(-1));
  EXPECT_EQ(GetRecordCount(), 10);
  EXPECT_EQ(Field1(), "r3");
  GoToFirstRecord();
  EXPECT_TRUE(FindRecord([] { return ReadField(1).Text() == "r3"; }));
}

TEST_F(Cursor, StatusWordReadsBackAsWritten) {
  constexpr int32_t kMarked = 0x4b5a;  // any positive word: the record stays live
  GoToRecord(4);
  ASSERT_TRUE(WriteRecordStatus(kMarked));
  int32_t status = 0;
  GoToRecord(5);
  ASSERT_TRUE(ReadRecordStatus(status));
  EXPECT_EQ(status, 0);
  GoToRecord(4);
  ASSERT_TRUE(ReadRecordStatus(status));
  EXPECT_EQ(status, kMarked);
  EXPECT_EQ(Field1(), "r4");
}

TEST_F(Cursor, ReadFieldOfAllRecordsMatchesTheCursorPath) {
  std::vector<std::pair<int32_t, GbkText>> visited;
  EXPECT_TRUE(ReadFieldOfAllRecords(1, [&](int32_t n, const FieldValue& v) {
    visited.push_back({n, v.Text()});
  }));
  ASSERT_EQ(visited.size(), 10u);
  for (int32_t n = 1; n <= 10; ++n) {
    GoToRecord(n);
    EXPECT_EQ(visited[n - 1], std::make_pair(n, Field1()));
  }
  EXPECT_FALSE(ReadFieldOfAllRecords(9, [](int32_t, const FieldValue&) {}));
  EXPECT_EQ(runtimeErrors.size(), 1u);
}

TEST_F(Cursor, ACallbackThatClosesTheDatabaseEndsTheOperation) {
  EXPECT_FALSE(FindRecord([] {
    CloseAllDatabases();
    return false;
  }));
  EXPECT_EQ(LastError(), edb::kNoDatabaseOpen);
  ASSERT_TRUE(OpenDatabase(path));
  int visits = 0;
  EXPECT_FALSE(ReadFieldOfAllRecords(1, [&](int32_t, const FieldValue&) {
    ++visits;
    CloseAllDatabases();
  }));
  EXPECT_EQ(visits, 1);
  EXPECT_EQ(LastError(), edb::kNoDatabaseOpen);
  // Nothing of the closed database is left locked.
  ASSERT_TRUE(OpenDatabase(path, std::nullopt, false, kShareExclusive));
  EXPECT_EQ(GetRecordCount(), 10);
}

TEST_F(Cursor, ALockedRecordFailsAloneAndOthersStillRead) {
  // A second handle behaves as another process: it holds record 3's lock byte.
  platform::File other;
  ASSERT_EQ(other.Open(path, true, platform::FileSharing::kDenyNone), platform::FileError::kNone);
  const uint64_t record3 = 116 + 2 * 72 + 2 * (4 + 20);
  ASSERT_EQ(other.Lock(record3, 1), platform::FileError::kNone);

  GoToRecord(3);
  EXPECT_EQ(Field1(), "");
  EXPECT_EQ(LastError(), edb::kLockViolation);
  GoToRecord(4);
  EXPECT_EQ(Field1(), "r4");

  std::vector<GbkText> texts;
  EXPECT_FALSE(
      ReadFieldOfAllRecords(1, [&](int32_t, const FieldValue& v) { texts.push_back(v.Text()); }));
  EXPECT_EQ(LastError(), edb::kLockViolation);
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[1], "r2");
  EXPECT_EQ(texts[2], "");
  EXPECT_EQ(texts[3], "r4");

  GoToFirstRecord();
  EXPECT_FALSE(FindRecord([] { return ReadField(1).Text() == "r9"; }));
  EXPECT_EQ(LastError(), edb::kLockViolation);
  EXPECT_EQ(Field1(), "r1");

  // Byte 16 held: the count waits up to 2 s, so it fails only after the wait.
  ASSERT_EQ(other.Unlock(record3, 1), platform::FileError::kNone);
  ASSERT_EQ(other.Lock(16, 1), platform::FileError::kNone);
  EXPECT_FALSE(FindRecord([] { return true; }));
  EXPECT_EQ(LastError(), edb::kLockViolation);
  EXPECT_EQ(GetRecordCount(), 0);
  EXPECT_EQ(LastError(), edb::kLockViolation);
  other.Unlock(16, 1);
  EXPECT_EQ(GetRecordCount(), 10);
}

TEST_F(Cursor, LastErrorBelongsToTheCallingThread) {
  CloseAllDatabases();
  EXPECT_EQ(GetRecordCount(), 0);
  ASSERT_EQ(LastError(), edb::kNoCurrentDatabase);
  int32_t otherThreadsCode = -1;
  std::thread([&] { otherThreadsCode = LastError(); }).join();
  EXPECT_EQ(otherThreadsCode, 0);
  std::thread([] { CloseAllDatabases(); }).join();
  EXPECT_EQ(LastError(), edb::kNoCurrentDatabase);
}

TEST(ErrorMessages, Table) {
  EXPECT_EQ(ErrorMessage(edb::kOk), "");
  // 未知错误, for a code outside the table and for -77, the one gap in it
  EXPECT_EQ(ErrorMessage(-999), "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3");
  EXPECT_EQ(ErrorMessage(edb::kUnknownError), ErrorMessage(-77));
  // 访问数据库的辅助文件失败
  EXPECT_EQ(ErrorMessage(edb::kAuxAccessFailed),
            "\xB7\xC3\xCE\xCA\xCA\xFD\xBE\xDD\xBF\xE2\xB5\xC4\xB8\xA8\xD6\xFA\xCE\xC4\xBC\xFE\xCA"
            "\xA7\xB0\xDC");
  for (int32_t code = -1; code >= -80; --code) {
    if (code != -77) {
      EXPECT_NE(ErrorMessage(code), "") << code;
    }
  }
  EXPECT_NE(ErrorMessage(-80), ErrorMessage(edb::kUnknownError));
}

}  // namespace
}  // namespace zorli
