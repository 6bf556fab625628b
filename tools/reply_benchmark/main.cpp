// reply_benchmark: times SelectReply over generated knowledge files of 100,000 and
// 1,000,000 records of 92 bytes and prints milliseconds per reply, for short messages and
// for one message of 5 MiB. For comparison it also times a scan that reads every pattern
// through the cursor, one locked read per record (100,000 records only: it takes minutes
// for a million under Wine). Then it imports a made-up corpus of 500,000 pairs and times
// the import and replies to the corpus's own questions.
//
//   reply_benchmark [FOLDER] [--no-import]
//   (FOLDER by default: reply_benchmark_data in the current directory)
//
// The files are generated once per size into FOLDER/<size>/ and reused by later runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "corpus_import.h"
#include "database_writer.h"
#include "generated_corpus.h"
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

constexpr int64_t kImportPairs = 500000;

// The import of a corpus, then replies from the file it made to questions of the corpus.
int TimeImport(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  const std::vector<corpus::GeneratedPair> pairs = corpus::GenerateCorpus(kImportPairs);
  {
    std::FILE* file = std::fopen("corpus.tsv", "wb");
    const std::string tsv = corpus::AsTsv(pairs, true);
    if (file == nullptr || std::fwrite(tsv.data(), 1, tsv.size(), file) != tsv.size() ||
        std::fclose(file) != 0) {
      std::fprintf(stderr, "cannot write the corpus\n");
      return 1;
    }
  }
  const auto start = Clock::now();
  const knowledge::ImportSummary summary =
      knowledge::ImportCorpus(std::string(knowledge::PrimaryKnowledge().fileName), "corpus.tsv",
                              knowledge::CorpusFormat::kTsv);
  const double importMs = Milliseconds(Clock::now() - start);
  if (!summary.written) {
    std::fprintf(stderr, "import failed: %s\n", summary.problem.c_str());
    return 1;
  }
  // The fallback file only has to exist: every question scores.
  std::mt19937 generator(11);
  if (!WriteRecords(knowledge::FallbackKnowledge(), 200, generator)) return 1;
  const PresetReply preset;
  const Timing reply = Time(10, [&](int i) {
    SelectReply(pairs[static_cast<size_t>(i) * 4999 % pairs.size()].question, preset);
  });
  std::printf("import of %lld pairs: %.1f s, %lld records; ms/reply(mean) %.2f, best %.2f\n",
              static_cast<long long>(kImportPairs), importMs / 1000,
              static_cast<long long>(summary.records), reply.mean, reply.best);
  return 0;
}

int Run(const std::filesystem::path& folder, bool timeImport) {
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
    const Timing scan = records > 100000 ? Timing{} : Time(3, [](int) { ScanRecordByRecord(); });
    std::printf("%10d %16.2f %12.2f %18.2f %22.2f\n", records, reply.mean, reply.best,
                longReply.mean, scan.mean);
    std::fflush(stdout);
    std::filesystem::current_path(folder);
  }
  return timeImport ? TimeImport(folder / "import") : 0;
}

}  // namespace
}  // namespace zorli

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const bool noImport = argc > 1 && std::string(argv[argc - 1]) == "--no-import";
  const int folders = argc - 1 - (noImport ? 1 : 0);
  if (folders > 1 || (folders == 1 && argv[1][0] == '-')) {
    std::fprintf(stderr, "usage: reply_benchmark [FOLDER] [--no-import]\n");
    return 2;
  }
  const fs::path folder =
      fs::absolute(folders > 0 ? fs::path(argv[1]) : fs::path("reply_benchmark_data"));
  return zorli::Run(folder, !noImport);
}
