#pragma once
// Boost.Regex over byte strings with this platform's character traits, compiled once and
// searched many times. Which traits a platform needs is its own business: the regular-
// expression service sees only this.
#include <boost/regex.hpp>
#include <memory>
#include <string>

namespace zorli::platform {

class ByteRegex {
 public:
  virtual ~ByteRegex() = default;
  // false for an expression that holds nothing to search with.
  virtual bool Usable() const = 0;
  // As boost::regex_search over [first, last).
  virtual bool Search(const char* first, const char* last, boost::match_results<const char*>& match,
                      boost::regex_constants::match_flag_type flags) const = 0;
};

// Throws what boost::basic_regex::assign throws for a pattern it cannot compile.
std::unique_ptr<const ByteRegex> CompileByteRegex(const std::string& source,
                                                  boost::regex_constants::syntax_option_type flags);

}  // namespace zorli::platform
