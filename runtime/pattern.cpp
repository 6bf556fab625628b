#include "pattern.h"

#include <exception>
#include <string>

#include "platform/byte_regex.h"

namespace zorli {

struct regex::Compiled {
  std::unique_ptr<const platform::ByteRegex> expression;
};

regex::regex() = default;
regex::~regex() = default;

bool regex::create(std::string_view pattern, bool caseSensitive) {
  const std::string source(pattern.substr(0, pattern.find('\0')));
  boost::regex_constants::syntax_option_type flags = boost::regex_constants::perl;
  if (!caseSensitive) flags |= boost::regex_constants::icase;
  try {
    auto compiled = std::make_shared<Compiled>();
    compiled->expression = platform::CompileByteRegex(source, flags);
    expression_ = std::move(compiled);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::vector<SearchResult> regex::searchAll(std::string_view text) const {
  std::vector<SearchResult> results;
  const std::string buffer(text.substr(0, text.find('\0')));
  if (buffer.empty() || !expression_ || !expression_->expression->Usable()) return results;
  boost::regex_constants::match_flag_type flags = boost::match_default | boost::format_all;
  if (multiLine == 0) flags |= boost::match_single_line;

  const char* const first = buffer.data();
  const char* const last = first + buffer.size();
  const char* searchStart = first;
  try {
    boost::match_results<const char*> match;
    while (expression_->expression->Search(searchStart, last, match, flags)) {
      SearchResult result;
      result.entries.reserve(match.size());
      for (size_t i = 0; i < match.size(); ++i) {
        SubMatch sub;
        sub.matched = match[i].matched;
        if (sub.matched) {
          sub.offset = static_cast<int32_t>(match[i].first - first);
          sub.length = static_cast<int32_t>(match[i].second - match[i].first);
        }
        result.entries.push_back(sub);
      }
      results.push_back(std::move(result));
      const char* matchEnd = match[0].second;
      // An empty match would resume at the same place forever: stop at the first one.
      if (matchEnd == first || match[0].first == matchEnd) break;
      searchStart = matchEnd;
    }
  } catch (const std::exception&) {
    // Matcher limits (memory, complexity): keep what was found so far.
  }
  return results;
}

GbkText matchText(const SearchResult* result, std::string_view text, int32_t* start) {
  if (result == nullptr || result->entries.empty() || !result->entries[0].matched) return {};
  const SubMatch& whole = result->entries[0];
  if (start != nullptr) *start = whole.offset;
  if (whole.length < 1 || whole.offset < 0) return {};
  // Bounded by the text given, so a caller passing a different text cannot read past it.
  if (static_cast<size_t>(whole.offset) >= text.size()) return {};
  return GbkText(text.substr(static_cast<size_t>(whole.offset), static_cast<size_t>(whole.length)));
}

}  // namespace zorli
