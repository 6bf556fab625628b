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
#include "teaching.h"
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
    "  edbtool teach DBS_EDB MESSAGE ANSWER [--samples FILE.tsv]\n"
    "  edbtool forget DBS_EDB MESSAGE\n"
    "  edbtool taught DBS_EDB\n"
    "  edbtool reteach DBS_EDB [--samples FILE.tsv]\n"
    "  edbtool --help | --version\n"
    "SCHEMA: comma-separated name:type or name:text:WIDTH; types: byte, short, int, int64,\n"
    "float, double, bool, datetime, subptr, text, bytes, memo; or dbs, dbv: the schema of\n"
    "Zorli's knowledge file dbs.edb or dbv.edb\n"
    "teach, forget, taught: what was taught in the chat, kept in taught.tsv beside DBS_EDB;\n"
    "teach prints the pattern chosen; reteach writes every taught pair into a rebuilt\n"
    "DBS_EDB; --samples: the sample messages that tell how common a word is (default:\n"
    "data/samples.tsv beside DBS_EDB)\n"
    "import: a question-answer corpus as a dbs.edb knowledge file; tsv: question TAB answer\n"
    "a line (the default); pairs: alternating lines, a blank line or E between dialogues\n";

// Positional values after the file, by verb.
size_t ValuesOf(const std::string& verb) {
  if (verb == "teach") return 2;
  if (verb == "forget") return 1;
  return 0;
}

bool IsTeachingVerb(const std::string& verb) {
  return verb == "teach" || verb == "forget" || verb == "taught" || verb == "reteach";
}

std::optional<Command> ParseCommand(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  Command command{arguments[0], arguments[1], {}};
  const bool create = command.verb == "create", import = command.verb == "import";
  const bool teaching = IsTeachingVerb(command.verb);
  if (!create && !import && !teaching && command.verb != "dump" && command.verb != "check" &&
      command.verb != "verify" && command.verb != "repair" && command.verb != "info") {
    return std::nullopt;
  }
  const size_t firstOption = 2 + ValuesOf(command.verb);
  if (arguments.size() < firstOption) return std::nullopt;
  command.values.assign(arguments.begin() + 2, arguments.begin() + firstOption);
  for (size_t i = firstOption; i < arguments.size(); i += 2) {
    const std::string& option = arguments[i];
    const bool known =
        import ? option == "--from" || option == "--format"
               : (!teaching && option == "--password") ||
                     (create && (option == "--schema" || option == "--from")) ||
                     ((command.verb == "teach" || command.verb == "reteach") &&
                      option == "--samples");
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

knowledge::TeachingPlace PlaceGiven(const Command& command) {
  knowledge::TeachingPlace place = knowledge::PlaceOf(platform::NativePath(command.file));
  const auto samples = command.options.find("--samples");
  if (samples != command.options.end()) place.samplesPath = platform::NativePath(samples->second);
  return place;
}

// Texts of the command line, which is UTF-8, as GBK; nullopt after saying which failed.
std::optional<std::vector<GbkText>> GbkValues(const Command& command) {
  std::vector<GbkText> texts;
  for (const std::string& value : command.values) {
    const std::optional<GbkText> text = Utf8ToGbk(value);
    if (!text) {
      WriteError(value + ": not representable in GBK\n");
      return std::nullopt;
    }
    texts.push_back(*text);
  }
  return texts;
}

int Teaching(const Command& command) {
  const std::optional<std::vector<GbkText>> texts = GbkValues(command);
  if (!texts) return kUsageError;
  const knowledge::TeachingPlace place = PlaceGiven(command);
  if (command.verb == "taught") {
    std::vector<knowledge::TaughtPair> pairs;
    const knowledge::TaughtFileResult read =
        knowledge::ReadTaughtPairs(knowledge::TaughtPathBeside(place.dbsPath), pairs);
    if (!read) {
      WriteError(read.problem + "\n");
      return kFailure;
    }
    std::string out = "message\tanswer\n";
    for (const knowledge::TaughtPair& pair : pairs) {
      out += knowledge::EncodeCell(pair.message) + "\t" + knowledge::EncodeCell(pair.answer) + "\n";
    }
    WriteOut(out);
    return kSuccess;
  }
  if (command.verb == "reteach") {
    const knowledge::TeachingResult result = knowledge::ReconcileTaught(place);
    if (!result) WriteError(command.file + ": " + result.detail + "\n");
    // A pair the new base outscores stays in taught.tsv and is tried again at every start.
    return result || result.failure == knowledge::TeachingFailure::kCannotWin ? kSuccess : kFailure;
  }
  const knowledge::TeachingResult result = command.verb == "teach"
                                               ? knowledge::Teach(place, (*texts)[0], (*texts)[1])
                                               : knowledge::Forget(place, (*texts)[0]);
  if (!result) {
    WriteError(command.values[0] + ": " + result.detail + "\n");
    return kFailure;
  }
  if (command.verb == "teach") WriteOut(knowledge::EncodeCell(result.pattern) + "\n");
  return kSuccess;
}

int Run(const Command& command) {
  if (IsTeachingVerb(command.verb)) return Teaching(command);
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
