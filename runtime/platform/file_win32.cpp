#include <windows.h>

#include <algorithm>

#include "file.h"

namespace zorli::platform {
namespace {

FileError fromLastError(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS: return FileError::None;
    case ERROR_FILE_NOT_FOUND: return FileError::NotFound;
    case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: case ERROR_FILENAME_EXCED_RANGE: return FileError::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return FileError::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: return FileError::AccessDenied;
    case ERROR_INVALID_HANDLE: return FileError::InvalidHandle;
    case ERROR_CURRENT_DIRECTORY: return FileError::RemoveCurrentDirectory;
    case ERROR_CANNOT_MAKE: return FileError::DirectoryFull;
    case ERROR_NEGATIVE_SEEK: case ERROR_SEEK: case ERROR_SEEK_ON_DEVICE: return FileError::SeekFailed;
    case ERROR_CRC: case ERROR_READ_FAULT: case ERROR_WRITE_FAULT: case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE: return FileError::HardwareFault;
    case ERROR_SHARING_VIOLATION: return FileError::SharingViolation;
    case ERROR_LOCK_VIOLATION: return FileError::LockViolation;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return FileError::DiskFull;
    case ERROR_HANDLE_EOF: return FileError::EndOfFile;
    default: return FileError::Generic;
  }
}

HANDLE asHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

DWORD shareFlags(FileSharing sharing) {
  switch (sharing) {
    case FileSharing::DenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case FileSharing::DenyRead: return FILE_SHARE_WRITE;
    case FileSharing::DenyWrite: return FILE_SHARE_READ;
    case FileSharing::Exclusive: return 0;
  }
  return 0;
}

OVERLAPPED at(uint64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(offset);
  position.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return position;
}

// Only disk files are files here: a device or pipe (NUL, CON, a named pipe) is refused
// at once instead of being read from.
FileError acceptDiskFile(HANDLE handle, intptr_t& stored) {
  if (handle == INVALID_HANDLE_VALUE) return fromLastError(GetLastError());
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return FileError::AccessDenied;
  }
  stored = reinterpret_cast<intptr_t>(handle);
  return FileError::None;
}

}  // namespace

FileError File::open(const std::string& path, bool writable, FileSharing sharing) {
  close();
  const DWORD access = writable ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
  HANDLE handle = CreateFileA(path.c_str(), access, shareFlags(sharing), nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  const FileError error = acceptDiskFile(handle, handle_);
  if (error == FileError::None) writable_ = writable;
  return error;
}

FileError File::create(const std::string& path) {
  close();
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  const FileError error = acceptDiskFile(handle, handle_);
  if (error == FileError::None) writable_ = true;
  return error;
}

bool File::isOpen() const { return asHandle(handle_) != INVALID_HANDLE_VALUE; }

void File::close() {
  if (isOpen()) CloseHandle(asHandle(handle_));
  handle_ = -1;
}

FileError File::readAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) {
  bytesRead = 0;
  if (!isOpen()) return FileError::InvalidHandle;
  char* out = static_cast<char*>(buffer);
  while (bytesRead < size) {
    OVERLAPPED position = at(offset + bytesRead);
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - bytesRead, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(asHandle(handle_), out + bytesRead, chunk, &n, &position)) {
      const DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF) break;
      return fromLastError(error);
    }
    if (n == 0) break;
    bytesRead += n;
  }
  return FileError::None;
}

FileError File::writeAt(uint64_t offset, const void* data, size_t size, size_t& bytesWritten) {
  bytesWritten = 0;
  if (!isOpen()) return FileError::InvalidHandle;
  const char* in = static_cast<const char*>(data);
  while (bytesWritten < size) {
    OVERLAPPED position = at(offset + bytesWritten);
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - bytesWritten, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(asHandle(handle_), in + bytesWritten, chunk, &n, &position)) {
      return fromLastError(GetLastError());
    }
    if (n == 0) break;
    bytesWritten += n;
  }
  return FileError::None;
}

FileError File::length(uint64_t& size) {
  size = 0;
  LARGE_INTEGER value;
  if (!GetFileSizeEx(asHandle(handle_), &value)) return fromLastError(GetLastError());
  size = static_cast<uint64_t>(value.QuadPart);
  return FileError::None;
}

FileError File::truncate(uint64_t size) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(asHandle(handle_), position, nullptr, FILE_BEGIN) ||
      !SetEndOfFile(asHandle(handle_))) {
    return fromLastError(GetLastError());
  }
  return FileError::None;
}

FileError File::lock(uint64_t offset, uint64_t length) {
  if (!LockFile(asHandle(handle_), static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32),
                static_cast<DWORD>(length), static_cast<DWORD>(length >> 32))) {
    return fromLastError(GetLastError());
  }
  return FileError::None;
}

FileError File::unlock(uint64_t offset, uint64_t length) {
  if (!UnlockFile(asHandle(handle_), static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32),
                  static_cast<DWORD>(length), static_cast<DWORD>(length >> 32))) {
    return fromLastError(GetLastError());
  }
  return FileError::None;
}

bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

std::string absolutePath(const std::string& path) {
  char buffer[MAX_PATH * 4];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (n == 0 || n >= sizeof buffer) return path;
  return std::string(buffer, n);
}

bool removeFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace zorli::platform
