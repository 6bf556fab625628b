#pragma once
// The one implementation of ByteRegex, for the traits a platform's source file names.
#include "byte_regex.h"

namespace zorli::platform {

template <typename Traits>
class ByteRegexWithTraits final : public ByteRegex {
 public:
  ByteRegexWithTraits(const std::string& source, boost::regex_constants::syntax_option_type flags)
      : expression_(source, flags) {}

  bool Usable() const override {
    return !expression_.empty() && (expression_.flags() & boost::regex_constants::failbit) == 0;
  }
  bool Search(const char* first, const char* last, boost::match_results<const char*>& match,
              boost::regex_constants::match_flag_type flags) const override {
    return boost::regex_search(first, last, match, expression_, flags);
  }

 private:
  boost::basic_regex<char, Traits> expression_;
};

}  // namespace zorli::platform
