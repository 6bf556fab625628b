#pragma once
// Attaching index files at open: only their header is checked.
#include <cstdint>
#include <vector>

#include "database_state.h"

namespace zorli::edb {

constexpr size_t kMaxIndexFiles = 10;

// Opens, checks and keeps the index files named (empty names skipped). Result: 0 or a
// code; on failure db keeps no index file.
ErrorCode AttachIndexFiles(RecordDatabase& db, const std::vector<GbkText>& names, bool writable,
                           platform::FileSharing sharing);

}  // namespace zorli::edb
