// Opens arbitrary bytes as a main and an auxiliary file, reads every field of every
// record (by cursor, by scan and in batch, and of the first record of a file without
// records), verifies the whole database, and, when opened for writing, writes the byte
// sets and memos of the first record, which must read back as written.
// Input: main length (2 bytes, little-endian), flags (1 byte: 1 = password "pw",
// 2 = open for writing, the upper six bits size the value written, in 20-byte steps),
// the main file's bytes, the auxiliary file's bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "database_info.h"
#include "database_verify.h"
#include "database_writer.h"
#include "record_database.h"
#include "runtime_error.h"

namespace {

std::string directory;

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

void ReadAllFields(const std::vector<zorli::FieldInfo>& fields) {
  const int32_t fieldCount = static_cast<int32_t>(fields.size());
  zorli::GoToFirstRecord();
  for (int32_t field = 1; field <= fieldCount; ++field) zorli::ReadField(field);
  const int32_t count = zorli::GetRecordCount();
  for (int32_t record = 1; record <= count; ++record) {
    zorli::GoToRecord(record);
    for (int32_t field = 1; field <= fieldCount; ++field) zorli::ReadField(field);
  }
  zorli::GoToFirstRecord();
  size_t tested = 0;
  zorli::FindRecord([&] {
    for (int32_t field = 1; field <= fieldCount; ++field) zorli::ReadField(field);
    return ++tested == 3;
  });
  for (int32_t field = 1; field <= fieldCount; ++field) {
    zorli::ReadFieldOfAllRecords(field, [](int32_t, const zorli::FieldValue&) {});
  }
  zorli::VerifyCurrentDatabase();
}

// A write that reports success must read back as written.
void WriteChainFields(const std::vector<zorli::FieldInfo>& fields, size_t valueLength) {
  std::string value(valueLength, '\0');
  for (size_t i = 0; i < valueLength; ++i) value[i] = static_cast<char>('A' + i % 26);
  for (size_t f = 0; f < fields.size(); ++f) {
    const zorli::FieldType type = fields[f].type;
    if (type != zorli::FieldType::kMemo && type != zorli::FieldType::kByteSet) continue;
    const int32_t field = static_cast<int32_t>(f + 1);
    zorli::GoToFirstRecord();
    if (!zorli::WriteField(field, zorli::FieldValue::FromBytes(type, value))) continue;
    const zorli::FieldValue back = zorli::ReadField(field);
    if (zorli::LastError() != 0 || back.Bytes() != value) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/fuzz_edb_XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  directory = pattern;
  zorli::SetRuntimeErrorHandler([](const zorli::GbkText&) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const size_t mainLength = std::min<size_t>(data[0] | data[1] << 8, size - 3);
  const uint8_t flags = data[2];
  const bool writable = (flags & 2) != 0;
  const std::string mainPath = directory + "/f.edb";
  WriteFile(mainPath, data + 3, mainLength);
  WriteFile(directory + "/f.EDT", data + 3 + mainLength, size - 3 - mainLength);
  const bool opened = zorli::OpenDatabase(mainPath, std::nullopt, !writable, std::nullopt,
                                          std::nullopt, (flags & 1) ? "pw" : "");
  if (opened) {
    const std::vector<zorli::FieldInfo> fields = zorli::DescribeCurrentDatabase()->fields;
    ReadAllFields(fields);
    if (writable) WriteChainFields(fields, size_t(flags >> 2) * 20);
  }
  zorli::CloseAllDatabases();
  return 0;
}
