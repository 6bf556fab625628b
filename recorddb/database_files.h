#pragma once
// The file system through which the record database opens and creates its files: the
// disk's, unless a test has put another in its place (to make writes fail, say).
#include "platform/file_system.h"

namespace zorli::edb {

platform::FileSystem& DatabaseFiles();
// nullptr restores the disk's. Files already open keep the file system they came from.
void SetDatabaseFiles(platform::FileSystem* files);

}  // namespace zorli::edb
