#pragma once
// Scratch databases and raw byte access for the record database tests.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "database_writer.h"
#include "record_database.h"

namespace zorli::testing {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline void PatchInt32(const std::string& path, size_t offset, int32_t value) {
  std::string bytes = ReadBytes(path);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(uint32_t(value) >> (8 * i));
  WriteBytes(path, bytes);
}

inline int32_t Int32At(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
  return static_cast<int32_t>(value);
}

// A database of text fields named a, b, ... of the given width whose records hold the
// given texts in field 1 (further fields empty). Closes it again.
inline void MakeTextDatabase(const std::string& path, const std::vector<std::string>& firstFields,
                             int fieldCount = 1, int32_t width = 10) {
  std::vector<FieldDefinition> fields;
  for (int i = 0; i < fieldCount; ++i) {
    fields.push_back({std::string(1, static_cast<char>('a' + i)), FieldType::kText, width});
  }
  CreateDatabase(path, fields);
  OpenDatabase(path);
  for (const std::string& text : firstFields) {
    AppendRecord();
    WriteField(1, FieldValue::FromBytes(FieldType::kText, text));
  }
  CloseAllDatabases();
}

}  // namespace zorli::testing
