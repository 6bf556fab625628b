#include "console_encoding.h"

#include <algorithm>

#include "gbk_convert.h"

namespace zorli {
namespace {

// Bytes in the UTF-8 sequence that lead begins, 1 for a byte that begins none.
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

bool HasContinuationBytes(const std::string& sequence) {
  for (size_t i = 1; i < sequence.size(); ++i) {
    if ((static_cast<unsigned char>(sequence[i]) & 0xC0) != 0x80) return false;
  }
  return true;
}

}  // namespace

GbkText ConsoleToGbk(const std::string& console, bool consoleIsGbk) {
  if (consoleIsGbk) return console;
  if (auto whole = Utf8ToGbk(console)) return *whole;
  GbkText gbk;
  for (size_t i = 0; i < console.size();) {
    const size_t length =
        std::min(Utf8SequenceLength(static_cast<unsigned char>(console[i])), console.size() - i);
    const std::string sequence = console.substr(i, length);
    if (const auto character = Utf8ToGbk(sequence)) {
      gbk += *character;
    } else {
      gbk += '?';
    }
    i += HasContinuationBytes(sequence) ? length : 1;
  }
  return gbk;
}

std::string GbkToConsole(const GbkText& text, bool consoleIsGbk) {
  return consoleIsGbk ? text : GbkToUtf8(text);
}

}  // namespace zorli
