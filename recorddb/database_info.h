#pragma once
// A description of the current database, for tools: its header values and fields.
#include <cstdint>
#include <optional>
#include <vector>

#include "field_value.h"
#include "gbk_text.h"

namespace zorli {

struct FieldInfo {
  GbkText name;
  FieldType type;
  int32_t offset;
  int32_t width;  // bytes in the record
};

struct DatabaseInfo {
  int32_t version;
  int32_t recordCount;  // as read at open
  int32_t counter;
  int32_t recordSize;
  bool enciphered;
  std::vector<FieldInfo> fields;
  bool hasAuxiliaryFile;
  int32_t blockCount;  // of the auxiliary file, 0 without one
  int32_t freeBlockCount;
};

// nullopt when no database is current.
std::optional<DatabaseInfo> DescribeCurrentDatabase();

}  // namespace zorli
