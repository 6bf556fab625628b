// Times the reply engine's access pattern on knowledge files of 10,000, 100,000 and
// 1,000,000 records of dbs.edb's schema (a pattern and four answers):
//   cursor  GoToRecord(i) + reading the pattern field, for every record
//   batch   ReadFieldOfAllRecords of the pattern field
//   scan    FindRecord over every record, the condition reading the pattern field
// Usage: edb_benchmark [largest record count]; prints microseconds per record.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "database_info.h"
#include "database_writer.h"
#include "knowledge_schema.h"
#include "record_database.h"

namespace {

using namespace zorli;
using knowledge::kPatternField;

// A pattern of Chinese characters and letters that differs from record to record.
std::string PatternText(int32_t record) {
  std::string text;
  for (int32_t k = 0; k < 12; ++k) {
    const int32_t v = record * 31 + k * 7;
    text.push_back(static_cast<char>(0xB0 + v % 40));
    text.push_back(static_cast<char>(0xA1 + v % 90));
  }
  return text + "abc" + std::to_string(record);
}

// Creates the database through the library, then writes its records in one stream:
// going through AppendRecord for a million records would time the writer instead.
bool BuildKnowledgeFile(const std::string& path, int32_t records) {
  const std::vector<FieldDefinition> fields = FieldDefinitions(knowledge::PrimaryKnowledge());
  if (!CreateDatabase(path, fields) || !OpenDatabase(path)) return false;
  const DatabaseInfo info = *DescribeCurrentDatabase();
  CloseAllDatabases();
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  const uint64_t dataStart = 116 + 72 * info.fields.size();
  file.seekp(static_cast<std::streamoff>(dataStart));
  std::string record(static_cast<size_t>(info.recordSize), '\0');
  for (int32_t r = 0; r < records; ++r) {
    std::fill(record.begin(), record.end(), '\0');
    const std::string pattern = PatternText(r);
    record.replace(static_cast<size_t>(info.fields[kPatternField - 1].offset), pattern.size(),
                   pattern);
    for (size_t f = knowledge::kFirstAnswerField - 1; f < info.fields.size(); ++f) {
      const std::string answer = "answer " + std::to_string(f) + " of " + std::to_string(r);
      record.replace(static_cast<size_t>(info.fields[f].offset), answer.size(), answer);
    }
    file.write(record.data(), static_cast<std::streamsize>(record.size()));
  }
  const char count[4] = {static_cast<char>(records), static_cast<char>(records >> 8),
                         static_cast<char>(records >> 16), static_cast<char>(records >> 24)};
  file.seekp(16);
  file.write(count, 4);
  return static_cast<bool>(file);
}

template <typename Body>
double MicrosecondsPerRecord(int32_t records, Body body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  const std::chrono::duration<double, std::micro> elapsed =
      std::chrono::steady_clock::now() - start;
  return elapsed.count() / records;
}

}  // namespace

int main(int argc, char** argv) {
  const int32_t largest = argc > 1 ? std::atoi(argv[1]) : 1000000;
  std::printf("%10s %12s %12s %12s   (microseconds per record)\n", "records", "cursor", "batch",
              "scan");
  for (int32_t records = 10000; records <= largest; records *= 10) {
    const std::string path = "benchmark.edb";
    if (!BuildKnowledgeFile(path, records) || !OpenDatabase(path)) {
      std::fprintf(stderr, "cannot build %s: %d\n", path.c_str(), LastError());
      return 1;
    }
    size_t bytes = 0;
    const double cursor = MicrosecondsPerRecord(records, [&] {
      const int32_t count = GetRecordCount();
      for (int32_t i = 1; i <= count; ++i) {
        GoToRecord(i);
        bytes += ReadField(kPatternField).Bytes().size();
      }
    });
    const double batch = MicrosecondsPerRecord(records, [&] {
      ReadFieldOfAllRecords(kPatternField,
                            [&](int32_t, const FieldValue& v) { bytes += v.Bytes().size(); });
    });
    const double scan = MicrosecondsPerRecord(records, [&] {
      GoToFirstRecord();
      FindRecord([&] {
        bytes += ReadField(kPatternField).Bytes().size();
        return false;
      });
    });
    CloseAllDatabases();
    std::printf("%10d %12.3f %12.3f %12.3f   (%zu bytes read)\n", records, cursor, batch, scan,
                bytes);
    std::fflush(stdout);
  }
  std::remove("benchmark.edb");
  return 0;
}
