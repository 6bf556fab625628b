// Knowledge files from outside: whatever a header claims, every operation ends with a
// result code, at once, and allocates no more than the file holds.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "edb_format.h"
#include "error_codes.h"
#include "platform/file.h"
#include "test_files.h"

namespace zorli {
namespace {

using testing::PatchInt32;
using testing::WriteBytes;

// 188 bytes that pass every open check: no records, records of 0x7FFFFFFF bytes, and one
// text field at offset 4 as wide as the rest of such a record.
std::string HugeFieldFile() {
  edb::EdbHeader header = edb::EdbHeader::Fresh();
  header.SetCounter(1);
  header.SetRecordSize(0x7FFFFFFF);
  const edb::FieldDescriptor field =
      edb::FieldDescriptor::Make("reply", FieldType::kText, 4, 0x7FFFFFFB);
  std::string bytes(header.bytes.begin(), header.bytes.end());
  bytes += std::string("\x01\x00\x00\x00", 4);
  return bytes + std::string(field.bytes.begin(), field.bytes.end());
}

TEST(HostileFiles, HugeFieldOfAFileWithoutRecordsIsNeverAllocated) {
  const std::string path = "huge.edb";
  WriteBytes(path, HugeFieldFile());
  ASSERT_TRUE(OpenDatabase(path));
  GoToFirstRecord();
  EXPECT_EQ(ReadField(1).Text(), "");
  EXPECT_EQ(LastError(), edb::kSeekFailed);

  // Another process claims a record the file does not hold: every path checks first.
  PatchInt32(path, edb::kRecordCountOffset, 1);
  EXPECT_TRUE(GoToRecord(1));
  EXPECT_EQ(ReadField(1).Text(), "");
  EXPECT_EQ(LastError(), edb::kSeekFailed);
  int visited = 0;
  EXPECT_FALSE(ReadFieldOfAllRecords(1, [&](int32_t, const FieldValue&) { ++visited; }));
  EXPECT_EQ(visited, 1);
  EXPECT_EQ(LastError(), edb::kSeekFailed);
  EXPECT_FALSE(FindRecord([] { return true; }));
  EXPECT_EQ(LastError(), edb::kRecordReadFailed);
  EXPECT_FALSE(WriteField(1, FieldValue::FromBytes(FieldType::kText, "x")));
  EXPECT_EQ(LastError(), edb::kNoCurrentRecord);

  // The writer appends such a record by extending the file, not by building it in memory.
  PatchInt32(path, edb::kRecordCountOffset, 0);
  EXPECT_TRUE(AppendRecord());
  EXPECT_EQ(GetRecordCount(), 1);
  CloseAllDatabases();
  platform::RemoveFile(path);
}

// Only regular files are opened: a FIFO (or a device on Windows) fails at once instead of
// blocking the program in open() or in a read.
TEST(HostileFiles, SomethingOtherThanAFileIsAFileErrorAtOnce) {
#ifdef _WIN32
  const std::string path = "NUL.edb";
#else
  const std::string path = "fifo.edb";
  unlink(path.c_str());
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
#endif
  auto opening = std::async(std::launch::async, [&] {
    const bool readOnly = true;  // a FIFO opened for reading waits for a writer
    const int32_t code = OpenDatabase(path, std::nullopt, readOnly) ? 0 : LastError();
    CloseAllDatabases();
    return code;
  });
  if (opening.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
    ADD_FAILURE() << "opening " << path << " blocks";
#ifndef _WIN32
    close(open(path.c_str(), O_WRONLY));  // a writer lets the blocked open go on
#endif
  }
  EXPECT_EQ(opening.get(), edb::kAccessDenied);
}

}  // namespace
}  // namespace zorli
