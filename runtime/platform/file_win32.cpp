#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "file.h"
#include "wide_text.h"

namespace zorli::platform {
namespace {

FileError FromLastError(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS: return FileError::kNone;
    case ERROR_FILE_NOT_FOUND: return FileError::kNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_FILENAME_EXCED_RANGE: return FileError::kBadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return FileError::kTooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return FileError::kAccessDenied;
    case ERROR_INVALID_HANDLE: return FileError::kInvalidHandle;
    case ERROR_CURRENT_DIRECTORY: return FileError::kRemoveCurrentDirectory;
    case ERROR_CANNOT_MAKE: return FileError::kDirectoryFull;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK:
    case ERROR_SEEK_ON_DEVICE: return FileError::kSeekFailed;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE: return FileError::kHardwareFault;
    case ERROR_SHARING_VIOLATION: return FileError::kSharingViolation;
    case ERROR_LOCK_VIOLATION: return FileError::kLockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileError::kDiskFull;
    case ERROR_HANDLE_EOF: return FileError::kEndOfFile;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return FileError::kAlreadyExists;
    default: return FileError::kGeneric;
  }
}

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

DWORD ShareFlags(FileSharing sharing) {
  switch (sharing) {
    case FileSharing::kDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case FileSharing::kDenyRead: return FILE_SHARE_WRITE;
    case FileSharing::kDenyWrite: return FILE_SHARE_READ;
    case FileSharing::kExclusive: return 0;
  }
  return 0;
}

OVERLAPPED At(uint64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(offset);
  position.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return position;
}

// Only disk files are files here: a device or pipe (NUL, CON, a named pipe) is refused
// at once instead of being read from.
FileError AcceptDiskFile(HANDLE handle, intptr_t& stored) {
  if (handle == INVALID_HANDLE_VALUE) return FromLastError(GetLastError());
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return FileError::kAccessDenied;
  }
  stored = reinterpret_cast<intptr_t>(handle);
  return FileError::kNone;
}

// A GBK path as the wide calls take it, made absolute against the current folder: that
// folder may hold any character, whatever the system's code page can spell.
std::optional<std::wstring> WideFullPath(const std::string& path) {
  const std::optional<std::wstring> wide = ToWideExact(CodePage::kGbk, path);
  if (!wide || wide->empty()) return std::nullopt;
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFullPathNameW(wide->c_str(), static_cast<DWORD>(full.size()), full.data(),
                                     nullptr);
    if (n == 0) return std::nullopt;
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);
  }
}

HANDLE CreateFileGbk(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  const std::optional<std::wstring> wide = WideFullPath(path);
  if (!wide) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileW(wide->c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

}  // namespace

FileError File::Open(const std::string& path, bool writable, FileSharing sharing) {
  Close();
  const DWORD access = writable ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
  HANDLE handle = CreateFileGbk(path, access, ShareFlags(sharing), OPEN_EXISTING);
  const FileError error = AcceptDiskFile(handle, handle_);
  if (error == FileError::kNone) writable_ = writable;
  return error;
}

FileError File::Create(const std::string& path) {
  Close();
  HANDLE handle = CreateFileGbk(path, GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, CREATE_ALWAYS);
  const FileError error = AcceptDiskFile(handle, handle_);
  if (error == FileError::kNone) writable_ = true;
  return error;
}

FileError File::CreateNew(const std::string& path) {
  Close();
  HANDLE handle = CreateFileGbk(path, GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, CREATE_NEW);
  const FileError error = AcceptDiskFile(handle, handle_);
  if (error == FileError::kNone) writable_ = true;
  return error;
}

bool File::IsOpen() const { return AsHandle(handle_) != INVALID_HANDLE_VALUE; }

void File::Close() {
  if (IsOpen()) CloseHandle(AsHandle(handle_));
  handle_ = -1;
}

FileError File::ReadAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) {
  bytesRead = 0;
  if (!IsOpen()) return FileError::kInvalidHandle;
  char* out = static_cast<char*>(buffer);
  while (bytesRead < size) {
    OVERLAPPED position = At(offset + bytesRead);
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - bytesRead, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(AsHandle(handle_), out + bytesRead, chunk, &n, &position)) {
      const DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF) break;
      return FromLastError(error);
    }
    if (n == 0) break;
    bytesRead += n;
  }
  return FileError::kNone;
}

FileError File::WriteAt(uint64_t offset, const void* data, size_t size, size_t& bytesWritten) {
  bytesWritten = 0;
  if (!IsOpen()) return FileError::kInvalidHandle;
  const char* in = static_cast<const char*>(data);
  while (bytesWritten < size) {
    OVERLAPPED position = At(offset + bytesWritten);
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - bytesWritten, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(AsHandle(handle_), in + bytesWritten, chunk, &n, &position)) {
      return FromLastError(GetLastError());
    }
    if (n == 0) break;
    bytesWritten += n;
  }
  return FileError::kNone;
}

FileError File::Length(uint64_t& size) {
  size = 0;
  LARGE_INTEGER value;
  if (!GetFileSizeEx(AsHandle(handle_), &value)) return FromLastError(GetLastError());
  size = static_cast<uint64_t>(value.QuadPart);
  return FileError::kNone;
}

FileError File::Truncate(uint64_t size) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(AsHandle(handle_), position, nullptr, FILE_BEGIN) ||
      !SetEndOfFile(AsHandle(handle_))) {
    return FromLastError(GetLastError());
  }
  return FileError::kNone;
}

FileError File::Lock(uint64_t offset, uint64_t length) {
  if (!LockFile(AsHandle(handle_), static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32),
                static_cast<DWORD>(length), static_cast<DWORD>(length >> 32))) {
    return FromLastError(GetLastError());
  }
  return FileError::kNone;
}

FileError File::Unlock(uint64_t offset, uint64_t length) {
  if (!UnlockFile(AsHandle(handle_), static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32),
                  static_cast<DWORD>(length), static_cast<DWORD>(length >> 32))) {
    return FromLastError(GetLastError());
  }
  return FileError::kNone;
}

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// For comparison only: a character GBK lacks becomes "?", so such a path is never opened
// by this text.
std::string AbsolutePath(const std::string& path) {
  const std::optional<std::wstring> wide = WideFullPath(path);
  return wide ? FromWide(CodePage::kGbk, *wide) : path;
}

bool RemoveFile(const std::string& path) {
  const std::optional<std::wstring> wide = WideFullPath(path);
  return wide && DeleteFileW(wide->c_str()) != 0;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  const std::optional<std::wstring> wideFrom = WideFullPath(from), wideTo = WideFullPath(to);
  return wideFrom && wideTo &&
         MoveFileExW(wideFrom->c_str(), wideTo->c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace zorli::platform
