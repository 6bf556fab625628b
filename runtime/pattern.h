#pragma once
// Regular-expression service over GBK byte strings: every byte is one character to the
// expression, bracket ranges compare unsigned byte values, and only ASCII letters fold.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "gbk_text.h"

namespace zorli {

struct SubMatch {
  int32_t offset = 0;  // from the first byte of the searched text
  int32_t length = 0;
  bool matched = false;
};

// One match: entry 0 is the whole match, entries 1..n the capture groups.
struct SearchResult {
  std::vector<SubMatch> entries;
};

class regex {
 public:
  regex();
  ~regex();
  regex(const regex&) = delete;
  regex& operator=(const regex&) = delete;

  // Compiles pattern (up to its first zero byte). On failure the previous expression stays.
  bool create(std::string_view pattern, bool caseSensitive = true);
  // Every non-overlapping match, in ascending offset; each search resumes after the last.
  std::vector<SearchResult> searchAll(std::string_view text) const;

  int32_t multiLine = 1;

 private:
  struct Compiled;
  std::shared_ptr<const Compiled> expression_;
};

// The bytes of the whole match, taken from text (the text that was searched). start, when
// given, receives the 0-based offset of the match.
GbkText matchText(const SearchResult* result, std::string_view text, int32_t* start = nullptr);

}  // namespace zorli
