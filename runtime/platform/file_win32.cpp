#include <windows.h>

#include <algorithm>

#include "file.h"

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

}  // namespace

FileError File::Open(const std::string& path, bool writable, FileSharing sharing) {
  Close();
  const DWORD access = writable ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
  HANDLE handle = CreateFileA(path.c_str(), access, ShareFlags(sharing), nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  const FileError error = AcceptDiskFile(handle, handle_);
  if (error == FileError::kNone) writable_ = writable;
  return error;
}

FileError File::Create(const std::string& path) {
  Close();
  HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  const FileError error = AcceptDiskFile(handle, handle_);
  if (error == FileError::kNone) writable_ = true;
  return error;
}

FileError File::CreateNew(const std::string& path) {
  Close();
  HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

std::string AbsolutePath(const std::string& path) {
  char buffer[MAX_PATH * 4];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (n == 0 || n >= sizeof buffer) return path;
  return std::string(buffer, n);
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool RenameReplacing(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace zorli::platform
