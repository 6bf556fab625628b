#include "knowledge_files.h"

#include <cstdio>
#include <stdexcept>

#include "database_writer.h"
#include "record_database.h"
#include "reply_engine.h"

namespace zorli::testing {
namespace {

constexpr int32_t kFieldWidth = 200;

void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(LastError()));
}

void WriteDatabase(std::string_view fileName, const std::vector<FieldDefinition>& fields,
                   const std::vector<std::vector<GbkText>>& rows) {
  Require(CreateDatabase(GbkText(fileName), fields), "CreateDatabase");
  Require(OpenDatabase(GbkText(fileName)), "OpenDatabase");
  for (const auto& row : rows) {
    Require(AppendRecord(), "AppendRecord");
    for (size_t i = 0; i < row.size(); ++i) {
      Require(
          WriteField(static_cast<int32_t>(i + 1), FieldValue::FromBytes(FieldType::kText, row[i])),
          "WriteField");
    }
  }
  CloseAllDatabases();
}

}  // namespace

KnowledgeRecord RecordAnswering(const GbkText& pattern, const GbkText& answer) {
  return {pattern, {answer, answer, answer, answer}};
}

void WritePrimaryKnowledge(const std::vector<KnowledgeRecord>& records) {
  std::vector<FieldDefinition> fields = {{"pattern", FieldType::kText, kFieldWidth}};
  for (const char* name : {"answer1", "answer2", "answer3", "answer4"}) {
    fields.push_back({name, FieldType::kText, kFieldWidth});
  }
  std::vector<std::vector<GbkText>> rows;
  for (const auto& record : records) {
    rows.push_back({record.pattern, record.answers[0], record.answers[1], record.answers[2],
                    record.answers[3]});
  }
  WriteDatabase(kPrimaryKnowledgeFile, fields, rows);
}

void WriteFallbackKnowledge(const std::vector<GbkText>& replies) {
  std::vector<std::vector<GbkText>> rows;
  for (const auto& reply : replies) rows.push_back({reply});
  WriteDatabase(kFallbackKnowledgeFile, {{"reply", FieldType::kText, kFieldWidth}}, rows);
}

void RemoveKnowledgeFiles() {
  for (const char* name : {"dbs.edb", "dbs.EDT", "dbs.edt", "dbv.edb", "dbv.EDT", "dbv.edt"}) {
    std::remove(name);
  }
}

}  // namespace zorli::testing
