#pragma once
// What the user taught in the chat, kept in taught.tsv beside dbs.edb: a header line
// "message<TAB>answer", then one pair a line, cells escaped as in data/dbs.tsv, UTF-8,
// lines ended as the platform's editors expect. The file is the source of truth; the
// records in dbs.edb are what makes a pair take effect.
#include <string>
#include <string_view>
#include <vector>

#include "gbk_text.h"

namespace zorli::knowledge {

struct TaughtPair {
  GbkText message;  // as the user typed it
  GbkText answer;
};

// The message's words as teaching sees them, runs split where punctuation or spaces
// were: half-width, ASCII letters upper-cased, punctuation, spaces and the particles
// (啊 呀 吧 呢 嘛 哦 啦) removed, except that particles stay when nothing else is left.
// Two messages with the same words are the same message to teach.
std::vector<GbkText> TeachingWords(const GbkText& message);
// The words joined: the key a re-teach is recognised by.
GbkText TeachingKey(const GbkText& message);

// taught.tsv beside the file named by dbsPath (a native path).
std::string TaughtPathBeside(const std::string& dbsPath);
// name in the folder of the file named by path.
std::string PathBeside(const std::string& path, const std::string& name);

struct TaughtFileResult {
  bool ok = false;
  std::string problem;  // UTF-8, when not ok
  explicit operator bool() const { return ok; }
};

// A missing file is no pairs. A line that does not decode, or has no answer, is a
// problem naming its line: the file was edited by hand and is left to be mended.
[[nodiscard]] TaughtFileResult ReadTaughtPairs(const std::string& path,
                                               std::vector<TaughtPair>& pairs);
// Written to a new file beside path and renamed over it, so path is always a whole file.
[[nodiscard]] TaughtFileResult WriteTaughtPairs(const std::string& path,
                                                const std::vector<TaughtPair>& pairs);

}  // namespace zorli::knowledge
