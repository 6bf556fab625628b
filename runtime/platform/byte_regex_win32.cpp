#include <boost/regex/v5/w32_regex_traits.hpp>

#include "byte_regex_with_traits.h"

namespace zorli::platform {

std::unique_ptr<const ByteRegex> CompileByteRegex(
    const std::string& source, boost::regex_constants::syntax_option_type flags) {
  return std::make_unique<ByteRegexWithTraits<boost::w32_regex_traits<char>>>(source, flags);
}

}  // namespace zorli::platform
