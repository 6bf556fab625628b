#include "commands.h"

#include "console.h"
#include "corpus_import.h"
#include "database_info.h"
#include "database_verify.h"
#include "field_text.h"
#include "gbk_convert.h"
#include "knowledge_schema.h"
#include "platform/console.h"
#include "record_database.h"
#include "schema.h"
#include "tsv_database.h"
#include "tsv_text.h"
#include "zorli_version.h"

namespace zorli::edbtool {
namespace {

const char kUsage[] =
    "usage:\n"
    "  edbtool create OUT --schema SCHEMA --from FILE.tsv [--password P]\n"
    "  edbtool import OUT.edb --from FILE [--format tsv|pairs]\n"
    "  edbtool dump FILE [--password P]\n"
    "  edbtool check FILE [--password P]\n"
    "  edbtool verify FILE [--password P]\n"
    "  edbtool repair FILE [--password P]\n"
    "  edbtool info FILE [--password P]\n"
    "  edbtool --help | --version\n"
    "SCHEMA: comma-separated name:type or name:text:WIDTH; types: byte, short, int, int64,\n"
    "float, double, bool, datetime, subptr, text, bytes, memo; or dbs, dbv: the schema of\n"
    "Zorli's knowledge file dbs.edb or dbv.edb\n"
    "import: a question-answer corpus as a dbs.edb knowledge file; tsv: question TAB answer\n"
    "a line (the default); pairs: alternating lines, a blank line or E between dialogues\n";

std::optional<Command> ParseCommand(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  Command command{arguments[0], arguments[1], {}};
  const bool create = command.verb == "create", import = command.verb == "import";
  if (!create && !import && command.verb != "dump" && command.verb != "check" &&
      command.verb != "verify" && command.verb != "repair" && command.verb != "info") {
    return std::nullopt;
  }
  for (size_t i = 2; i < arguments.size(); i += 2) {
    const std::string& option = arguments[i];
    const bool known =
        import ? option == "--from" || option == "--format"
               : option == "--password" || (create && (option == "--schema" || option == "--from"));
    if (!known || i + 1 >= arguments.size() || command.options.count(option)) return std::nullopt;
    command.options[option] = arguments[i + 1];
  }
  if (create && (!command.options.count("--schema") || !command.options.count("--from"))) {
    return std::nullopt;
  }
  if (import && !command.options.count("--from")) return std::nullopt;
  return command;
}

// Builds the database beside OUT and renames it over OUT only when every line was stored;
// every input error is a message naming the line, the column and the reason.
int Create(const Command& command) {
  const std::string& schema = command.options.at("--schema");
  const std::string& from = command.options.at("--from");
  const GbkText password = *PasswordOf(command);
  std::optional<knowledge::BuildResult> built;
  if (const knowledge::KnowledgeSchema* knowledgeFile = knowledge::FindKnowledgeSchema(schema)) {
    // Zorli opens its knowledge files without a password.
    if (!password.empty()) {
      WriteError("--password: " + schema + " is a knowledge file, never enciphered\n");
      return kUsageError;
    }
    built = knowledge::BuildKnowledgeFile(*knowledgeFile, from, command.file);
  } else if (const auto fields = ParseSchema(schema)) {
    built = knowledge::CreateDatabaseFromTsv(command.file, *fields, from, password);
  } else {
    WriteError("--schema: bad schema\n");
    return kFailure;
  }
  if (!*built) WriteError(built->problem + "\n");
  return *built ? kSuccess : kFailure;
}

// Imports a corpus and says what became of its pairs; a failure when no record was written.
int Import(const Command& command) {
  const auto format = command.options.find("--format");
  const std::string formatName = format == command.options.end() ? "tsv" : format->second;
  if (formatName != "tsv" && formatName != "pairs") {
    WriteError("--format: tsv or pairs\n");
    return kUsageError;
  }
  bool progressShown = false;
  const knowledge::ImportSummary summary = knowledge::ImportCorpus(
      command.file, command.options.at("--from"),
      formatName == "pairs" ? knowledge::CorpusFormat::kPairs : knowledge::CorpusFormat::kTsv,
      [&](const char* phase, int64_t done, int64_t total) {
        WriteError(std::string("\rimport: ") + phase + " " + std::to_string(done) + " of " +
                   std::to_string(total) + "   ");
        progressShown = true;
      });
  if (progressShown) WriteError("\n");
  const auto line = [](const char* what, int64_t n) {
    WriteOut(std::string(what) + ": " + std::to_string(n) + "\n");
  };
  line("lines", summary.lines);
  line("pairs read", summary.pairs);
  line("questions", summary.questions);
  line("records written", summary.records);
  line("skipped, longer than a field", summary.tooLong);
  line("skipped, characters GBK lacks", summary.notGbk);
  line("skipped, not a pair", summary.malformed);
  line("skipped, a question of no units", summary.noUnits);
  line("answers beyond four", summary.overFour);
  if (!summary.written) WriteError(summary.problem + "\n");
  return summary.written ? kSuccess : kFailure;
}

int FailWith(int32_t code) {
  WriteError(CodeLine(code));
  return kFailure;
}

bool OpenGiven(const Command& command, bool readOnly) {
  return OpenDatabase(platform::NativePath(command.file), std::nullopt, readOnly, kShareDenyNone,
                      std::nullopt, PasswordOf(command).value_or(GbkText()));
}

int Dump(const Command& command) {
  if (!OpenGiven(command, true)) return FailWith(LastError());
  const std::optional<DatabaseInfo> info = DescribeCurrentDatabase();
  std::string header;
  for (size_t f = 0; f < info->fields.size(); ++f) {
    header += (f ? "\t" : "") + knowledge::EncodeCell(info->fields[f].name);
  }
  WriteOut(header + "\n");
  int status = kSuccess;
  const int32_t count = GetRecordCount();
  if (LastError() != 0) status = FailWith(LastError());
  for (int32_t record = 1; record <= count; ++record) {
    std::string line;
    for (size_t f = 0; f < info->fields.size(); ++f) {
      GoToRecord(record);
      const FieldValue value = ReadField(static_cast<int32_t>(f + 1));
      if (f) line += "\t";
      if (LastError() != 0) {
        WriteError("record " + std::to_string(record) + " field " + std::to_string(f + 1) + ": " +
                   CodeLine(LastError()));
        status = kFailure;
      } else {
        line += knowledge::FormatField(value);
      }
    }
    WriteOut(line + "\n");
  }
  CloseAllDatabases();
  return status;
}

// check opens read-only; repair opens for writing, which repairs, and then checks that
// the repaired file opens.
int CheckOrRepair(const Command& command) {
  const bool repair = command.verb == "repair";
  bool opened = OpenGiven(command, !repair);
  if (opened && repair) {
    CloseAllDatabases();
    opened = OpenGiven(command, true);
  }
  const int32_t code = LastError();
  CloseAllDatabases();
  WriteOut(opened ? "0\n" : CodeLine(code));
  return opened ? kSuccess : kFailure;
}

int Verify(const Command& command) {
  if (!OpenGiven(command, true)) {
    WriteOut(CodeLine(LastError()));
    return kFailure;
  }
  const std::vector<VerifyProblem> problems = VerifyCurrentDatabase();
  CloseAllDatabases();
  std::string out = problems.empty() ? "0\n" : "";
  for (const VerifyProblem& problem : problems) {
    out += problem.code != 0
               ? "record " + std::to_string(problem.record) + " field " +
                     std::to_string(problem.field) + ": " + CodeLine(problem.code)
               : "block " + std::to_string(problem.block) + ": " + problem.what + "\n";
  }
  WriteOut(out);
  return problems.empty() ? kSuccess : kFailure;
}

int Info(const Command& command) {
  if (!OpenGiven(command, true)) return FailWith(LastError());
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
    out += "  " + std::to_string(f + 1) + " " + knowledge::EncodeCell(field.name) + " " +
           knowledge::TypeName(field.type) + " offset " + std::to_string(field.offset) + " width " +
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

int Run(const Command& command) {
  if (command.verb == "create") return Create(command);
  if (command.verb == "import") return Import(command);
  if (command.verb == "dump") return Dump(command);
  if (command.verb == "info") return Info(command);
  if (command.verb == "verify") return Verify(command);
  return CheckOrRepair(command);
}

}  // namespace

std::string CodeLine(int32_t code) { return knowledge::CodeText(code) + "\n"; }

std::optional<GbkText> PasswordOf(const Command& command) {
  const auto given = command.options.find("--password");
  if (given == command.options.end()) return GbkText();
  return Utf8ToGbk(given->second);
}

int RunEdbtool(const std::vector<std::string>& arguments) {
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    WriteOut(kUsage);
    return OutputComplete() ? kSuccess : kFailure;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    WriteOut(std::string("edbtool ") + zorli::kVersion + "\n");
    return OutputComplete() ? kSuccess : kFailure;
  }
  const std::optional<Command> command = ParseCommand(arguments);
  if (!command) {
    WriteError(kUsage);
    return kUsageError;
  }
  if (!PasswordOf(*command)) {
    WriteError("--password: not representable in GBK\n");
    return kUsageError;
  }
  const int status = Run(*command);
  if (!OutputComplete()) {
    WriteError("edbtool: the output could not be written\n");
    return kFailure;
  }
  return status;
}

}  // namespace zorli::edbtool
