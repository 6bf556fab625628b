#include <gtest/gtest.h>

#include <cmath>

#include "error_codes.h"
#include "test_files.h"

namespace zorli {
namespace {

using testing::PatchInt32;
using testing::ReadBytes;
using testing::WriteBytes;

TEST(FieldTypes, EveryTypeRoundTrips) {
  ASSERT_TRUE(CreateDatabase("types.edb", {{"b", FieldType::kByte},
                                           {"s", FieldType::kShort},
                                           {"i", FieldType::kInt},
                                           {"l", FieldType::kInt64},
                                           {"f", FieldType::kFloat},
                                           {"d", FieldType::kDouble},
                                           {"y", FieldType::kLogical},
                                           {"t", FieldType::kDateTime},
                                           {"p", FieldType::kSubProgramPointer},
                                           {"x", FieldType::kText, 10}}));
  ASSERT_TRUE(OpenDatabase("types.edb"));
  AppendRecord();
  EXPECT_TRUE(WriteField(1, FieldValue::FromInteger(FieldType::kInt, 200)));
  EXPECT_TRUE(WriteField(2, FieldValue::FromInteger(FieldType::kShort, -12345)));
  EXPECT_TRUE(WriteField(3, FieldValue::FromInteger(FieldType::kInt, -2000000000)));
  EXPECT_TRUE(WriteField(4, FieldValue::FromInteger(FieldType::kInt64, -9000000000000000000)));
  EXPECT_TRUE(WriteField(5, FieldValue::FromReal(FieldType::kFloat, 1.5)));
  EXPECT_TRUE(WriteField(6, FieldValue::FromReal(FieldType::kDouble, 0.1)));
  EXPECT_TRUE(WriteField(7, FieldValue::FromLogical(true)));
  EXPECT_TRUE(WriteField(8, FieldValue::FromReal(FieldType::kDateTime, 1e7)));
  EXPECT_TRUE(WriteField(9, FieldValue::FromInteger(FieldType::kSubProgramPointer, 0xDEADBEEF)));
  EXPECT_TRUE(WriteField(10, FieldValue::FromBytes(FieldType::kText, "abcdefghij")));
  EXPECT_FALSE(WriteField(10, FieldValue::FromLogical(true)));
  EXPECT_EQ(LastError(), edb::kFieldTypeMismatch);

  EXPECT_EQ(ReadField(1).Integer(), 200);
  EXPECT_EQ(ReadField(2).Integer(), -12345);
  EXPECT_EQ(ReadField(3).Integer(), -2000000000);
  EXPECT_EQ(ReadField(4).Integer(), -9000000000000000000);
  EXPECT_EQ(ReadField(5).Real(), 1.5);
  EXPECT_EQ(ReadField(6).Real(), 0.1);
  EXPECT_TRUE(ReadField(7).Logical());
  EXPECT_EQ(ReadField(8).Real(), 2958465.0);  // brought into the date range
  EXPECT_EQ(ReadField(9).Integer(), 0xDEADBEEF);
  EXPECT_EQ(ReadField(10).Text(), "abcdefghij");  // fills the width, no terminator
  EXPECT_EQ(ReadField(10).Type(), FieldType::kText);
  EXPECT_EQ(ReadField(1).Text(), "");  // only text and memo values have a text
  WriteField(10, FieldValue::FromBytes(FieldType::kText, "abc"));
  EXPECT_EQ(ReadField(10).Text(), "abc");
  WriteField(8, FieldValue::FromReal(FieldType::kDateTime, -1e9));
  EXPECT_EQ(ReadField(8).Real(), -657434.0);
  CloseAllDatabases();
}

// A field whose offset and width reach past the record must not read a neighbour's
// bytes, in the file or in the scan buffer.
TEST(MendedFaults, FieldReachingPastTheRecordIsNotRead) {
  ASSERT_TRUE(
      CreateDatabase("reach.edb", {{"a", FieldType::kText, 4}, {"b", FieldType::kText, 4}}));
  ASSERT_TRUE(OpenDatabase("reach.edb"));
  for (const char* text : {"one", "two"}) {
    AppendRecord();
    WriteField(2, FieldValue::FromBytes(FieldType::kText, text));
  }
  CloseAllDatabases();
  PatchInt32("reach.edb", 116 + 72 + 28, 1000000);  // field b's width
  ASSERT_TRUE(OpenDatabase("reach.edb", std::nullopt, true));
  EXPECT_EQ(ReadField(2).Text(), "");
  EXPECT_EQ(LastError(), edb::kFieldReadFailed);
  int32_t scanCode = 0;
  EXPECT_FALSE(FindRecord([&] {
    const bool empty = ReadField(2).Text().empty();
    scanCode = LastError();
    return !empty;
  }));
  EXPECT_EQ(scanCode, edb::kFieldReadFailed);
  EXPECT_EQ(ReadField(1).Text(), "");
  EXPECT_EQ(LastError(), edb::kOk);
  CloseAllDatabases();
}

TEST(MendedFaults, AbsurdHeaderValuesGiveCodes) {
  ASSERT_TRUE(CreateDatabase("absurd.edb", {{"a", FieldType::kText, 4}}));
  const std::string good = ReadBytes("absurd.edb");
  // A huge record size with records claimed: the file cannot hold them.
  PatchInt32("absurd.edb", 24, 0x7FFFFFFF);
  PatchInt32("absurd.edb", 16, 0x7FFFFFFF);
  EXPECT_FALSE(OpenDatabase("absurd.edb", std::nullopt, true));
  EXPECT_EQ(LastError(), edb::kBadFileSize);
  // Read-write it is repaired to no records, and a scan allocates nothing.
  EXPECT_TRUE(OpenDatabase("absurd.edb"));
  EXPECT_EQ(GetRecordCount(), 0);
  EXPECT_FALSE(FindRecord([] { return true; }));
  CloseAllDatabases();
  // A huge text width on a record that exists.
  WriteBytes("absurd.edb", good);
  ASSERT_TRUE(OpenDatabase("absurd.edb"));
  AppendRecord();
  CloseAllDatabases();
  PatchInt32("absurd.edb", 116 + 28, 0x7FFFFFFF);
  PatchInt32("absurd.edb", 116 + 24, 0x7FFFFFFF);
  ASSERT_TRUE(OpenDatabase("absurd.edb", std::nullopt, true));
  EXPECT_EQ(ReadField(1).Text(), "");
  EXPECT_NE(LastError(), edb::kOk);
  EXPECT_FALSE(
      ReadFieldOfAllRecords(1, [](int32_t, const FieldValue& v) { EXPECT_EQ(v.Text(), ""); }));
  CloseAllDatabases();
}

}  // namespace
}  // namespace zorli
