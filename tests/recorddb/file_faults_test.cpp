// A full disk, an I/O error or a short write part way through a change: the change ends
// with its code, every other value the database held is still there, and the database
// stays sound for the changes that follow.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "database_verify.h"
#include "error_codes.h"
#include "faulty_files.h"
#include "test_files.h"

namespace zorli {
namespace {

using testing::Fault;
using testing::FaultyFiles;
using testing::ReadBytes;
using testing::WriteBytes;

struct Record {
  std::string text, memo;
};

FieldValue Text(const std::string& value) { return FieldValue::FromBytes(FieldType::kText, value); }
FieldValue Memo(const std::string& value) { return FieldValue::FromBytes(FieldType::kMemo, value); }

// Memos in blocks 1-2, 3-4 and 6; block 5 is free.
const std::vector<Record> kRecords = {{"one", std::string(700, 'a')},
                                      {"two", std::string(1000, 'b')},
                                      {"three", std::string(300, 'c')}};

class FileFaults : public ::testing::TestWithParam<Fault> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDatabase(path, {{"t", FieldType::kText, 10}, {"m", FieldType::kMemo, 0}}));
    ASSERT_TRUE(OpenDatabase(path));
    for (const Record& record : kRecords) {
      ASSERT_TRUE(AppendRecord());
      ASSERT_TRUE(WriteField(1, Text(record.text)));
      // Record 2's memo holds block 5 too until record 3's is stored.
      const bool two = record.text == "two";
      ASSERT_TRUE(WriteField(2, Memo(two ? record.memo + std::string(500, 'x') : record.memo)));
    }
    GoToRecord(2);
    ASSERT_TRUE(WriteField(2, Memo(kRecords[1].memo)));
    CloseAllDatabases();
    mainBytes = ReadBytes(path);
    auxBytes = ReadBytes(auxPath);
  }
  void TearDown() override { CloseAllDatabases(); }

  // The code a failed change must give under this test's fault; shortWrite: the change's
  // own code for a write that stored less than it was given.
  int32_t ExpectedCode(int32_t shortWrite) const {
    switch (GetParam()) {
      case Fault::kDiskFull: return edb::kDiskFull;
      case Fault::kIoError: return edb::kHardwareFault;
      case Fault::kShortWrite: return shortWrite;
    }
    return edb::kOk;
  }

  // Runs change on record `record` of a fresh copy of the database, with the fault from
  // the change's first file change on, then from its second, and so on, until it
  // succeeds. After each failure the database, opened again, is sound, holds every other
  // field as it was (the changed one may be torn), and stores new values soundly.
  void FailEveryStep(int32_t record, int32_t field, const std::function<bool()>& change,
                     const std::vector<int32_t>& codes) {
    FaultyFiles files;
    for (int step = 0;; ++step) {
      ASSERT_LT(step, 100) << "the change never succeeds";
      CloseAllDatabases();
      WriteBytes(path, mainBytes);
      WriteBytes(auxPath, auxBytes);
      ASSERT_TRUE(OpenDatabase(path));
      GoToRecord(record);
      files.FailFrom(step, GetParam());
      const bool changed = change();
      const int32_t code = LastError();
      files.Heal();
      if (changed) break;
      SCOPED_TRACE("failing from file change " + std::to_string(step));
      EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << code;
      CloseAllDatabases();
      ASSERT_TRUE(OpenDatabase(path));
      ExpectOthersKept(record, field);
      // A new value takes blocks that no other value holds.
      ASSERT_TRUE(AppendRecord());
      ASSERT_TRUE(WriteField(2, Memo(std::string(1600, 'z'))));
      ExpectOthersKept(record, field);
    }
  }

  void ExpectOthersKept(int32_t changedRecord, int32_t changedField) {
    for (const VerifyProblem& problem : VerifyCurrentDatabase()) {
      ADD_FAILURE() << "block " << problem.block << ": " << problem.what;
    }
    for (int32_t n = 1; n <= 3; ++n) {
      GoToRecord(n);
      const Record& before = kRecords[static_cast<size_t>(n - 1)];
      if (n != changedRecord || changedField != 1) {
        EXPECT_EQ(ReadField(1).Text(), before.text);
      }
      // Compared whole; a difference printed as it is would be thousands of letters.
      if (n != changedRecord || changedField != 2) {
        EXPECT_TRUE(ReadField(2).Text() == before.memo) << n;
      }
    }
  }

  const std::string path = "faults.edb";
  const std::string auxPath = "faults.EDT";
  std::string mainBytes, auxBytes;
};

TEST_P(FileFaults, AppendingARecord) {
  FailEveryStep(0, 0, AppendRecord, {ExpectedCode(edb::kRecordWriteFailed)});
  EXPECT_EQ(GetRecordCount(), 4);
}

TEST_P(FileFaults, WritingATextField) {
  FailEveryStep(2, 1, [] { return WriteField(1, Text("changed")); },
                {ExpectedCode(edb::kFieldWriteFailed)});
}

// Blocks 3 and 4 are rewritten, free block 5 and a new block 7 are taken.
TEST_P(FileFaults, WritingALongerMemo) {
  FailEveryStep(2, 2, [] { return WriteField(2, Memo(std::string(1900, 'L'))); },
                {ExpectedCode(edb::kFieldWriteFailed), ExpectedCode(edb::kAuxAccessFailed)});
}

// Block 6 is freed, and the file is cut back to before the free block 5.
TEST_P(FileFaults, EmptyingTheLastMemo) {
  FailEveryStep(3, 2, [] { return WriteField(2, Memo("")); },
                {ExpectedCode(edb::kFieldWriteFailed), ExpectedCode(edb::kAuxAccessFailed)});
}

INSTANTIATE_TEST_SUITE_P(, FileFaults,
                         ::testing::Values(Fault::kDiskFull, Fault::kIoError, Fault::kShortWrite),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                           switch (info.param) {
                             case Fault::kDiskFull: return "DiskFull";
                             case Fault::kIoError: return "IoError";
                             case Fault::kShortWrite: return "ShortWrite";
                           }
                           return "";
                         });

}  // namespace
}  // namespace zorli
