#pragma once
// Knowledge files written by the tests into the current directory through the record
// database's writer, removed again when the object goes.
#include <array>
#include <string>
#include <vector>

#include "gbk_text.h"
#include "knowledge_schema.h"

namespace zorli::testing {

struct KnowledgeRecord {
  GbkText pattern;
  std::array<GbkText, knowledge::kAnswerFieldCount> answers;
};

// All four answers the same: the reply then names the record whatever field is drawn.
KnowledgeRecord RecordAnswering(const GbkText& pattern, const GbkText& answer);

void WritePrimaryKnowledge(const std::vector<KnowledgeRecord>& records);
void WriteFallbackKnowledge(const std::vector<GbkText>& replies);
// Removes dbs.edb, dbv.edb and their auxiliary files from the current directory.
void RemoveKnowledgeFiles();

class KnowledgeFilesScope {
 public:
  KnowledgeFilesScope() { RemoveKnowledgeFiles(); }
  ~KnowledgeFilesScope() { RemoveKnowledgeFiles(); }
};

}  // namespace zorli::testing
