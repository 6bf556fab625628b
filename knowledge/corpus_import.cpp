#include "corpus_import.h"

#include <optional>
#include <unordered_map>
#include <vector>

#include "database_paths.h"
#include "database_writer.h"
#include "gbk_convert.h"
#include "knowledge_schema.h"
#include "platform/console.h"
#include "platform/file.h"
#include "reaching_pattern.h"
#include "record_database.h"
#include "tsv_database.h"
#include "tsv_lines.h"

namespace zorli::knowledge {
namespace {

constexpr int64_t kProgressStep = 10000;
// Above the count of its own distinct units: a question's record then outscores the record
// of a question made of some of its units, and that question outscores it in turn.
constexpr int32_t kReachMargin = 50;
constexpr int kTemporaryNames = 100;

struct Pair {
  std::string question, answer;
};

// A UTF-8 text, else GBK: one that decodes as UTF-8 throughout is taken for it.
bool IsUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    size_t length = byte < 0x80                    ? 1
                    : byte >= 0xC2 && byte <= 0xDF ? 2
                    : byte >= 0xE0 && byte <= 0xEF ? 3
                    : byte >= 0xF0 && byte <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The pairs of the file's lines; lines that form none are counted in summary.
std::vector<Pair> PairsOf(const std::vector<std::string>& lines, CorpusFormat format,
                          ImportSummary& summary) {
  std::vector<Pair> pairs;
  if (format == CorpusFormat::kTsv) {
    for (const std::string& line : lines) {
      if (Trimmed(line).empty()) continue;
      const std::vector<std::string> cells = SplitCells(line);
      if (cells.size() == 2) {
        pairs.push_back({cells[0], cells[1]});
      } else {
        ++summary.malformed;
      }
    }
    return pairs;
  }
  std::string question;
  bool asked = false;
  const auto endDialogue = [&] {
    if (asked) ++summary.malformed;  // a turn nobody answered
    asked = false;
  };
  for (const std::string& line : lines) {
    std::string_view turn = line;
    if (Trimmed(turn).empty() || Trimmed(turn) == "E") {
      endDialogue();
      continue;
    }
    if (turn.substr(0, 2) == "M ") turn.remove_prefix(2);
    if (!asked) {
      question = std::string(turn);
      asked = true;
    } else {
      pairs.push_back({question, std::string(turn)});
      asked = false;
    }
  }
  endDialogue();
  return pairs;
}

enum class Side { kStored, kNotGbk, kTooLong, kEmpty };

// One side of a pair as the field stores it, in GBK.
Side ToField(std::string_view text, bool utf8, std::string& gbk) {
  text = Trimmed(text);
  if (text.empty()) return Side::kEmpty;
  if (utf8) {
    std::optional<std::string> converted = Utf8ToGbk(text);
    if (!converted) return Side::kNotGbk;
    gbk = std::move(*converted);
  } else {
    gbk = std::string(text);
  }
  for (size_t i = 0; i < gbk.size();) {
    const size_t length = GbkCharacterLength(std::string_view(gbk).substr(i));
    if (length == 0 || gbk[i] == '\0') return Side::kNotGbk;
    i += length;
  }
  return gbk.size() > static_cast<size_t>(kTextWidth) ? Side::kTooLong : Side::kStored;
}

// Spaces and punctuation, ASCII or of GBK's symbol rows (全角 punctuation and marks).
size_t SeparatorLength(std::string_view text, size_t i) {
  const auto byte = static_cast<unsigned char>(text[i]);
  if (byte < 0x80) {
    const bool letterOrDigit = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                               (byte >= 'a' && byte <= 'z');
    return letterOrDigit ? 0 : 1;
  }
  if (i + 1 >= text.size()) return 0;
  const auto trail = static_cast<unsigned char>(text[i + 1]);
  if (byte == 0xA1 && trail >= 0xA1) return 2;
  if (byte == 0xA3 && trail >= 0xA1 && trail != 0xFF) {
    const unsigned char ascii = static_cast<unsigned char>(trail - 0x80);
    return SeparatorLength(std::string_view(reinterpret_cast<const char*>(&ascii), 1), 0) == 1 ? 2
                                                                                               : 0;
  }
  return 0;
}

// The question with every run of spaces and punctuation made one space, and the same with
// none and letters in lower case: the key questions are grouped by.
void Normalise(std::string_view question, std::string& spaced, std::string& key) {
  spaced.clear();
  key.clear();
  for (size_t i = 0; i < question.size();) {
    if (const size_t separator = SeparatorLength(question, i)) {
      if (!spaced.empty() && spaced.back() != ' ') spaced += ' ';
      i += separator;
      continue;
    }
    const size_t length = std::max<size_t>(1, GbkCharacterLength(question.substr(i)));
    for (size_t k = i; k < i + length && k < question.size(); ++k) {
      const char c = question[k];
      spaced += c;
      key += length == 1 && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    i += length;
  }
  if (!spaced.empty() && spaced.back() == ' ') spaced.pop_back();
  if (key.empty()) key = question;  // punctuation alone is grouped as written
}

struct Group {
  std::string question;  // spaced, as the pattern is made from it
  std::vector<std::string> answers;
  int64_t pairs = 0;
};

std::vector<Group> GroupPairs(const std::vector<Pair>& pairs, bool utf8, ImportSummary& summary) {
  std::vector<Group> groups;
  std::unordered_map<std::string, size_t> byKey;
  std::string question, answer, spaced, key;
  for (const Pair& pair : pairs) {
    const Side asked = ToField(pair.question, utf8, question);
    const Side answered = asked == Side::kStored ? ToField(pair.answer, utf8, answer) : asked;
    switch (answered) {
      case Side::kStored: break;
      case Side::kNotGbk: ++summary.notGbk; continue;
      case Side::kTooLong: ++summary.tooLong; continue;
      case Side::kEmpty: ++summary.malformed; continue;
    }
    Normalise(question, spaced, key);
    const auto [place, added] = byKey.emplace(key, groups.size());
    if (added) groups.push_back({spaced, {}, 0});
    Group& group = groups[place->second];
    ++group.pairs;
    bool known = false;
    for (const std::string& held : group.answers) known = known || held == answer;
    if (known) continue;
    if (group.answers.size() < static_cast<size_t>(kAnswerFieldCount)) {
      group.answers.push_back(answer);
    } else {
      ++summary.overFour;
    }
  }
  return groups;
}

// A name beside out that no file had, created empty: only this file is ever removed.
std::optional<std::string> ClaimTemporaryBeside(const std::string& out) {
  const size_t dot = out.rfind('.');
  for (int n = 1; n <= kTemporaryNames; ++n) {
    const std::string name = out.substr(0, dot) + "~import" + std::to_string(n) + out.substr(dot);
    platform::File file;
    if (file.CreateNew(name) == platform::FileError::kNone) return name;
  }
  return std::nullopt;
}

struct Record {
  std::string pattern;
  const Group* group;
};

// Writes the records into the claimed file: "" or what failed.
std::string WriteRecords(const std::string& path, const std::vector<Record>& records,
                         const ImportProgress& progress) {
  const KnowledgeSchema& schema = PrimaryKnowledge();
  if (!CreateDatabase(path, FieldDefinitions(schema)) ||
      !OpenDatabase(path, std::nullopt, false, kShareExclusive)) {
    return CodeText(LastError());
  }
  std::string problem;
  for (size_t r = 0; r < records.size() && problem.empty(); ++r) {
    const Group& group = *records[r].group;
    bool stored =
        AppendRecord() &&
        WriteField(kPatternField, FieldValue::FromBytes(FieldType::kText, records[r].pattern));
    for (int32_t a = 0; stored && a < kAnswerFieldCount; ++a) {
      // Fewer than four answers are repeated in order.
      const std::string& answer = group.answers[static_cast<size_t>(a) % group.answers.size()];
      stored = WriteField(kFirstAnswerField + a, FieldValue::FromBytes(FieldType::kText, answer));
    }
    if (!stored) problem = CodeText(LastError());
    if (progress && records.size() > static_cast<size_t>(kProgressStep) &&
        (r + 1) % kProgressStep == 0) {
      progress("writing", static_cast<int64_t>(r + 1), static_cast<int64_t>(records.size()));
    }
  }
  CloseAllDatabases();
  return problem;
}

}  // namespace

ImportSummary ImportCorpus(const std::string& outPath, const std::string& from, CorpusFormat format,
                           const ImportProgress& progress) {
  ImportSummary summary;
  std::string text;
  if (!ReadWholeFile(platform::NativePath(from), text)) {
    summary.problem = from + ": cannot read";
    return summary;
  }
  const bool marked = text.rfind("\xEF\xBB\xBF", 0) == 0;
  SkipByteOrderMark(text);
  const bool utf8 = marked || IsUtf8(text);
  const std::vector<std::string> lines = SplitLines(text);
  text.clear();
  summary.lines = static_cast<int64_t>(lines.size());
  if (progress && summary.lines > kProgressStep) progress("reading", summary.lines, summary.lines);
  const std::vector<Pair> pairs = PairsOf(lines, format, summary);
  summary.pairs = static_cast<int64_t>(pairs.size());
  const std::vector<Group> groups = GroupPairs(pairs, utf8, summary);

  // Distinctive units are the ones few questions of this corpus hold.
  UnitFrequencies frequencies;
  for (const Group& group : groups) frequencies.AddMessage(group.question);
  std::vector<Record> records;
  for (const Group& group : groups) {
    const int32_t units = BuildReachingPattern(group.question, frequencies, 0).score;
    if (units == 0) {
      summary.noUnits += group.pairs;
      continue;
    }
    records.push_back(
        {BuildReachingPattern(group.question, frequencies, units + kReachMargin).pattern, &group});
  }
  summary.questions = static_cast<int64_t>(records.size());
  if (records.empty()) {
    summary.problem = from + ": no pair could be stored";
    return summary;
  }

  const std::string out = edb::WithDefaultExtension(platform::NativePath(outPath));
  const std::optional<std::string> temporary = ClaimTemporaryBeside(out);
  if (!temporary) {
    summary.problem = outPath + ": no temporary file could be made beside it";
    return summary;
  }
  const std::string problem = WriteRecords(*temporary, records, progress);
  if (!problem.empty()) {
    summary.problem = outPath + ": " + problem;
  } else if (!platform::RenameReplacing(*temporary, out)) {
    summary.problem = outPath + ": cannot be replaced";
  } else {
    summary.written = true;
    summary.records = summary.questions;
    return summary;
  }
  platform::RemoveFile(*temporary);
  return summary;
}

}  // namespace zorli::knowledge
