#pragma once
// Text cells of the tool's TSV: GBK bytes shown as UTF-8, with \\ \t \n \r escaped and
// every byte that is not part of a valid, convertible GBK character written as \xHH; a
// pair that converts to a private-use character (GBK's user-defined areas under code page
// 936) counts as not convertible, so both platforms write the same text. Decoding reads
// the same escapes back, so a cell round-trips byte for byte; the private-use characters
// of the user-defined areas read back as their pairs on every platform.
#include <optional>
#include <string>
#include <string_view>

namespace zorli::knowledge {

std::string EncodeCell(std::string_view gbk);
// nullopt for malformed UTF-8, a character GBK lacks, or a bad escape.
std::optional<std::string> DecodeCell(std::string_view utf8);

}  // namespace zorli::knowledge
