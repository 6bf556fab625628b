#include "test_files.h"

#include <gtest/gtest.h>

#include "database_writer.h"
#include "record_database.h"

namespace zorli::testing {

void WriteKnowledgeFile(const knowledge::KnowledgeSchema& schema,
                        const std::vector<std::vector<GbkText>>& rows) {
  const GbkText name(schema.fileName);
  ASSERT_TRUE(CreateDatabase(name, knowledge::FieldDefinitions(schema))) << LastError();
  ASSERT_TRUE(OpenDatabase(name)) << LastError();
  for (const auto& row : rows) {
    ASSERT_TRUE(AppendRecord());
    for (size_t i = 0; i < row.size(); ++i) {
      ASSERT_TRUE(
          WriteField(static_cast<int32_t>(i + 1), FieldValue::FromBytes(FieldType::kText, row[i])));
    }
  }
  CloseAllDatabases();
}

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

std::wstring TextOf(HWND window) {
  const auto length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string ReadWhole(const std::wstring& path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(1 << 16, '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

}  // namespace zorli::testing
