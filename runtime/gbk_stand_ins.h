#pragma once
// Typed text to GBK without silent loss: what code page 936 lacks gets a visible stand-in
// instead of "?", so a reply can still be chosen and the user sees what became of it.
#include <string_view>
#include <vector>

#include "gbk_text.h"

namespace zorli {

// Each character GBK holds is converted; a common emoji becomes its bracketed name
// (😂 → "[笑哭]"), emoji modifiers and joiners vanish, and anything else (another
// character GBK lacks, a malformed byte, U+0000) becomes "□".
GbkText Utf8ToGbkWithStandIns(std::string_view utf8);

// The bracketed GBK name of a common emoji, or the empty text.
GbkText EmojiStandIn(char32_t codePoint);
// Every emoji that has a name, in the order they are looked up in.
std::vector<char32_t> NamedEmoji();

}  // namespace zorli
