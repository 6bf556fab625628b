// reply_benchmark: times SelectReply over generated knowledge files of 100,000 and
// 1,000,000 records of 92 bytes and prints milliseconds per reply, for short messages and
// for one message of 5 MiB. For comparison it also times a scan that reads every pattern
// through the cursor, one locked read per record.
//
//   reply_benchmark [FOLDER]   (default: reply_benchmark_data in the current directory)
//
// The files are generated once per size into FOLDER/<size>/ and reused by later runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "database_writer.h"
#include "knowledge_place.h"
#include "knowledge_schema.h"
#include "record_database.h"
#include "reply_engine.h"

namespace zorli {
namespace {

using Clock = std::chrono::steady_clock;
using knowledge::KnowledgeSchema;

constexpr int kPatternFirstLead = 0xB0;      // patterns and short messages: leads 0xB0..0xD7
constexpr int kLongMessageFirstLead = 0x81;  // the long message: leads 0x81..0xA8
constexpr int kLeadsPerBlock = 40;
constexpr int kLongMessageCharacters = 5 * 1024 * 1024 / 2;
// A pattern of up to 24 bytes and four answers of 16: records of 4 + 88 bytes.
constexpr int32_t kPatternWidth = 24;
constexpr int32_t kAnswerWidth = 16;

std::vector<FieldDefinition> BenchmarkFields(const KnowledgeSchema& schema) {
  std::vector<FieldDefinition> fields = knowledge::FieldDefinitions(schema);
  for (FieldDefinition& field : fields) field.textWidth = kAnswerWidth;
  fields[0].textWidth = kPatternWidth;
  return fields;
}

// Characters of a 40-lead block of GBK, trails 0xA1..0xFE.
GbkText RandomCharacters(std::mt19937& generator, int count, int firstLead = kPatternFirstLead) {
  GbkText text;
  for (int i = 0; i < count; ++i) {
    text += static_cast<char>(firstLead + generator() % kLeadsPerBlock);
    text += static_cast<char>(0xA1 + generator() % 94);
  }
  return text;
}

// The first field as a short pattern, every other one as an answer-sized text.
bool WriteRecords(const KnowledgeSchema& schema, int32_t records, std::mt19937& generator) {
  const GbkText fileName = knowledge::RunTimePath(schema);
  if (!CreateDatabase(fileName, BenchmarkFields(schema))) return false;
  // Exclusive while it is written: nobody else reads a file being generated.
  if (!OpenDatabase(fileName, std::nullopt, false, kShareExclusive)) return false;
  for (int32_t r = 0; r < records; ++r) {
    AppendRecord();
    WriteField(1, FieldValue::FromBytes(FieldType::kText,
                                        RandomCharacters(generator, 3 + generator() % 6)));
    for (int32_t f = 2; f <= static_cast<int32_t>(schema.fields.size()); ++f) {
      WriteField(f, FieldValue::FromBytes(FieldType::kText,
                                          RandomCharacters(generator, 4 + generator() % 4)));
    }
  }
  CloseAllDatabases();
  return true;
}

int32_t RecordsIn(const KnowledgeSchema& schema) {
  if (!OpenDatabase(knowledge::RunTimePath(schema))) return -1;
  const int32_t count = GetRecordCount();
  CloseAllDatabases();
  return count;
}

bool EnsureKnowledgeFiles(int32_t records) {
  const KnowledgeSchema& primary = knowledge::PrimaryKnowledge();
  const KnowledgeSchema& fallback = knowledge::FallbackKnowledge();
  if (RecordsIn(primary) == records && RecordsIn(fallback) > 0) return true;
  std::printf("generating %d records...\n", records);
  std::fflush(stdout);
  std::mt19937 generator(static_cast<uint32_t>(records));
  return WriteRecords(primary, records, generator) && WriteRecords(fallback, 200, generator);
}

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

struct Timing {
  double mean = 0, best = 0;
};

template <typename Run>
Timing Time(int rounds, Run&& run) {
  run(0);  // warms the file cache
  Timing timing;
  timing.best = 1e300;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    run(i);
    const double ms = Milliseconds(Clock::now() - start);
    timing.mean += ms / rounds;
    timing.best = std::min(timing.best, ms);
  }
  return timing;
}

// What reading every pattern costs through the cursor, one record at a time.
void ScanRecordByRecord() {
  OpenDatabase(knowledge::RunTimePath(knowledge::PrimaryKnowledge()));
  const int32_t count = GetRecordCount();
  for (int32_t r = 1; r <= count; ++r) {
    GoToRecord(r);
    ReadField(knowledge::kPatternField);
  }
  CloseAllDatabases();
}

int Run(const std::filesystem::path& folder) {
  std::mt19937 generator(7);
  std::vector<GbkText> messages;
  for (int i = 0; i < 16; ++i) messages.push_back(RandomCharacters(generator, 4 + i % 8));

  // Shares no character with any pattern: every unit is looked for in all of it.
  const GbkText longMessage =
      RandomCharacters(generator, kLongMessageCharacters, kLongMessageFirstLead);

  std::printf("%10s %16s %12s %18s %22s\n", "records", "ms/reply(mean)", "ms(best)",
              "ms(5 MiB message)", "ms/record-by-record");
  for (int32_t records : {100000, 1000000}) {
    const auto sizeFolder = folder / std::to_string(records);
    std::filesystem::create_directories(sizeFolder);
    std::filesystem::current_path(sizeFolder);
    if (!EnsureKnowledgeFiles(records)) {
      std::fprintf(stderr, "cannot write the knowledge files: %d\n", LastError());
      return 1;
    }
    const int rounds = records > 100000 ? 20 : 50;
    const PresetReply preset;
    const Timing reply = Time(rounds, [&](int i) {
      SelectReply(messages[static_cast<size_t>(i) % messages.size()], preset);
    });
    const Timing longReply = Time(1, [&](int) { SelectReply(longMessage, preset); });
    const Timing scan = Time(records > 100000 ? 1 : 3, [](int) { ScanRecordByRecord(); });
    std::printf("%10d %16.2f %12.2f %18.2f %22.2f\n", records, reply.mean, reply.best,
                longReply.mean, scan.mean);
    std::fflush(stdout);
    std::filesystem::current_path(folder);
  }
  return 0;
}

}  // namespace
}  // namespace zorli

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::path("reply_benchmark_data"));
  return zorli::Run(folder);
}
