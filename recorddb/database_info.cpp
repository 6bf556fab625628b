#include "database_info.h"

#include "database_state.h"
#include "error_codes.h"

namespace zorli {

std::optional<DatabaseInfo> DescribeCurrentDatabase() {
  edb::RecordDatabase* db = edb::CurrentDatabase();
  if (db == nullptr) return std::nullopt;
  DatabaseInfo info{};
  info.version = db->header.Version();
  info.recordCount = db->header.RecordCount();
  info.counter = db->header.Counter();
  info.recordSize = db->header.RecordSize();
  info.enciphered = db->header.Enciphered();
  for (const edb::FieldDescriptor& field : db->fields) {
    info.fields.push_back(
        {field.Name(), field.Type(), field.Offset(), static_cast<int32_t>(field.Width())});
  }
  info.hasAuxiliaryFile = db->aux.IsOpen();
  if (info.hasAuxiliaryFile) {
    edb::EdtHeader header;
    size_t got = 0;
    if (db->aux.Read(0, header.bytes.data(), edb::kEdtHeaderSize, got) == edb::kOk &&
        got == edb::kEdtHeaderSize) {
      info.blockCount = header.BlockCount();
      info.freeBlockCount = header.FreeCount();
    }
  }
  return info;
}

}  // namespace zorli
