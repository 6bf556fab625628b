#include "byte_regex_with_traits.h"

namespace zorli::platform {

// The classic "C" locale: ASCII-only case folding, no collation of bytes.
std::unique_ptr<const ByteRegex> CompileByteRegex(
    const std::string& source, boost::regex_constants::syntax_option_type flags) {
  return std::make_unique<ByteRegexWithTraits<boost::cpp_regex_traits<char>>>(source, flags);
}

}  // namespace zorli::platform
