#pragma once
// Text cells of the tool's TSV: GBK bytes shown as UTF-8, with \\ \t \n \r escaped and
// every byte that is not part of a valid, convertible GBK character written as \xHH.
// Decoding reads the same escapes back, so a cell round-trips byte for byte.
#include <optional>
#include <string>
#include <string_view>

namespace zorli::edbtool {

std::string EncodeCell(std::string_view gbk);
// nullopt for malformed UTF-8, a character GBK lacks, or a bad escape.
std::optional<std::string> DecodeCell(std::string_view utf8);

}  // namespace zorli::edbtool
