// edbtool: creates, dumps, checks, repairs and describes record database files.
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "console.h"
#include "database_info.h"
#include "database_writer.h"
#include "field_text.h"
#include "gbk_convert.h"
#include "record_database.h"
#include "schema.h"
#include "tsv_text.h"
#include "zorli_version.h"

namespace zorli::edbtool {
namespace {

constexpr int kSuccess = 0, kDatabaseError = 1, kUsageError = 2;

const char kUsage[] =
    "usage:\n"
    "  edbtool create OUT --schema SCHEMA --from FILE.tsv [--password P]\n"
    "  edbtool dump FILE [--password P]\n"
    "  edbtool check FILE [--password P]\n"
    "  edbtool repair FILE [--password P]\n"
    "  edbtool info FILE [--password P]\n"
    "  edbtool --help | --version\n"
    "SCHEMA: comma-separated name:type or name:text:WIDTH; types: byte, short, int, int64,\n"
    "float, double, bool, datetime, subptr, text, bytes, memo\n";

struct Command {
  std::string verb;
  std::string file;
  std::map<std::string, std::string> options;
};

std::optional<Command> parseCommand(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  Command command{arguments[0], arguments[1], {}};
  const bool create = command.verb == "create";
  if (!create && command.verb != "dump" && command.verb != "check" && command.verb != "repair" &&
      command.verb != "info") {
    return std::nullopt;
  }
  for (size_t i = 2; i < arguments.size(); i += 2) {
    const std::string& option = arguments[i];
    const bool known = option == "--password" || (create && (option == "--schema" || option == "--from"));
    if (!known || i + 1 >= arguments.size() || command.options.count(option)) return std::nullopt;
    command.options[option] = arguments[i + 1];
  }
  if (create && (!command.options.count("--schema") || !command.options.count("--from"))) {
    return std::nullopt;
  }
  return command;
}

std::string codeLine(int32_t code) {
  return std::to_string(code) + " " + GbkToUtf8(ErrorMessage(code)) + "\n";
}

int failWith(int32_t code) {
  WriteError(codeLine(code));
  return kDatabaseError;
}

// The password argument in GBK; nullopt when it cannot be converted.
std::optional<GbkText> password(const Command& command) {
  const auto given = command.options.find("--password");
  if (given == command.options.end()) return GbkText();
  return Utf8ToGbk(given->second);
}

bool openGiven(const Command& command, bool readOnly, int32_t shareMode = kShareDenyNone) {
  const std::optional<GbkText> key = password(command);
  return OpenDatabase(NativePath(command.file), std::nullopt, readOnly, shareMode, std::nullopt,
                      key.value_or(GbkText()));
}

std::vector<std::string> splitCells(const std::string& line) {
  std::vector<std::string> cells;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return cells;
    start = tab + 1;
  }
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

int inputError(const std::string& where, const std::string& what) {
  WriteError(where + ": " + what + "\n");
  return kDatabaseError;
}

int create(const Command& command) {
  const auto fields = ParseSchema(command.options.at("--schema"));
  if (!fields) {
    WriteError("bad schema\n");
    WriteError(kUsage);
    return kUsageError;
  }
  const std::string tsvPath = command.options.at("--from");
  std::ifstream in(NativePath(tsvPath), std::ios::binary);
  if (!in) return inputError(tsvPath, "cannot read");
  std::string text(std::istreambuf_iterator<char>(in), {});
  // Notepad saves UTF-8 with a byte-order mark; it belongs to no cell.
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  const std::vector<std::string> lines = splitLines(text);
  if (lines.empty()) return inputError(tsvPath, "no header line");
  const std::vector<std::string> names = splitCells(lines[0]);
  if (names.size() != fields->size()) return inputError(tsvPath, "header does not match the schema");
  for (size_t i = 0; i < names.size(); ++i) {
    if (DecodeCell(names[i]) != (*fields)[i].name) {
      return inputError(tsvPath, "header field " + std::to_string(i + 1) + " is not " + names[i]);
    }
  }
  const GbkText key = *password(command);
  if (!CreateDatabase(NativePath(command.file), *fields, key)) return failWith(LastError());
  if (!OpenDatabase(NativePath(command.file), std::nullopt, false, kShareExclusive, std::nullopt,
                    key)) {
    return failWith(LastError());
  }
  int status = kSuccess;
  for (size_t line = 1; line < lines.size() && status == kSuccess; ++line) {
    const std::string where = tsvPath + ":" + std::to_string(line + 1);
    const std::vector<std::string> cells = splitCells(lines[line]);
    if (cells.size() != fields->size()) {
      status = inputError(where, "expected " + std::to_string(fields->size()) + " cells");
      break;
    }
    if (!AppendRecord()) {
      status = failWith(LastError());
      break;
    }
    for (size_t f = 0; f < cells.size() && status == kSuccess; ++f) {
      if (cells[f].empty()) continue;
      const FieldDefinition& field = (*fields)[f];
      const std::optional<FieldValue> value = ParseField(field.type, cells[f]);
      if (!value) {
        status = inputError(where, "bad " + std::string(TypeName(field.type)) + " in cell " +
                                       std::to_string(f + 1));
      } else if (field.type == FieldType::Text &&
                 value->bytes().size() > static_cast<size_t>(field.textWidth)) {
        status = inputError(where, "text longer than its field in cell " + std::to_string(f + 1));
      } else if (!WriteField(static_cast<int32_t>(f + 1), *value)) {
        status = failWith(LastError());
      }
    }
  }
  CloseAllDatabases();
  return status;
}

int dump(const Command& command) {
  if (!openGiven(command, true)) return failWith(LastError());
  const std::optional<DatabaseInfo> info = DescribeCurrentDatabase();
  std::string header;
  for (size_t f = 0; f < info->fields.size(); ++f) {
    header += (f ? "\t" : "") + EncodeCell(info->fields[f].name);
  }
  WriteOut(header + "\n");
  int status = kSuccess;
  const int32_t count = GetRecordCount();
  if (LastError() != 0) status = failWith(LastError());
  for (int32_t record = 1; record <= count; ++record) {
    std::string line;
    for (size_t f = 0; f < info->fields.size(); ++f) {
      GoToRecord(record);
      const FieldValue value = ReadField(static_cast<int32_t>(f + 1));
      if (f) line += "\t";
      if (LastError() != 0) {
        WriteError("record " + std::to_string(record) + " field " + std::to_string(f + 1) + ": " +
                   codeLine(LastError()));
        status = kDatabaseError;
      } else {
        line += FormatField(value);
      }
    }
    WriteOut(line + "\n");
  }
  CloseAllDatabases();
  return status;
}

int checkOrRepair(const Command& command) {
  const bool opened = openGiven(command, command.verb == "check");
  const int32_t code = LastError();
  CloseAllDatabases();
  WriteOut(opened ? "0\n" : codeLine(code));
  return opened ? kSuccess : kDatabaseError;
}

int info(const Command& command) {
  if (!openGiven(command, true)) return failWith(LastError());
  const DatabaseInfo info = *DescribeCurrentDatabase();
  std::string out;
  out += "magic: " + std::string(info.enciphered ? "WCDB" : "WEDB") + "\n";
  out += "version: " + std::to_string(info.version) + "\n";
  out += "records: " + std::to_string(info.recordCount) + "\n";
  out += "counter: " + std::to_string(info.counter) + "\n";
  out += "record size: " + std::to_string(info.recordSize) + "\n";
  out += "fields: " + std::to_string(info.fields.size()) + "\n";
  for (size_t f = 0; f < info.fields.size(); ++f) {
    const FieldInfo& field = info.fields[f];
    out += "  " + std::to_string(f + 1) + " " + EncodeCell(field.name) + " " +
           TypeName(field.type) + " offset " + std::to_string(field.offset) + " width " +
           std::to_string(field.width) + "\n";
  }
  if (info.hasAuxiliaryFile) {
    out += "blocks: " + std::to_string(info.blockCount) + "\n";
    out += "free blocks: " + std::to_string(info.freeBlockCount) + "\n";
  }
  CloseAllDatabases();
  WriteOut(out);
  return kSuccess;
}

}  // namespace
}  // namespace zorli::edbtool

int main(int argc, char** argv) {
  using namespace zorli::edbtool;
  const std::vector<std::string> arguments = Utf8Arguments(argc, argv);
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    WriteOut(kUsage);
    return kSuccess;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    WriteOut(std::string("edbtool ") + zorli::kVersion + "\n");
    return kSuccess;
  }
  const std::optional<Command> command = parseCommand(arguments);
  if (!command) {
    WriteError(kUsage);
    return kUsageError;
  }
  if (!password(*command)) {
    WriteError("--password: not representable in GBK\n");
    return kUsageError;
  }
  if (command->verb == "create") return create(*command);
  if (command->verb == "dump") return dump(*command);
  if (command->verb == "info") return info(*command);
  return checkOrRepair(*command);
}
