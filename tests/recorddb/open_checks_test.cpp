#include <gtest/gtest.h>

#include <filesystem>

#include "error_codes.h"
#include "test_files.h"

namespace zorli {
namespace {

using testing::Int32At;
using testing::MakeTextDatabase;
using testing::PatchInt32;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr size_t kDataStart1 = 116 + 72;  // one field

class OpenChecks : public ::testing::Test {
 protected:
  void SetUp() override { MakeTextDatabase(path, {"one", "two", "three", "four", "five"}); }
  void TearDown() override { CloseAllDatabases(); }
  int32_t OpenCode(bool readOnly, const GbkText& password = "") {
    OpenDatabase(path, std::nullopt, readOnly, std::nullopt, std::nullopt, password);
    const int32_t code = LastError();
    CloseAllDatabases();
    return code;
  }
  const std::string path = "checks.edb";
  const int32_t recordSize = 4 + 10;
};

TEST_F(OpenChecks, HeaderMagicAndLength) {
  EXPECT_EQ(OpenCode(true), edb::kOk);
  WriteBytes(path, ReadBytes(path).substr(0, 111));
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
  MakeTextDatabase(path, {"x"});
  std::string bytes = ReadBytes(path);
  bytes[1] = 'X';
  WriteBytes(path, bytes);
  EXPECT_EQ(OpenCode(false), edb::kNotDatabaseFile);
}

TEST_F(OpenChecks, HeaderValues) {
  PatchInt32(path, 24, 0);  // record size
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
  SetUp();
  PatchInt32(path, 16, -1);  // record count
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
  SetUp();
  PatchInt32(path, 20, 0);  // counter
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
  SetUp();
  PatchInt32(path, 4, 0x10001);
  EXPECT_EQ(OpenCode(true), edb::kVersionTooHigh);
  PatchInt32(path, 4, 1);
  EXPECT_EQ(OpenCode(true), edb::kOk);
}

TEST_F(OpenChecks, FieldCountAndDescriptors) {
  PatchInt32(path, 112, 0);
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
  // A count whose descriptors cannot be in the file is refused before any allocation.
  PatchInt32(path, 112, 0x7FFFFFFF);
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
  SetUp();
  PatchInt32(path, 116 + 20, 13);  // type
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
  SetUp();
  PatchInt32(path, 116 + 24, -1);  // offset
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
  SetUp();
  PatchInt32(path, 116 + 28, 0);  // text width
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
}

TEST_F(OpenChecks, NameTerminatorWithinSeventeenBytes) {
  std::string bytes = ReadBytes(path);
  bytes.replace(116, 16, std::string(16, 'n'));
  bytes[116 + 16] = '\0';
  WriteBytes(path, bytes);
  EXPECT_EQ(OpenCode(true), edb::kOk);
  bytes[116 + 16] = 'n';
  WriteBytes(path, bytes);
  EXPECT_EQ(OpenCode(true), edb::kNotDatabaseFile);
}

TEST_F(OpenChecks, MissingRecordsFailReadOnlyAndAreRepairedForWriting) {
  const std::string bytes = ReadBytes(path);
  WriteBytes(path, bytes.substr(0, kDataStart1 + recordSize * 3 + recordSize / 2));
  EXPECT_EQ(OpenCode(true), edb::kBadFileSize);
  EXPECT_EQ(ReadBytes(path).size(), kDataStart1 + recordSize * 3 + recordSize / 2);
  EXPECT_EQ(OpenCode(false), edb::kOk);
  const std::string repaired = ReadBytes(path);
  EXPECT_EQ(Int32At(repaired, 16), 3);
  EXPECT_EQ(repaired.size(), kDataStart1 + recordSize * 3);
}

TEST_F(OpenChecks, TrailingBytesAreCutOnlyForWriting) {
  const std::string bytes = ReadBytes(path) + "tail";
  WriteBytes(path, bytes);
  EXPECT_EQ(OpenCode(true), edb::kOk);
  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_EQ(OpenCode(false), edb::kOk);
  EXPECT_EQ(ReadBytes(path), bytes.substr(0, bytes.size() - 4));
}

// Opening for writing must not touch a sound file: a build that sees it changed takes
// it for newer than its source.
TEST_F(OpenChecks, OpeningASoundFileForWritingKeepsItsModificationTime) {
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  std::filesystem::last_write_time(path, old);
  const auto stored = std::filesystem::last_write_time(path);  // as precise as the disk
  EXPECT_EQ(OpenCode(false), edb::kOk);
  EXPECT_EQ(std::filesystem::last_write_time(path), stored);
}

TEST_F(OpenChecks, Passwords) {
  EXPECT_EQ(OpenCode(true, "pw"), edb::kWrongPassword);
  EXPECT_EQ(OpenCode(true, "?"), edb::kOk);  // "?" is no password for a plain file
  CreateDatabase("secret.edb", {{"a", FieldType::kText, 8}}, "pw");
  OpenDatabase("secret.edb");
  EXPECT_EQ(LastError(), edb::kWrongPassword);
  OpenDatabase("secret.edb", std::nullopt, true, std::nullopt, std::nullopt, "wrong");
  EXPECT_EQ(LastError(), edb::kWrongPassword);
  EXPECT_TRUE(OpenDatabase("secret.edb", std::nullopt, false, std::nullopt, std::nullopt, "pw"));
  EXPECT_EQ(ReadBytes("secret.edb").substr(0, 4), "WCDB");
  CloseAllDatabases();
}

class AuxiliaryChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDatabase(path, {{"note", FieldType::kMemo, 0}}));
    ASSERT_TRUE(OpenDatabase(path));
    AppendRecord();
    WriteField(1, FieldValue::FromBytes(FieldType::kMemo, std::string(700, 'm')));
    CloseAllDatabases();
  }
  void TearDown() override { CloseAllDatabases(); }
  int32_t OpenCode(bool readOnly) {
    OpenDatabase(path, std::nullopt, readOnly);
    const int32_t code = LastError();
    CloseAllDatabases();
    return code;
  }
  const std::string path = "memo.edb";
  const std::string auxPath = "memo.EDT";
};

TEST_F(AuxiliaryChecks, HeaderFaults) {
  EXPECT_EQ(OpenCode(true), edb::kOk);
  const std::string good = ReadBytes(auxPath);
  EXPECT_EQ(good.size(), 3u * 512);
  std::string bad = good;
  bad[0] = 'X';
  WriteBytes(auxPath, bad);
  EXPECT_EQ(OpenCode(true), edb::kAuxReadFailed);
  for (auto [offset, value] : {std::pair<size_t, int32_t>{16, 0}, {20, 3}, {24, -1}, {24, 3}}) {
    WriteBytes(auxPath, good);
    PatchInt32(auxPath, offset, value);
    EXPECT_EQ(OpenCode(true), edb::kAuxReadFailed) << offset << " " << value;
  }
  WriteBytes(auxPath, good);
  PatchInt32(auxPath, 4, 1);
  EXPECT_EQ(OpenCode(true), edb::kAuxVersionMismatch);
  WriteBytes(auxPath, good.substr(0, 20));
  EXPECT_EQ(OpenCode(true), edb::kAuxReadFailed);
  std::remove(auxPath.c_str());
  EXPECT_EQ(OpenCode(true), edb::kAuxReadFailed);
}

TEST_F(AuxiliaryChecks, BlockCountBeyondTheFile) {
  PatchInt32(auxPath, 16, 5);
  EXPECT_EQ(OpenCode(true), edb::kBadAuxFile);
  EXPECT_EQ(OpenCode(false), edb::kOk);
  EXPECT_EQ(Int32At(ReadBytes(auxPath), 16), 3);
}

TEST_F(AuxiliaryChecks, RepairWritesNoHeaderItsOwnChecksReject) {
  const std::string good = ReadBytes(auxPath);
  for (size_t length : {32, 511}) {  // not even block 0 is whole
    WriteBytes(auxPath, good.substr(0, length));
    EXPECT_EQ(OpenCode(false), edb::kBadAuxFile) << length;
    EXPECT_EQ(ReadBytes(auxPath), good.substr(0, length));
  }
  // Five blocks claimed, three left, and the free list's head beyond them.
  WriteBytes(auxPath, good);
  PatchInt32(auxPath, 16, 5);
  PatchInt32(auxPath, 20, 1);
  PatchInt32(auxPath, 24, 4);
  EXPECT_EQ(OpenCode(false), edb::kBadAuxFile);
  EXPECT_EQ(Int32At(ReadBytes(auxPath), 16), 5);
}

// Written as "EDT", as Windows tools write it; found in any case of the extension.
TEST_F(AuxiliaryChecks, FoundWhateverTheCaseOfItsExtension) {
  EXPECT_EQ(ReadBytes(auxPath).substr(0, 4), "WEDT");
  std::string previous = auxPath;
  for (const std::string name : {"memo.edt", "memo.eDt"}) {
    ASSERT_EQ(std::rename(previous.c_str(), name.c_str()), 0);
    previous = name;
    EXPECT_EQ(OpenCode(false), edb::kOk) << name;
  }
  std::rename(previous.c_str(), auxPath.c_str());
}

TEST(OpenDatabaseNames, ExtensionAliasDuplicatesAndMissingFiles) {
  MakeTextDatabase("plain.EDB", {"x"});
  EXPECT_TRUE(OpenDatabase("plain"));
  EXPECT_FALSE(OpenDatabase("plain.EDB"));
  EXPECT_EQ(LastError(), edb::kAlreadyOpen);
  CloseAllDatabases();
  EXPECT_TRUE(OpenDatabase("plain."));
  CloseAllDatabases();

  EXPECT_FALSE(OpenDatabase("missing.edb"));
  EXPECT_EQ(LastError(), edb::kFileNotFound);
  EXPECT_TRUE(ReadBytes("missing.edb").empty());
  EXPECT_FALSE(OpenDatabase(""));
  EXPECT_EQ(LastError(), edb::kFileNotFound);

  MakeTextDatabase("other.edb", {"y"});
  EXPECT_FALSE(OpenDatabase("plain.EDB", GbkText("1abc")));
  EXPECT_EQ(LastError(), edb::kBadAlias);
  // 知识 (Chinese characters are valid alias characters)
  EXPECT_TRUE(OpenDatabase("plain.EDB", GbkText("\xD6\xAA\xCA\xB6")));
  EXPECT_TRUE(OpenDatabase("other.edb", GbkText("kb")));
  EXPECT_EQ(FindDatabase("KB"), std::optional<size_t>(1));
  EXPECT_EQ(FindDatabase("\xD6\xAA\xCA\xB6"), std::optional<size_t>(0));
  EXPECT_EQ(FindDatabase("PLAIN"), std::optional<size_t>(0));
  EXPECT_EQ(FindDatabase(""), std::nullopt);
  EXPECT_EQ(FindDatabase("none"), std::nullopt);
  CloseAllDatabases();
  EXPECT_EQ(GetRecordCount(), 0);
  EXPECT_EQ(LastError(), edb::kNoCurrentDatabase);
}

// Aliases have no length limit; field names have fewer than 16 characters.
TEST(OpenDatabaseNames, LongAliasesFollowOnlyTheCharacterRule) {
  MakeTextDatabase("alias1.edb", {"x"});
  MakeTextDatabase("alias2.edb", {"y"});
  const GbkText nineCharacters = "\xD6\xAA\xCA\xB6\xD6\xAA\xCA\xB6\xD6\xAA\xCA\xB6\xD6\xAA"
                                 "\xCA\xB6\xD6\xAA";  // 知识知识知识知识知
  const GbkText sixteenLetters = "abcdefghijklmnop";
  EXPECT_TRUE(OpenDatabase("alias1.edb", nineCharacters));
  EXPECT_TRUE(OpenDatabase("alias2.edb", sixteenLetters));
  EXPECT_EQ(FindDatabase(nineCharacters), std::optional<size_t>(0));
  EXPECT_EQ(FindDatabase(sixteenLetters), std::optional<size_t>(1));
  CloseAllDatabases();
  EXPECT_FALSE(CreateDatabase("alias3.edb", {{sixteenLetters, FieldType::kInt, 0}}));
  EXPECT_EQ(LastError(), edb::kBadFieldName);
}

// A GBK trail byte may be an ASCII letter; it must not be compared without regard to case,
// or two different characters would name the same database.
TEST(OpenDatabaseNames, TrailBytesAreNotCaseFolded) {
  const GbkText upperTrail = "\xB0\x41", lowerTrail = "\xB0\x61";
  MakeTextDatabase(upperTrail + ".edb", {"x"});
  MakeTextDatabase(lowerTrail + ".edb", {"y"});
  ASSERT_TRUE(OpenDatabase(upperTrail + ".edb", upperTrail));
  EXPECT_TRUE(OpenDatabase(lowerTrail + ".edb"));
  EXPECT_EQ(LastError(), edb::kOk);
  EXPECT_EQ(FindDatabase(upperTrail), std::optional<size_t>(0));
  EXPECT_EQ(FindDatabase(lowerTrail), std::optional<size_t>(1));
  CloseAllDatabases();
  ASSERT_TRUE(OpenDatabase(lowerTrail + ".edb", lowerTrail));
  EXPECT_EQ(FindDatabase(upperTrail), std::nullopt);
  CloseAllDatabases();
}

}  // namespace
}  // namespace zorli
