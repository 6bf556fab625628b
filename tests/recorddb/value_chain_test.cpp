#include <gtest/gtest.h>

#include "error_codes.h"
#include "test_files.h"

namespace zorli {
namespace {

using testing::Int32At;
using testing::PatchInt32;
using testing::ReadBytes;

FieldValue Memo(const std::string& text) { return FieldValue::FromBytes(FieldType::kMemo, text); }

std::string Pattern(size_t n, int seed) {
  std::string text(n, '\0');
  for (size_t i = 0; i < n; ++i) text[i] = static_cast<char>('A' + (i * 7 + seed) % 26);
  return text;
}

class Chains : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDatabase(path, {{"id", FieldType::kInt, 0},
                                      {"note", FieldType::kMemo, 0},
                                      {"blob", FieldType::kByteSet, 0}}));
    ASSERT_TRUE(OpenDatabase(path));
  }
  void TearDown() override { CloseAllDatabases(); }
  int32_t EdtInt(size_t offset) { return Int32At(ReadBytes(auxPath), offset); }
  // Block b's used count.
  int32_t Used(int32_t b) { return EdtInt(b * 512 + 8); }

  const std::string path = "chains.edb";
  const std::string auxPath = "chains.EDT";
};

TEST_F(Chains, ValuesSpanBlocksOfFiveHundredBytes) {
  ASSERT_TRUE(AppendRecord());
  ASSERT_TRUE(WriteField(2, Memo(Pattern(1000, 1))));
  EXPECT_EQ(EdtInt(16), 3);  // header + two blocks
  AppendRecord();
  ASSERT_TRUE(WriteField(2, Memo(Pattern(1001, 2))));
  EXPECT_EQ(EdtInt(16), 6);
  EXPECT_EQ(Used(5), 1);
  EXPECT_EQ(EdtInt(5 * 512), 4);  // previous link
  EXPECT_EQ(ReadField(2).Text(), Pattern(1001, 2));
  GoToFirstRecord();
  EXPECT_EQ(ReadField(2).Text(), Pattern(1000, 1));
  EXPECT_EQ(ReadField(3).Bytes(), "");
  EXPECT_EQ(LastError(), edb::kOk);
}

TEST_F(Chains, BlocksAreReusedFreedAndTrimmed) {
  AppendRecord();
  WriteField(2, Memo(Pattern(1400, 1)));  // blocks 1..3
  AppendRecord();
  WriteField(2, Memo(Pattern(600, 2)));  // blocks 4..5
  GoToFirstRecord();
  ASSERT_TRUE(WriteField(2, Memo(Pattern(300, 3))));  // keeps 1, frees 2 and 3
  EXPECT_EQ(EdtInt(20), 2);                           // free count
  EXPECT_EQ(EdtInt(24), 2);                           // free head
  EXPECT_EQ(Used(2), 0);
  EXPECT_EQ(ReadField(2).Text(), Pattern(300, 3));
  // A byte set of 900 bytes takes the two free blocks.
  const std::string bytes = std::string("\0\x01\xFF", 3) + Pattern(897, 4);
  ASSERT_TRUE(WriteField(3, FieldValue::FromBytes(FieldType::kByteSet, bytes)));
  EXPECT_EQ(EdtInt(20), 0);
  EXPECT_EQ(EdtInt(16), 6);
  EXPECT_EQ(ReadField(3).Bytes(), bytes);
  // Emptying the last chain of the file cuts the file back.
  GoToRecord(2);
  ASSERT_TRUE(WriteField(2, Memo("")));
  EXPECT_EQ(EdtInt(16), 4);
  EXPECT_EQ(EdtInt(20), 0);
  EXPECT_EQ(ReadBytes(auxPath).size(), 4u * 512);
  EXPECT_EQ(ReadField(2).Text(), "");
  GoToFirstRecord();
  EXPECT_EQ(ReadField(3).Bytes(), bytes);
}

TEST_F(Chains, MemoTextEndsAtItsFirstZero) {
  AppendRecord();
  WriteField(2, Memo(std::string("abc\0def", 7)));
  EXPECT_EQ(ReadField(2).Text(), "abc");
}

TEST_F(Chains, BrokenChainsEndWithAuxiliaryFileError) {
  AppendRecord();
  WriteField(2, Memo(Pattern(1200, 1)));  // blocks 1..3
  CloseAllDatabases();
  const auto readCode = [&] {
    OpenDatabase(path, std::nullopt, true);
    const FieldValue value = ReadField(2);
    const int32_t code = LastError();
    if (code != edb::kOk) {
      EXPECT_EQ(value.Text(), "");
    }
    CloseAllDatabases();
    return code;
  };
  EXPECT_EQ(readCode(), edb::kOk);
  PatchInt32(auxPath, 3 * 512 + 4, 1);  // block 3 leads back to block 1
  EXPECT_EQ(readCode(), edb::kAuxAccessFailed);
  PatchInt32(auxPath, 3 * 512 + 4, 3);  // block 3 leads to itself
  EXPECT_EQ(readCode(), edb::kAuxAccessFailed);
  PatchInt32(auxPath, 3 * 512 + 4, 0x7FFFFFFF);  // far past the end of the file
  EXPECT_EQ(readCode(), edb::kAuxAccessFailed);
  PatchInt32(auxPath, 3 * 512 + 4, -2);
  EXPECT_EQ(readCode(), edb::kAuxAccessFailed);
  PatchInt32(auxPath, 3 * 512 + 4, 0);
  PatchInt32(auxPath, 2 * 512 + 8, 501);  // used beyond the data area
  EXPECT_EQ(readCode(), edb::kAuxAccessFailed);
  PatchInt32(auxPath, 2 * 512 + 8, 500);
  EXPECT_EQ(readCode(), edb::kOk);
}

TEST_F(Chains, AFreeListThatCannotBeTrustedIsNeverWrittenOver) {
  AppendRecord();
  WriteField(2, Memo(Pattern(1200, 1)));  // blocks 1..3
  AppendRecord();
  WriteField(2, Memo(Pattern(600, 2)));  // blocks 4..5
  // The free list's head names block 4, a block of the second record's value.
  PatchInt32(auxPath, 20, 1);
  PatchInt32(auxPath, 24, 4);
  GoToFirstRecord();
  EXPECT_FALSE(WriteField(2, Memo(Pattern(1600, 3))));
  EXPECT_EQ(LastError(), edb::kAuxAccessFailed);
  GoToRecord(2);
  EXPECT_EQ(ReadField(2).Text(), Pattern(600, 2));

  PatchInt32(auxPath, 20, 0);
  PatchInt32(auxPath, 24, 0);
  GoToFirstRecord();
  ASSERT_TRUE(WriteField(2, Memo(Pattern(300, 4))));  // frees blocks 2 and 3
  ASSERT_EQ(EdtInt(24), 2);
  PatchInt32(auxPath, 2 * 512 + 4, 2);  // free block 2 leads to itself
  AppendRecord();
  EXPECT_FALSE(WriteField(2, Memo(Pattern(1000, 5))));
  EXPECT_EQ(LastError(), edb::kAuxAccessFailed);
  GoToFirstRecord();
  EXPECT_EQ(ReadField(2).Text(), Pattern(300, 4));
  GoToRecord(2);
  EXPECT_EQ(ReadField(2).Text(), Pattern(600, 2));
}

TEST(EncipheredDatabase, RoundTripsAndChangesPassword) {
  ASSERT_TRUE(CreateDatabase("locked.edb",
                             {{"t", FieldType::kText, 20}, {"m", FieldType::kMemo, 0}}, "pw"));
  ASSERT_TRUE(OpenDatabase("locked.edb", std::nullopt, false, 4, std::nullopt, "pw"));
  for (int i = 0; i < 300; ++i) {  // several cipher pages
    AppendRecord();
    WriteField(1, FieldValue::FromBytes(FieldType::kText, "text" + std::to_string(i)));
    WriteField(2, Memo(Pattern(600, i)));
  }
  CloseAllDatabases();
  const std::string stored = ReadBytes("locked.edb");
  EXPECT_EQ(stored.find("text299"), std::string::npos);
  EXPECT_EQ(ReadBytes("locked.EDT").substr(0, 4), "WEDT");

  ASSERT_TRUE(OpenDatabase("locked.edb", std::nullopt, false, 4, std::nullopt, "pw"));
  GoToRecord(300);
  EXPECT_EQ(ReadField(1).Text(), "text299");
  EXPECT_EQ(ReadField(2).Text(), Pattern(600, 299));
  ASSERT_TRUE(SetPassword("new"));
  CloseAllDatabases();
  EXPECT_FALSE(OpenDatabase("locked.edb", std::nullopt, true, std::nullopt, std::nullopt, "pw"));
  ASSERT_TRUE(OpenDatabase("locked.edb", std::nullopt, true, std::nullopt, std::nullopt, "new"));
  GoToRecord(150);
  EXPECT_EQ(ReadField(2).Text(), Pattern(600, 149));
  CloseAllDatabases();
  ASSERT_TRUE(OpenDatabase("locked.edb", std::nullopt, false, 4, std::nullopt, "new"));
  ASSERT_TRUE(SetPassword(""));
  CloseAllDatabases();
  EXPECT_EQ(ReadBytes("locked.edb").substr(0, 4), "WEDB");
  EXPECT_NE(ReadBytes("locked.edb").find("text299"), std::string::npos);
  ASSERT_TRUE(OpenDatabase("locked.edb"));
  GoToRecord(7);
  EXPECT_EQ(ReadField(2).Text(), Pattern(600, 6));
  CloseAllDatabases();
}

}  // namespace
}  // namespace zorli
