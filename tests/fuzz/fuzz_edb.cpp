// Opens arbitrary bytes as a main and an auxiliary file and reads every field of every
// record, by cursor, by scan and in batch.
// Input: main length (2 bytes, little-endian), flags (1 byte: 1 = password "pw",
// 2 = open for writing), the main file's bytes, the auxiliary file's bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "database_info.h"
#include "record_database.h"
#include "runtime_error.h"

namespace {

std::string directory;

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

void readAllFields(size_t fieldCount) {
  const int32_t count = zorli::GetRecordCount();
  for (int32_t record = 1; record <= count; ++record) {
    zorli::GoToRecord(record);
    for (size_t field = 1; field <= fieldCount; ++field) {
      zorli::ReadField(static_cast<int32_t>(field));
    }
  }
  zorli::GoToFirstRecord();
  size_t tested = 0;
  zorli::FindRecord([&] {
    for (size_t field = 1; field <= fieldCount; ++field) {
      zorli::ReadField(static_cast<int32_t>(field));
    }
    return ++tested == 3;
  });
  for (size_t field = 1; field <= fieldCount; ++field) {
    zorli::ReadFieldOfAllRecords(static_cast<int32_t>(field),
                                 [](int32_t, const zorli::FieldValue&) {});
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/fuzz_edb_XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  directory = pattern;
  zorli::setRuntimeErrorHandler([](const zorli::GbkText&) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const size_t mainLength = std::min<size_t>(data[0] | data[1] << 8, size - 3);
  const uint8_t flags = data[2];
  const std::string mainPath = directory + "/f.edb";
  writeFile(mainPath, data + 3, mainLength);
  writeFile(directory + "/f.EDT", data + 3 + mainLength, size - 3 - mainLength);
  const bool opened = zorli::OpenDatabase(mainPath, std::nullopt, (flags & 2) == 0, std::nullopt,
                                          std::nullopt, (flags & 1) ? "pw" : "");
  if (opened) readAllFields(zorli::DescribeCurrentDatabase()->fields.size());
  zorli::CloseAllDatabases();
  return 0;
}
