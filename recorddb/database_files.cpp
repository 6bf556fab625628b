#include "database_files.h"

namespace zorli::edb {
namespace {

platform::FileSystem* replacement = nullptr;

}  // namespace

platform::FileSystem& DatabaseFiles() {
  return replacement != nullptr ? *replacement : platform::DiskFileSystem();
}

void SetDatabaseFiles(platform::FileSystem* files) { replacement = files; }

}  // namespace zorli::edb
