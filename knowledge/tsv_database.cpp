#include "tsv_database.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "database_paths.h"
#include "field_text.h"
#include "gbk_convert.h"
#include "platform/console.h"
#include "platform/file.h"
#include "platform/platform.h"
#include "record_database.h"
#include "tsv_lines.h"
#include "tsv_text.h"

namespace zorli::knowledge {
namespace {

BuildResult InputError(const std::string& where, const std::string& what) {
  return BuildResult{false, where + ": " + what};
}

// Stores one TSV line as a new record of the current database: "" or what is wrong.
std::string StoreLine(const std::vector<FieldDefinition>& fields,
                      const std::vector<std::string>& names, const std::string& line) {
  const std::vector<std::string> cells = SplitCells(line);
  if (cells.size() != fields.size()) {
    return "expected " + std::to_string(fields.size()) + " cells, found " +
           std::to_string(cells.size());
  }
  if (!AppendRecord()) return CodeText(LastError());
  for (size_t f = 0; f < cells.size(); ++f) {
    if (cells[f].empty()) continue;
    const std::string column = "column " + std::to_string(f + 1) + " (" + names[f] + "): ";
    const FieldDefinition& field = fields[f];
    std::string problem;
    const std::optional<FieldValue> value = ParseField(field.type, cells[f], &problem);
    if (!value) return column + "bad " + TypeName(field.type) + ": " + problem;
    if (field.type == FieldType::kText &&
        value->Bytes().size() > static_cast<size_t>(field.textWidth)) {
      return column + "text longer than its field's " + std::to_string(field.textWidth) + " bytes";
    }
    if (!WriteField(static_cast<int32_t>(f + 1), *value)) return column + CodeText(LastError());
  }
  return "";
}

// Fills a new database at path from the TSV lines after the header.
BuildResult Fill(const std::string& path, const std::vector<FieldDefinition>& fields,
                 const std::vector<std::string>& lines, const std::string& tsvPath,
                 const GbkText& password) {
  if (!CreateDatabase(path, fields, password) ||
      !OpenDatabase(path, std::nullopt, false, kShareExclusive, std::nullopt, password)) {
    return BuildResult{false, CodeText(LastError())};
  }
  const std::vector<std::string> names = SplitCells(lines[0]);
  BuildResult result{true, ""};
  for (size_t line = 1; line < lines.size() && result; ++line) {
    const std::string problem = StoreLine(fields, names, lines[line]);
    if (!problem.empty()) result = InputError(tsvPath + ":" + std::to_string(line + 1), problem);
  }
  CloseAllDatabases();
  return result;
}

// Names made beside out and created by us, so that they, and only they, may be written
// and removed: a file of the user's that happens to bear such a name is never touched.
class TemporaryFiles {
 public:
  ~TemporaryFiles() {
    for (const std::string& path : created_) platform::RemoveFile(path);
  }
  // out with "~new" and a number before its extension (beside it, with the same extension,
  // so that its auxiliary file is named after it as well), and that auxiliary name when
  // withAux; all created empty. False when no free name could be made.
  bool Reserve(const std::string& out, bool withAux) {
    const size_t dot = out.rfind('.');
    const uint32_t start = platform::TickCount();
    for (uint32_t attempt = 0; attempt < kAttempts; ++attempt) {
      main_ = out.substr(0, dot) + "~new" + std::to_string((start + attempt) % 100000) +
              out.substr(dot);
      const platform::FileError error = CreateNew(main_);
      if (error == platform::FileError::kAlreadyExists) continue;
      if (error != platform::FileError::kNone) return false;
      if (!withAux) return true;
      const platform::FileError auxError = CreateNew(edb::AuxiliaryPath(main_));
      if (auxError == platform::FileError::kNone) return true;
      if (auxError != platform::FileError::kAlreadyExists) return false;
    }
    return false;
  }
  const std::string& Main() const { return main_; }
  // After a successful rename the name is no longer ours to remove.
  void Renamed(const std::string& path) {
    created_.erase(std::remove(created_.begin(), created_.end(), path), created_.end());
  }

 private:
  static constexpr uint32_t kAttempts = 100;
  platform::FileError CreateNew(const std::string& path) {
    platform::File file;
    const platform::FileError error = file.CreateNew(path);
    if (error == platform::FileError::kNone) created_.push_back(path);
    return error;
  }
  std::string main_;
  std::vector<std::string> created_;
};

}  // namespace

BuildResult CreateDatabaseFromTsv(const std::string& outPath,
                                  const std::vector<FieldDefinition>& fields,
                                  const std::string& tsvPath, const GbkText& password) {
  std::string text;
  if (!ReadWholeFile(platform::NativePath(tsvPath), text))
    return InputError(tsvPath, "cannot read");
  SkipByteOrderMark(text);
  const std::vector<std::string> lines = SplitLines(text);
  if (lines.empty()) return InputError(tsvPath, "no header line");
  const std::vector<std::string> names = SplitCells(lines[0]);
  if (names.size() != fields.size()) return InputError(tsvPath, "header does not match the schema");
  for (size_t i = 0; i < names.size(); ++i) {
    if (DecodeCell(names[i]) != fields[i].name) {
      return InputError(tsvPath, "header field " + std::to_string(i + 1) + " is not " + names[i]);
    }
  }

  const std::string out = edb::WithDefaultExtension(platform::NativePath(outPath));
  const bool hasAux = std::any_of(fields.begin(), fields.end(),
                                  [](const FieldDefinition& f) { return IsChainType(f.type); });
  TemporaryFiles temporary;
  if (!temporary.Reserve(out, hasAux)) return InputError(outPath, "no temporary file beside it");
  const std::string temporaryAux = edb::AuxiliaryPath(temporary.Main());
  BuildResult result = Fill(temporary.Main(), fields, lines, tsvPath, password);
  // The auxiliary file first: out never names values its auxiliary file lacks.
  if (result && hasAux) {
    if (platform::RenameReplacing(temporaryAux, edb::AuxiliaryPath(out))) {
      temporary.Renamed(temporaryAux);
    } else {
      result = InputError(outPath, "cannot be replaced");
    }
  }
  if (result) {
    if (platform::RenameReplacing(temporary.Main(), out)) {
      temporary.Renamed(temporary.Main());
    } else {
      result = InputError(outPath, "cannot be replaced");
    }
  }
  return result;
}

BuildResult BuildKnowledgeFile(const KnowledgeSchema& schema, const std::string& tsvPath,
                               const std::string& out) {
  return CreateDatabaseFromTsv(out, FieldDefinitions(schema), tsvPath);
}

std::string CodeText(int32_t code) {
  return std::to_string(code) + " " + GbkToUtf8(ErrorMessage(code));
}

}  // namespace zorli::knowledge
