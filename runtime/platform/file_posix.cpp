#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "file.h"

namespace zorli::platform {
namespace {

FileError fromErrno(int error) {
  switch (error) {
    case 0: return FileError::None;
    case ENOENT: return FileError::NotFound;
    case ENOTDIR: case ENAMETOOLONG: case ELOOP: return FileError::BadPath;
    case EMFILE: case ENFILE: return FileError::TooManyOpenFiles;
    case EACCES: case EPERM: case EROFS: case EISDIR: case ETXTBSY: return FileError::AccessDenied;
    case EBADF: return FileError::InvalidHandle;
    case EINVAL: case ESPIPE: case EOVERFLOW: case EFBIG: return FileError::SeekFailed;
    case EIO: return FileError::HardwareFault;
    case ENOSPC: case EDQUOT: return FileError::DiskFull;
    case EAGAIN: return FileError::LockViolation;
    default: return FileError::Generic;
  }
}

// Locks that two descriptors of one process contend for, like two Windows handles.
// A read-only descriptor cannot hold a write lock, so it takes a read lock, which still
// excludes every writer.
FileError setLock(int fd, short type, uint64_t offset, uint64_t length) {
  if (offset > INT64_MAX || length > INT64_MAX - offset) return FileError::SeekFailed;
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = static_cast<off_t>(offset);
  range.l_len = static_cast<off_t>(length);
  range.l_pid = 0;
  if (fcntl(fd, F_OFD_SETLK, &range) == 0) return FileError::None;
  return (errno == EAGAIN || errno == EACCES) ? FileError::LockViolation : fromErrno(errno);
}

// Opens path as a regular file only. Without blocking, so a FIFO with no writer (or a
// device) is refused at once instead of waiting in open().
int openRegular(const std::string& path, int flags, FileError& error) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) {
    error = fromErrno(errno);
    return -1;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    error = FileError::AccessDenied;
    return -1;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  error = FileError::None;
  return fd;
}

}  // namespace

FileError File::open(const std::string& path, bool writable, FileSharing) {
  close();
  FileError error;
  const int fd = openRegular(path, writable ? O_RDWR : O_RDONLY, error);
  if (fd < 0) return error;
  handle_ = fd;
  writable_ = writable;
  return FileError::None;
}

FileError File::create(const std::string& path) {
  close();
  FileError error;
  const int fd = openRegular(path, O_RDWR | O_CREAT | O_TRUNC, error);
  if (fd < 0) return error;
  handle_ = fd;
  writable_ = true;
  return FileError::None;
}

bool File::isOpen() const { return handle_ >= 0; }

void File::close() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
}

FileError File::readAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) {
  bytesRead = 0;
  if (!isOpen()) return FileError::InvalidHandle;
  if (offset > INT64_MAX) return FileError::SeekFailed;
  char* out = static_cast<char*>(buffer);
  while (bytesRead < size) {
    const ssize_t n = pread(static_cast<int>(handle_), out + bytesRead, size - bytesRead,
                            static_cast<off_t>(offset + bytesRead));
    if (n < 0) {
      if (errno == EINTR) continue;
      return fromErrno(errno);
    }
    if (n == 0) break;
    bytesRead += static_cast<size_t>(n);
  }
  return FileError::None;
}

FileError File::writeAt(uint64_t offset, const void* data, size_t size, size_t& bytesWritten) {
  bytesWritten = 0;
  if (!isOpen()) return FileError::InvalidHandle;
  if (offset > INT64_MAX) return FileError::SeekFailed;
  const char* in = static_cast<const char*>(data);
  while (bytesWritten < size) {
    const ssize_t n = pwrite(static_cast<int>(handle_), in + bytesWritten, size - bytesWritten,
                             static_cast<off_t>(offset + bytesWritten));
    if (n < 0) {
      if (errno == EINTR) continue;
      return fromErrno(errno);
    }
    if (n == 0) break;
    bytesWritten += static_cast<size_t>(n);
  }
  return FileError::None;
}

FileError File::length(uint64_t& size) {
  size = 0;
  struct stat info {};
  if (fstat(static_cast<int>(handle_), &info) != 0) return fromErrno(errno);
  size = static_cast<uint64_t>(info.st_size);
  return FileError::None;
}

FileError File::truncate(uint64_t size) {
  if (size > INT64_MAX) return FileError::SeekFailed;
  if (ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)) != 0) return fromErrno(errno);
  return FileError::None;
}

FileError File::lock(uint64_t offset, uint64_t length) {
  return setLock(static_cast<int>(handle_), writable_ ? F_WRLCK : F_RDLCK, offset, length);
}

FileError File::unlock(uint64_t offset, uint64_t length) {
  return setLock(static_cast<int>(handle_), F_UNLCK, offset, length);
}

bool isPathSeparator(char c) { return c == '/'; }

std::string absolutePath(const std::string& path) {
  std::string full = path;
  if (path.empty() || path[0] != '/') {
    std::vector<char> cwd(4096);
    while (getcwd(cwd.data(), cwd.size()) == nullptr && errno == ERANGE) cwd.resize(cwd.size() * 2);
    full = std::string(cwd.data()) + "/" + path;
  }
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= full.size()) {
    size_t end = full.find('/', start);
    if (end == std::string::npos) end = full.size();
    const std::string part = full.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result;
  for (const std::string& part : parts) result += "/" + part;
  return result.empty() ? "/" : result;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool replaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace zorli::platform
