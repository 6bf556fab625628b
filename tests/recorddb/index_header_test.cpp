#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "error_codes.h"
#include "platform/file.h"
#include "test_files.h"

namespace zorli {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

void PutInt32(std::string& bytes, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(uint32_t(value) >> (8 * i));
}

struct KeyField {
  std::string name;
  int32_t type;  // the field's type code, or the negated width of a text field
};

// A sound index header of two 512-byte pages over the given key fields, in a file of
// exactly those two pages.
std::string IndexFile(const std::vector<KeyField>& keys, int32_t keyLength) {
  std::string bytes(2 * 512, '\0');
  bytes.replace(0, 4, "WENX");
  PutInt32(bytes, 4, 0x10000);
  PutInt32(bytes, 24, 2);  // pages
  PutInt32(bytes, 36, 1);
  PutInt32(bytes, 40, 512);  // page size
  PutInt32(bytes, 44, keyLength);
  PutInt32(bytes, 48, static_cast<int32_t>(keys.size()));
  for (size_t k = 0; k < keys.size(); ++k) {
    bytes.replace(52 + 17 * k, keys[k].name.size(), keys[k].name);
    PutInt32(bytes, 188 + 4 * k, keys[k].type);
  }
  return bytes;
}

class IndexHeader : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        CreateDatabase("indexed.edb", {{"word", FieldType::kText, 10}, {"n", FieldType::kInt, 0}}));
    good = IndexFile({{"word", -10}}, 10);
    WriteBytes("word.ENX", good);
  }
  void TearDown() override { CloseAllDatabases(); }
  // Opens the database with the given index names; the code, closed again.
  int32_t OpenCode(const std::vector<GbkText>& indexes, int32_t shareMode = kShareDenyNone) {
    OpenDatabase("indexed.edb", std::nullopt, false, shareMode, std::nullopt, std::nullopt,
                 indexes);
    const int32_t code = LastError();
    CloseAllDatabases();
    return code;
  }
  int32_t CodeWith(size_t offset, int32_t value) {
    std::string bytes = good;
    PutInt32(bytes, offset, value);
    WriteBytes("word.ENX", bytes);
    return OpenCode({"word"});
  }
  std::string good;
};

TEST_F(IndexHeader, SoundHeadersAttachByNameWithoutExtension) {
  EXPECT_EQ(OpenCode({"word"}), edb::kOk);
  EXPECT_EQ(OpenCode({"", "word.ENX", ""}), edb::kOk);
  // Key names compare without regard to case; an int key carries its type code.
  WriteBytes("both.ENX", IndexFile({{"WORD", -10}, {"n", 3}}, 14));
  EXPECT_EQ(OpenCode({"word", "both"}), edb::kOk);
  // A failed attachment leaves nothing open.
  EXPECT_EQ(OpenCode({"word", "missing"}), edb::kIndexOpenFailed);
  EXPECT_EQ(GetRecordCount(), 0);
  EXPECT_EQ(LastError(), edb::kNoCurrentDatabase);
}

TEST_F(IndexHeader, PageFieldsAndSizes) {
  std::string bytes = good;
  bytes[3] = 'B';
  WriteBytes("word.ENX", bytes);
  EXPECT_EQ(OpenCode({"word"}), edb::kBadIndexFile);
  WriteBytes("word.ENX", good.substr(0, 223));
  EXPECT_EQ(OpenCode({"word"}), edb::kBadIndexFile);

  EXPECT_EQ(CodeWith(4, 0x10001), edb::kIndexVersionMismatch);
  EXPECT_EQ(CodeWith(4, 1), edb::kIndexVersionMismatch);
  EXPECT_EQ(CodeWith(24, 1), edb::kBadIndexFile);
  for (size_t offset : {28u, 32u}) {
    EXPECT_EQ(CodeWith(offset, 1), edb::kOk) << offset;
    EXPECT_EQ(CodeWith(offset, -1), edb::kBadIndexFile) << offset;
    EXPECT_EQ(CodeWith(offset, 2), edb::kBadIndexFile) << offset;
  }
  EXPECT_EQ(CodeWith(36, 0), edb::kBadIndexFile);
  EXPECT_EQ(CodeWith(36, 2), edb::kBadIndexFile);
  EXPECT_EQ(CodeWith(40, 511), edb::kBadIndexFile);
  // Two pages of 513 bytes do not fit in 1024.
  EXPECT_EQ(CodeWith(40, 513), edb::kBadIndexFileSize);
  WriteBytes("word.ENX", good.substr(0, 1023));
  EXPECT_EQ(OpenCode({"word"}), edb::kBadIndexFileSize);
}

TEST_F(IndexHeader, KeyFieldsMustMatchTheDatabase) {
  EXPECT_EQ(CodeWith(44, 0), edb::kBadIndexFile);
  EXPECT_EQ(CodeWith(44, 81), edb::kBadIndexFile);
  EXPECT_EQ(CodeWith(44, 9), edb::kIndexFieldSizeMismatch);
  EXPECT_EQ(CodeWith(48, 0), edb::kBadIndexFile);
  EXPECT_EQ(CodeWith(48, 9), edb::kBadIndexFile);
  EXPECT_EQ(CodeWith(188, -9), edb::kIndexFieldSizeMismatch);
  EXPECT_EQ(CodeWith(188, 10), edb::kIndexFieldTypeMismatch);

  WriteBytes("word.ENX", IndexFile({{"none", -10}}, 10));
  EXPECT_EQ(OpenCode({"word"}), edb::kIndexFieldNotFound);
  WriteBytes("word.ENX", IndexFile({{"n", 2}}, 4));
  EXPECT_EQ(OpenCode({"word"}), edb::kIndexFieldTypeMismatch);
  std::string unterminated = good;
  unterminated.replace(52, 17, std::string(17, 'w'));
  WriteBytes("word.ENX", unterminated);
  EXPECT_EQ(OpenCode({"word"}), edb::kBadIndexFile);
}

TEST_F(IndexHeader, CountsDuplicatesAndLocks) {
  EXPECT_EQ(OpenCode(std::vector<GbkText>(11, "word")), edb::kTooManyIndexFiles);
  EXPECT_EQ(OpenCode({"word", "word.ENX"}), edb::kIndexAlreadyOpen);

  // Another opener holding part of the index: the whole-file lock fails.
  platform::File other;
  ASSERT_EQ(other.Open("word.ENX", true, platform::FileSharing::kDenyNone),
            platform::FileError::kNone);
  ASSERT_EQ(other.Lock(100, 1), platform::FileError::kNone);
  EXPECT_EQ(OpenCode({"word"}), edb::kLockViolation);
  other.Close();
  EXPECT_EQ(OpenCode({"word"}), edb::kOk);
}

#ifdef _WIN32
// The second attachment of a file is opened before it is recognised, so a sharing mode
// that excludes the first handle fails that open.
TEST_F(IndexHeader, SecondAttachmentIsOpenedBeforeItIsRecognised) {
  EXPECT_EQ(OpenCode({"word", "word"}, kShareExclusive), edb::kIndexOpenFailed);
}
#endif

}  // namespace
}  // namespace zorli
