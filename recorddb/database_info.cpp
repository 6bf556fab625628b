#include "database_info.h"

#include "database_state.h"
#include "error_codes.h"

namespace zorli {

std::optional<DatabaseInfo> DescribeCurrentDatabase() {
  edb::RecordDatabase* db = edb::CurrentDatabase();
  if (db == nullptr) return std::nullopt;
  DatabaseInfo info{};
  info.version = db->header.version();
  info.recordCount = db->header.recordCount();
  info.counter = db->header.counter();
  info.recordSize = db->header.recordSize();
  info.enciphered = db->header.enciphered();
  for (const edb::FieldDescriptor& field : db->fields) {
    info.fields.push_back(
        {field.name(), field.type(), field.offset(), static_cast<int32_t>(field.width())});
  }
  info.hasAuxiliaryFile = db->aux.isOpen();
  if (info.hasAuxiliaryFile) {
    edb::EdtHeader header;
    size_t got = 0;
    if (db->aux.read(0, header.bytes.data(), edb::kEdtHeaderSize, got) == edb::kOk &&
        got == edb::kEdtHeaderSize) {
      info.blockCount = header.blockCount();
      info.freeBlockCount = header.freeCount();
    }
  }
  return info;
}

}  // namespace zorli
