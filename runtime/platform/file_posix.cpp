#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "file.h"

namespace zorli::platform {
namespace {

FileError FromErrno(int error) {
  switch (error) {
    case 0: return FileError::kNone;
    case ENOENT: return FileError::kNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return FileError::kBadPath;
    case EMFILE:
    case ENFILE: return FileError::kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return FileError::kAccessDenied;
    case EBADF: return FileError::kInvalidHandle;
    case EINVAL:
    case ESPIPE:
    case EOVERFLOW:
    case EFBIG: return FileError::kSeekFailed;
    case EIO: return FileError::kHardwareFault;
    case ENOSPC:
    case EDQUOT: return FileError::kDiskFull;
    case EAGAIN: return FileError::kLockViolation;
    case EEXIST: return FileError::kAlreadyExists;
    default: return FileError::kGeneric;
  }
}

// Locks that two descriptors of one process contend for, like two Windows handles.
// A read-only descriptor cannot hold a write lock, so it takes a read lock, which still
// excludes every writer.
FileError SetLock(int fd, short type, uint64_t offset, uint64_t length) {
  if (offset > INT64_MAX || length > INT64_MAX - offset) return FileError::kSeekFailed;
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = static_cast<off_t>(offset);
  range.l_len = static_cast<off_t>(length);
  range.l_pid = 0;
  if (fcntl(fd, F_OFD_SETLK, &range) == 0) return FileError::kNone;
  return (errno == EAGAIN || errno == EACCES) ? FileError::kLockViolation : FromErrno(errno);
}

// Opens path as a regular file only. Without blocking, so a FIFO with no writer (or a
// device) is refused at once instead of waiting in open().
int OpenRegular(const std::string& path, int flags, FileError& error) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) {
    error = FromErrno(errno);
    return -1;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    error = FileError::kAccessDenied;
    return -1;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  error = FileError::kNone;
  return fd;
}

}  // namespace

FileError File::Open(const std::string& path, bool writable, FileSharing) {
  Close();
  FileError error;
  const int fd = OpenRegular(path, writable ? O_RDWR : O_RDONLY, error);
  if (fd < 0) return error;
  handle_ = fd;
  writable_ = writable;
  return FileError::kNone;
}

FileError File::Create(const std::string& path) {
  Close();
  FileError error;
  const int fd = OpenRegular(path, O_RDWR | O_CREAT | O_TRUNC, error);
  if (fd < 0) return error;
  handle_ = fd;
  writable_ = true;
  return FileError::kNone;
}

FileError File::CreateNew(const std::string& path) {
  Close();
  FileError error;
  const int fd = OpenRegular(path, O_RDWR | O_CREAT | O_EXCL, error);
  if (fd < 0) return error;
  handle_ = fd;
  writable_ = true;
  return FileError::kNone;
}

bool File::IsOpen() const { return handle_ >= 0; }

void File::Close() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
}

FileError File::ReadAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) {
  bytesRead = 0;
  if (!IsOpen()) return FileError::kInvalidHandle;
  if (offset > INT64_MAX) return FileError::kSeekFailed;
  char* out = static_cast<char*>(buffer);
  while (bytesRead < size) {
    const ssize_t n = pread(static_cast<int>(handle_), out + bytesRead, size - bytesRead,
                            static_cast<off_t>(offset + bytesRead));
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    if (n == 0) break;
    bytesRead += static_cast<size_t>(n);
  }
  return FileError::kNone;
}

FileError File::WriteAt(uint64_t offset, const void* data, size_t size, size_t& bytesWritten) {
  bytesWritten = 0;
  if (!IsOpen()) return FileError::kInvalidHandle;
  if (offset > INT64_MAX) return FileError::kSeekFailed;
  const char* in = static_cast<const char*>(data);
  while (bytesWritten < size) {
    const ssize_t n = pwrite(static_cast<int>(handle_), in + bytesWritten, size - bytesWritten,
                             static_cast<off_t>(offset + bytesWritten));
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    if (n == 0) break;
    bytesWritten += static_cast<size_t>(n);
  }
  return FileError::kNone;
}

FileError File::Length(uint64_t& size) {
  size = 0;
  struct stat info {};
  if (fstat(static_cast<int>(handle_), &info) != 0) return FromErrno(errno);
  size = static_cast<uint64_t>(info.st_size);
  return FileError::kNone;
}

FileError File::Truncate(uint64_t size) {
  if (size > INT64_MAX) return FileError::kSeekFailed;
  if (ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)) != 0) return FromErrno(errno);
  return FileError::kNone;
}

FileError File::Lock(uint64_t offset, uint64_t length) {
  return SetLock(static_cast<int>(handle_), writable_ ? F_WRLCK : F_RDLCK, offset, length);
}

FileError File::Unlock(uint64_t offset, uint64_t length) {
  return SetLock(static_cast<int>(handle_), F_UNLCK, offset, length);
}

bool IsPathSeparator(char c) { return c == '/'; }

std::string AbsolutePath(const std::string& path) {
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

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool RenameReplacing(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace zorli::platform
