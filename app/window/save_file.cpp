#include "save_file.h"

#include <commdlg.h>

#include <vector>

namespace zorli::window {
namespace {

// "Text files" and "all files", each a name and a pattern.
constexpr wchar_t kFilter[] = L"文本文件 (*.txt)\0*.txt\0所有文件 (*.*)\0*.*\0";

std::wstring SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 && text != nullptr ? std::wstring(text, length) : L"";
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L' ' || message.back() == L'.'))
    message.pop_back();
  return message + L" (" + std::to_wstring(code) + L")";
}

// A name beside path no other file has, created here and now (CREATE_NEW), so that two
// saves never write into the same temporary file.
HANDLE CreateUniqueBeside(const std::wstring& path, std::wstring& temporary, DWORD& error) {
  constexpr int kAttempts = 100;
  const DWORD seed = GetCurrentProcessId() ^ GetTickCount();
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    temporary = path + L"." + std::to_wstring(seed + static_cast<DWORD>(attempt)) + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  temporary.clear();
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    constexpr size_t kChunk = 1 << 20;
    const DWORD size = static_cast<DWORD>(bytes.size() < kChunk ? bytes.size() : kChunk);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(file) != 0;
}

}  // namespace

std::optional<std::wstring> AskSavePath(HWND owner, const std::wstring& title,
                                        const std::wstring& defaultName) {
  std::vector<wchar_t> file(32768, L'\0');
  defaultName.copy(file.data(), file.size() - 1);
  std::vector<wchar_t> folder(32768, L'\0');
  GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.data();
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"txt";
  // The knowledge files are found in the current folder: the dialog must not move it.
  dialog.Flags =
      OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return std::wstring(file.data());
}

std::optional<std::wstring> WriteFileReplacing(const std::wstring& path, std::string_view bytes) {
  // Windows refuses to rename over a read-only file, Wine does not: refuse it alike.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return SystemMessage(ERROR_ACCESS_DENIED);
  std::wstring temporary;
  DWORD error = ERROR_SUCCESS;
  HANDLE file = CreateUniqueBeside(path, temporary, error);
  if (file == INVALID_HANDLE_VALUE) return SystemMessage(error);
  bool written = WriteAll(file, bytes);
  if (!written) {
    error = GetLastError();
    if (error == ERROR_SUCCESS) error = ERROR_DISK_FULL;  // the file took no more
  }
  if (!CloseHandle(file) && written) {
    written = false;
    error = GetLastError();
  }
  if (written && !MoveFileExW(temporary.c_str(), path.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    written = false;
    error = GetLastError();
  }
  if (written) return std::nullopt;
  DeleteFileW(temporary.c_str());
  return SystemMessage(error);
}

}  // namespace zorli::window
