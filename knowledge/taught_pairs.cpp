#include "taught_pairs.h"

#include <cstdio>

#include "platform/file.h"
#include "platform/platform.h"
#include "platform/text_file.h"
#include "tsv_text.h"

namespace zorli::knowledge {
namespace {

// 啊 呀 吧 呢 嘛 哦 啦: they colour a message without changing what it asks.
constexpr std::string_view kParticles[] = {"\xb0\xa1", "\xd1\xbd", "\xb0\xc9", "\xc4\xd8",
                                           "\xc2\xef", "\xc5\xb6", "\xc0\xb2"};
constexpr std::string_view kHeader = "message\tanswer";

bool IsParticle(std::string_view pair) {
  for (std::string_view particle : kParticles) {
    if (pair == particle) return true;
  }
  return false;
}

bool IsAsciiWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// GBK's punctuation and symbol rows (A1 and A3; A3 is full-width ASCII, which
// ToHalfWidth has mostly turned into ASCII already).
bool IsPunctuationPair(std::string_view pair) {
  const auto lead = static_cast<unsigned char>(pair[0]);
  return lead == 0xA1 || lead == 0xA3;
}

std::vector<GbkText> Words(const GbkText& message, bool dropParticles) {
  const GbkText text = ToHalfWidth(message);
  std::vector<GbkText> words(1);
  const auto split = [&words] {
    if (!words.back().empty()) words.emplace_back();
  };
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      if (IsAsciiWordByte(text[i])) {
        words.back() += static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
      } else {
        split();
      }
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) break;  // a lone lead byte at the end says nothing
    const std::string_view pair(&text[i], 2);
    if (IsPunctuationPair(pair)) {
      split();
    } else if (!(dropParticles && IsParticle(pair))) {
      words.back() += pair;
    }
    i += 2;
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

}  // namespace

std::vector<GbkText> TeachingWords(const GbkText& message) {
  std::vector<GbkText> words = Words(message, true);
  return words.empty() ? Words(message, false) : words;
}

GbkText TeachingKey(const GbkText& message) {
  GbkText key;
  for (const GbkText& word : TeachingWords(message)) key += word;
  return key;
}

std::string PathBeside(const std::string& path, const std::string& name) {
  size_t folderEnd = path.size();
  while (folderEnd > 0 && !platform::IsPathSeparator(path[folderEnd - 1])) --folderEnd;
  return path.substr(0, folderEnd) + name;
}

std::string TaughtPathBeside(const std::string& dbsPath) {
  return PathBeside(dbsPath, "taught.tsv");
}

TaughtFileResult ReadTaughtPairs(const std::string& path, std::vector<TaughtPair>& pairs) {
  pairs.clear();
  platform::File file;
  if (file.Open(path, false, platform::FileSharing::kDenyNone) != platform::FileError::kNone) {
    return {true, ""};
  }
  std::string text;
  char buffer[16 * 1024];
  for (size_t n = 0;; text.append(buffer, n)) {
    if (file.ReadAt(text.size(), buffer, sizeof buffer, n) != platform::FileError::kNone) {
      return {false, path + ": cannot be read"};
    }
    if (n == 0) break;
  }
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // Notepad's byte-order mark
  size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 || line.empty()) continue;
    const size_t tab = line.find('\t');
    const std::string where = path + ":" + std::to_string(number) + ": ";
    if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos) {
      return {false, where + "expected a message and an answer"};
    }
    const auto message = DecodeCell(line.substr(0, tab));
    const auto answer = DecodeCell(line.substr(tab + 1));
    if (!message || !answer) return {false, where + "not GBK-representable UTF-8"};
    if (answer->empty()) return {false, where + "no answer"};
    pairs.push_back({*message, *answer});
  }
  return {true, ""};
}

TaughtFileResult WriteTaughtPairs(const std::string& path, const std::vector<TaughtPair>& pairs) {
  std::string text(kHeader);
  text += platform::kTextLineEnd;
  for (const TaughtPair& pair : pairs) {
    text += EncodeCell(pair.message) + "\t" + EncodeCell(pair.answer) + platform::kTextLineEnd;
  }
  // A name of our own beside it, never one that is there already.
  constexpr int kNameAttempts = 100;
  platform::File file;
  std::string temporary;
  const uint32_t first = platform::TickCount();
  for (int attempt = 0;; ++attempt) {
    if (attempt == kNameAttempts) return {false, path + ": no temporary file beside it"};
    temporary = path + "~" + std::to_string((first + static_cast<uint32_t>(attempt)) % 100000);
    const platform::FileError error = file.CreateNew(temporary);
    if (error == platform::FileError::kNone) break;
    if (error != platform::FileError::kAlreadyExists) return {false, path + ": cannot be written"};
  }
  size_t written = 0;
  const bool stored =
      file.WriteAt(0, text.data(), text.size(), written) == platform::FileError::kNone &&
      written == text.size();
  file.Close();
  if (!stored || !platform::RenameReplacing(temporary, path)) {
    platform::RemoveFile(temporary);
    return {false, path + ": cannot be written"};
  }
  return {true, ""};
}

}  // namespace zorli::knowledge
