// A save replaces the named file whole or not at all, under any Unicode name.
#include "save_file.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "test_files.h"

namespace zorli::window {
namespace {

using zorli::testing::ReadWhole;

// Names in folder, besides "." and "..".
int FilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0) ++count;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

class SaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder and a file name with characters of no single code page.
    folder_ = L"保存-Ünïcødé-😀";
    RemoveFolder();
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  void TearDown() override { RemoveFolder(); }
  void RemoveFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring path = folder_ + L"\\" + found.cFileName;
        if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
  }
  std::wstring folder_;
};

TEST_F(SaveFileTest, WritesAndReplacesUnderAUnicodeNameLeavingNothingBeside) {
  const std::wstring path = folder_ + L"\\聊天记录 Ω.txt";
  const std::string first("\xEF\xBB\xBFone\r\n\0two", 12);
  EXPECT_EQ(WriteFileReplacing(path, first), std::nullopt);
  EXPECT_EQ(ReadWhole(path), first);
  EXPECT_EQ(WriteFileReplacing(path, "x"), std::nullopt);
  EXPECT_EQ(ReadWhole(path), "x");
  EXPECT_EQ(FilesIn(folder_), 1);
}

TEST_F(SaveFileTest, AFailureSaysWhyAndLeavesTheOldContentAndNoTemporary) {
  const auto missingFolder = WriteFileReplacing(folder_ + L"\\no such folder\\a.txt", "x");
  ASSERT_TRUE(missingFolder);
  EXPECT_FALSE(missingFolder->empty());

  // A folder of that name cannot be replaced by a file: the rename fails after the write.
  const std::wstring taken = folder_ + L"\\taken";
  ASSERT_TRUE(CreateDirectoryW(taken.c_str(), nullptr));
  EXPECT_TRUE(WriteFileReplacing(taken, "x"));
  EXPECT_EQ(FilesIn(folder_), 1);

  // A read-only file stays as it was.
  const std::wstring kept = folder_ + L"\\kept.txt";
  ASSERT_EQ(WriteFileReplacing(kept, "old"), std::nullopt);
  SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(WriteFileReplacing(kept, "new"));
  EXPECT_EQ(ReadWhole(kept), "old");
  EXPECT_EQ(FilesIn(folder_), 2);
  SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace zorli::window
