#include "knowledge_files.h"

#include <cstdio>
#include <stdexcept>

#include "database_writer.h"
#include "knowledge_schema.h"
#include "record_database.h"

namespace zorli::testing {
namespace {

void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(LastError()));
}

void WriteDatabase(const knowledge::KnowledgeSchema& schema,
                   const std::vector<std::vector<GbkText>>& rows) {
  const GbkText fileName(schema.fileName);
  Require(CreateDatabase(fileName, knowledge::FieldDefinitions(schema)), "CreateDatabase");
  Require(OpenDatabase(fileName), "OpenDatabase");
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
  KnowledgeRecord record{pattern, {}};
  record.answers.fill(answer);
  return record;
}

void WritePrimaryKnowledge(const std::vector<KnowledgeRecord>& records) {
  std::vector<std::vector<GbkText>> rows;
  for (const auto& record : records) {
    rows.push_back({record.pattern});
    rows.back().insert(rows.back().end(), record.answers.begin(), record.answers.end());
  }
  WriteDatabase(knowledge::PrimaryKnowledge(), rows);
}

void WriteFallbackKnowledge(const std::vector<GbkText>& replies) {
  std::vector<std::vector<GbkText>> rows;
  for (const auto& reply : replies) rows.push_back({reply});
  WriteDatabase(knowledge::FallbackKnowledge(), rows);
}

void RemoveKnowledgeFiles() {
  for (const auto* schema : {&knowledge::PrimaryKnowledge(), &knowledge::FallbackKnowledge()}) {
    const std::string name(schema->fileName);
    const std::string stem = name.substr(0, name.rfind('.'));
    for (const std::string& file : {name, stem + ".EDT", stem + ".edt"}) std::remove(file.c_str());
  }
}

}  // namespace zorli::testing
