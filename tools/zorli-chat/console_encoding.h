#pragma once
// Text between the console (UTF-8, or raw GBK on request) and the conversation (GBK).
#include <string>

#include "gbk_text.h"

namespace zorli {

// A common emoji becomes its bracketed name; another character GBK cannot hold, or a
// malformed UTF-8 byte, becomes "□".
GbkText ConsoleToGbk(const std::string& console, bool consoleIsGbk);
std::string GbkToConsole(const GbkText& text, bool consoleIsGbk);

}  // namespace zorli
